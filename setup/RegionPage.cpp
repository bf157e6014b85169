#include "setup/RegionPage.h"

#include "platform/window/DataExchange.h"
#include "protocol/SetupDatabase.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RecordPages.h"
#include "setupkit/SetupSkin.h"

namespace {

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kTexts[3] = {IDS_ALL_CHECK, IDS_RETURN_ALL, IDS_PREV};
constexpr int kX[3] = {2, 103, 304};

} // namespace

CRegionPage::CRegionPage(UINT nIDTemplate, UINT nBackground, CWnd* pParent)
    : CSetupPage(nIDTemplate, nBackground, pParent) {}

std::vector<DialogItem> CRegionPage::PageItems(const DialogItem& editor) {
    std::vector<DialogItem> items;
    items.push_back(editor);
    for (int k = 0; k < 3; ++k) {
        items.push_back({IDC_ALL_CHECK + UINT(k), "BUTTON", kX[k], 396, 97, 22, kButton});
    }
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        items.push_back({IDC_CHANNEL + UINT(ch), "BUTTON", 8 + 49 * (ch % 8), ch < 8 ? 6 : 33, 45, 22, kButton});
    }
    return items;
}

void CRegionPage::ExchangeButtons(CDataExchange* pDX) {
    for (UINT id = IDC_ALL_CHECK; id <= IDC_PREV; ++id) {
        DDX_Control(pDX, int(id), Button(id));
    }
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        DDX_Control(pDX, int(IDC_CHANNEL) + ch, m_btnChannel[std::size_t(ch)]);
    }
}

void CRegionPage::InitButtons() {
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        SetUpChannelButton(m_btnChannel[std::size_t(ch)], ch, ch < m_nChannels);
    }
    for (int k = 0; k < 3; ++k) {
        CSetupSkin::SetUpTextButton(m_buttons[std::size_t(k)], CSetupSkin::kPageButtonBitmap,
                                    CSetupSkin::At(kX[k], 396, 97, 22), LoadResString(kTexts[k]),
                                    CSetupSkin::kPageButtonColours);
    }
}

void CRegionPage::ShowChannelButtons(int channel) {
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        m_btnChannel[std::size_t(ch)].SetState(ch == channel ? kButtonOn : kButtonNormal);
    }
}

BOOL CRegionPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        const UINT id = LOWORD(wParam);
        if (id >= IDC_CHANNEL && id < IDC_CHANNEL + UINT(kSetupChannels)) {
            SelectChannel(int(id - IDC_CHANNEL));
            return TRUE;
        }
        if (OnPageButton(id)) {
            return TRUE;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}
