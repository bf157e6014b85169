#include "app/MainPrintOutcome.h"

#include "app/ClientDlg.h"
#include "app/MsgBoxDlg.h"
#include "platform/base/WindowsPath.h"

#include <algorithm>

std::string NoPrinterFolder(const CClientDlg& main) {
    const CString autoSave = main.GetSettings().WebLocation;
    if (!autoSave.IsEmpty()) {
        return MapWindowsPath(autoSave.GetString());
    }
    return HomeFolder();
}

void ShowTextBox(CClientDlg& main, CWnd* owner, const std::vector<CString>& lines) {
    if (lines.empty()) {
        return;
    }
    auto box = std::make_unique<CMsgBoxDlg>(owner != nullptr ? owner : &main, main.Opacity(kOpacityNoticeBox));
    const int count = int(std::min<std::size_t>(lines.size(), 3));
    for (int i = 0; i < count; ++i) {
        box->SetLine(i, lines[std::size_t(i)]);
    }
    box->m_nLineCount = count;
    box->m_nButtonMode = 1;
    box->DoModal();
}
