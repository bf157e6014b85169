#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in it when
// the test ends.

#include <filesystem>
#include <string>

namespace kelotest {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The name joined as text, so a name with backslashes or a trailing separator reaches the code under
    // test exactly as written.
    std::string operator/(const std::string& name) const { return m_path.string() + "/" + name; }

    // Writes `bytes` to the file `name` in the folder (its parent folders must exist).
    void WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

} // namespace kelotest
