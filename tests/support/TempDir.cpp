#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace kelotest {

TempDir::TempDir() {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "kelo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "no temporary folder could be made from " << pattern;
        return;
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    if (m_path.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void TempDir::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(*this / name, std::ios::binary) << bytes;
}

} // namespace kelotest
