#include "setup/SetupPage.h"

#include "controls/SkinLabel.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"

#include <algorithm>
#include <cstring>
#include <memory>

CSetupPage::CSetupPage(UINT nIDTemplate, UINT backgroundBitmap, CWnd* pParent)
    : CSetupChildDlg(nIDTemplate, pParent), m_nBackgroundBitmap(backgroundBitmap) {}

BOOL CSetupPage::Create(CSetupDlg* pFrame) {
    return CreateIn(pFrame);
}

void CSetupPage::OnListResult(int, int) {}

void CSetupPage::OnSliderResult(int, int, int) {}

BOOL CSetupPage::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nChannels = m_pFrame != nullptr ? m_pFrame->ChannelCount() : 16;
    LoadBackground(m_nBackgroundBitmap, CRect(0, 0, kWidth, kHeight));
    MoveWindow(kLeft, kTop, kWidth, kHeight);
    return TRUE;
}

void CSetupPage::OnLButtonDown(UINT nFlags, CPoint point) {
    ClosePopups();
    CSetupChildDlg::OnLButtonDown(nFlags, point);
}

SetupDatabase& CSetupPage::Db() const {
    return m_pFrame->Db();
}

CString CSetupPage::RowName(int row) {
    CString name;
    name.Format("%s%02d", LoadResString(IDS_CH).GetString(), row + 1);
    return name;
}

CDvrClient* CSetupPage::Client() const {
    return m_pFrame != nullptr ? m_pFrame->GetClient() : nullptr;
}

void CSetupPage::ClosePopups() {
    if (m_pFrame != nullptr) {
        m_pFrame->ClosePopups();
    }
}

void CSetupPage::OpenList(CSkinLabel& selector, int kind, std::span<const CString> items, int width, int layout) {
    if (m_pFrame == nullptr) {
        return;
    }
    auto request = std::make_unique<ListPopupRequest>();
    std::memset(request.get(), 0, sizeof(ListPopupRequest));
    const int count = int(std::min<std::size_t>(items.size(), kListPopupLongItems));
    request->count = count;
    for (int i = 0; i < count; ++i) {
        std::strncpy(request->items[i], items[std::size_t(i)], kListPopupItemSize - 1);
    }
    selector.GetWindowRect(&request->anchor);
    request->clickX = selector.m_nClickX;
    request->clickY = selector.m_nClickY;
    request->width = width;
    m_pFrame->OpenListPopup(this, kind, request.get(), layout);
}

void CSetupPage::OpenSlider(CSkinLabel& selector, int kind, int count, int value0, int value1, int value2, int width,
                            int mode) {
    if (m_pFrame == nullptr) {
        return;
    }
    SliderPopupRequest request{};
    request.count = count;
    request.value[0] = value0;
    request.value[1] = value1;
    request.value[2] = value2;
    selector.GetWindowRect(&request.anchor);
    request.clickX = selector.m_nClickX;
    request.clickY = selector.m_nClickY;
    request.width = width;
    m_pFrame->OpenSliderPopup(this, kind, &request, mode);
}
