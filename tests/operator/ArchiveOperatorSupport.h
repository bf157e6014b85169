#pragma once
// The remote search frame opened from the real main window against the simulator, as an operator
// opens it: what the archive's operator tests share.
#include "archive/RemoteSearchDlg.h"
#include "archive/SearchPage.h"
#include "res/ResStrings.h"
#include "tests/app/WiredFixture.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace archiveop {

using namespace wiredtest;

class ArchiveOperatorTest : public WiredFixture {
protected:
    // Presses RSearch and runs `action` in the open frame; the frame is closed afterwards unless the
    // action closed it. False when the frame did not open.
    bool InSearchFrame(const std::function<void(CRemoteSearchDlg&)>& action) {
        bool ran = false;
        ModalScript script;
        script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
            ran = true;
            action(frame);
            if (CRemoteSearchDlg* still = FindModal<CRemoteSearchDlg>()) {
                Press(*still, 435);
            }
        });
        Click(IDC_RSEARCH);
        return ran;
    }

    // The page of `slot` once it is there (null after a minute without it).
    template <class P>
    static P* WaitPage(CRemoteSearchDlg& frame, int slot) {
        P* page = nullptr;
        WaitUntil([&] { return (page = dynamic_cast<P*>(frame.Page(slot))) != nullptr; }, 60000);
        return page;
    }

    // Answers the next notice box with `answer` and keeps its lines.
    struct BoxAnswer {
        ModalScript script;
        std::vector<std::string> lines;
        explicit BoxAnswer(INT_PTR answer = IDOK) {
            script.Expect<CMsgBoxDlg>([this, answer](CMsgBoxDlg& box) {
                for (int i = 0; i < box.m_nLineCount && i < 3; ++i) {
                    lines.emplace_back(box.m_szLine[i]);
                }
                box.EndDialog(int(answer));
            });
        }
    };

    static std::string Res(UINT id) { return LoadResString(id).GetString(); }
};

// What pdftotext prints for a PDF file with the given options; empty when it cannot run.
inline std::string PdfToText(const std::string& options, const std::filesystem::path& pdf) {
    const std::string command = "pdftotext " + options + " '" + pdf.string() + "' - 2>/dev/null";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), n);
        }
        ::pclose(pipe);
    }
    return out;
}

// The PDF files Print left in a folder.
inline std::vector<std::filesystem::path> PdfFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".pdf") {
            out.push_back(entry.path());
        }
    }
    return out;
}

} // namespace archiveop
