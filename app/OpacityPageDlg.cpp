#include "app/OpacityPageDlg.h"

#include "app/LocalSetupDlg.h"

#include <vector>

const CSliderRowsPageDlg::Layout COpacityPageDlg::kLayout = {
    COpacityPageDlg::IDD, 1743, 9, 100, 255, 188, 150, 348, {5388, 5001, 5002, 5003, 5004, 5389, 5007, 5390, 5391}};

namespace {

const std::vector<DialogItem> kItems = CSliderRowsPageDlg::TemplateItems(COpacityPageDlg::kLayout);
const DialogTemplate kTemplate = CLocalSetupPageDlg::PageTemplate(COpacityPageDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

COpacityPageDlg::COpacityPageDlg() : CSliderRowsPageDlg(kLayout) {}

BYTE* COpacityPageDlg::Values() const {
    LocalSetupEdit* edit = m_pFrame != nullptr ? m_pFrame->Edit() : nullptr;
    return edit != nullptr ? edit->Opacity : nullptr;
}
