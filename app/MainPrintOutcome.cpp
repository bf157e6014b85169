#include "app/MainPrintOutcome.h"

#include "app/ClientDlg.h"
#include "app/MsgBoxDlg.h"
#include "platform/base/WindowsPath.h"
#include "platform/gdi/Font.h"
#include "platform/window/ClientDC.h"

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
    {
        CClientDC dc(&main);
        CFont* font = main.GetFont();
        CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
        for (int i = 0; i < count; ++i) {
            const SIZE extent = dc.GetTextExtent(lines[std::size_t(i)]);
            box->SetLine(i, lines[std::size_t(i)], std::min(int(extent.cx), 300));
        }
        if (old != nullptr) {
            dc.SelectObject(old);
        }
    }
    box->m_nLineCount = count;
    box->m_nButtonMode = 1;
    box->DoModal();
}
