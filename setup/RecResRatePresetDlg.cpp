#include "setup/RecResRatePresetDlg.h"

#include "protocol/SetupDatabase.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"

namespace {

const std::vector<DialogItem> kItems = CRecResRatePage::TemplateItems(false);
const DialogTemplate kTemplate = CSetupPage::PageTemplate(CRecResRatePresetDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

const CRecResRatePage::Design kDesign{
    CRecResRatePresetDlg::IDD,
    RecordModeArrays{&SetupDatabase::mode_b_rate, &SetupDatabase::mode_b_audio, nullptr,
                     &SetupDatabase::mode_b_resolution},
    false,
    false,
    IDS_PRESET,
};

} // namespace

CRecResRatePresetDlg::CRecResRatePresetDlg(CWnd* pParent) : CRecResRatePage(kDesign, pParent) {}

void CRecResRatePresetDlg::OnSubPage() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_REC_PRESET_DLG);
    }
}

bool CRecResRatePresetDlg::ShowsSubPageButton() const {
    if (m_pFrame == nullptr) {
        return false;
    }
    const int major = m_pFrame->m_nMajor;
    const int minor = m_pFrame->m_nMinor;
    return major > 4 || (major == 4 && minor > 0);
}
