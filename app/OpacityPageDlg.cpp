#include "app/OpacityPageDlg.h"

#include "app/LocalSetupDlg.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <vector>

const CSliderRowsPageDlg::Layout COpacityPageDlg::kLayout = {
    COpacityPageDlg::IDD,
    IDB_LOCAL_SETUP_PAGE_OPACITY,
    9,
    100,
    255,
    188,
    150,
    348,
    {IDS_CONNECT_PASSWORD, IDS_REMOTE_SEARCH, IDS_REMOTE_SETUP, IDS_LOCAL_SEARCH, IDS_LOCAL_SETUP,
     IDS_PTZ_CONTROL_OPACITY, IDS_FIRMWARE_UPGRADE, IDS_RESERVED, IDS_NOTICE_BOX}};

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
