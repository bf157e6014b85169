#include "app/LocalSetupPageDlg.h"

#include "app/LocalSetupDlg.h"
#include "controls/SkinLabel.h"
#include "platform/window/FileDialog.h"

#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"
#include <QFileDialog> // FileDialog.h holds a QPointer to one

#include <cstring>
#include <memory>

namespace {

int OnBrowserEvent(HWND hwnd, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) {
        ::SetWindowText(hwnd, LoadResString(IDS_CHOOSE_A_FOLDER));
    }
    return 0;
}

} // namespace

CLocalSetupPageDlg::CLocalSetupPageDlg(UINT nIDTemplate, UINT backgroundId)
    : CLocalSetupChildDlg(nIDTemplate), m_nBackground(backgroundId) {}

BOOL CLocalSetupPageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadBackground(m_nBackground, CRect(0, 0, kWidth, kHeight));
    return TRUE;
}

void CLocalSetupPageDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_pFrame != nullptr) {
        m_pFrame->CloseDropListPopup();
    }
    CLocalSetupChildDlg::OnLButtonDown(nFlags, point);
}

void CLocalSetupPageDlg::ShowList(CSkinLabel& selector, DWORD kind, const std::vector<std::string>& items, int width) {
    if (m_pFrame == nullptr || !CSetupSkin::HasText(selector)) {
        return;
    }
    auto request = std::make_unique<ListPopupRequest>();
    std::memset(request.get(), 0, sizeof *request);
    request->count = int(std::min<std::size_t>(items.size(), kListPopupItemCapacity));
    for (int i = 0; i < request->count; ++i) {
        std::strncpy(request->items[i], items[std::size_t(i)].c_str(), kListPopupItemSize - 1);
    }
    selector.GetWindowRect(&request->anchor);
    request->clickX = selector.m_nClickX;
    request->clickY = selector.m_nClickY;
    request->width = width;
    m_pFrame->ShowDropListPopup(this, kind, request.get(), 0);
}

bool CLocalSetupPageDlg::BrowseFolder(CWnd* owner, char (&folder)[kFolderSize]) {
    LPITEMIDLIST root = nullptr;
    SHGetSpecialFolderLocation(owner != nullptr ? owner->GetSafeHwnd() : nullptr, CSIDL_DRIVES, &root);
    BROWSEINFO info{};
    info.hwndOwner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    info.pidlRoot = root;
    info.lpszTitle = "";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    info.lpfn = OnBrowserEvent;
    LPITEMIDLIST chosen = SHBrowseForFolder(&info);
    char path[MAX_PATH] = {};
    // A path that does not fit the 260-byte setting is refused: the setting stays as it was.
    const bool taken = chosen != nullptr && SHGetPathFromIDList(chosen, path) != FALSE;
    if (taken) {
        std::memset(folder, 0, sizeof folder);
        std::memcpy(folder, path, strnlen(path, sizeof folder - 1));
    }
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK && allocator != nullptr) {
        if (chosen != nullptr) {
            allocator->Free(chosen);
        }
        if (root != nullptr) {
            allocator->Free(root);
        }
        allocator->Release();
    }
    return taken;
}
