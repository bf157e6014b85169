#pragma once
// The remote search frame opened from the real main window against the simulator, as an operator
// opens it: what the archive's operator tests share.
#include "archive/RemoteSearchDlg.h"
#include "archive/SearchPage.h"
#include "res/ResStrings.h"
#include "tests/app/WiredFixture.h"

#include <functional>
#include <string>
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

} // namespace archiveop
