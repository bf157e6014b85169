#include "app/AudioBufferPageDlg.h"

#include "app/LocalSetupDlg.h"

#include <vector>

const CSliderRowsPageDlg::Layout CAudioBufferPageDlg::kLayout = {
    CAudioBufferPageDlg::IDD, 1744, 3, 2, 64, 178, 130, 338, {5392, 5393, 5394}};

namespace {

const std::vector<DialogItem> kItems = CSliderRowsPageDlg::TemplateItems(CAudioBufferPageDlg::kLayout);
const DialogTemplate kTemplate = CLocalSetupPageDlg::PageTemplate(CAudioBufferPageDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CAudioBufferPageDlg::CAudioBufferPageDlg() : CSliderRowsPageDlg(kLayout) {}

BYTE* CAudioBufferPageDlg::Values() const {
    LocalSetupEdit* edit = m_pFrame != nullptr ? m_pFrame->Edit() : nullptr;
    return edit != nullptr ? edit->AudioBuf : nullptr;
}
