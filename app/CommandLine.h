#pragma once
// The program's command line: --help and --version answer and end the program; the options Qt reads
// itself (-platform, -display, -style, ...) pass through to it; anything else is a usage error.

#include <cstdio>
#include <string>

class CCommandLine {
public:
    enum class Action { Run, Help, Version, Error };

    CCommandLine(int argc, char** argv);

    Action GetAction() const { return m_action; }
    // What was wrong with the command line (one line, no newline); empty unless the action is Error.
    const std::string& GetError() const { return m_error; }
    // Prints the help, the version or the error and gives the exit status: 0, 0 or 2.
    int Answer(std::FILE* out, std::FILE* err) const;

    // "KELO1000 Client 1.0.0.0": the file version the program shows on its information page.
    static std::string VersionText();
    static constexpr int kUsageError = 2;

private:
    Action m_action = Action::Run;
    std::string m_error;
};
