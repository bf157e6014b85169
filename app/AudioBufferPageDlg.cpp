#include "app/AudioBufferPageDlg.h"

#include "app/LocalSetupDlg.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <vector>

const CSliderRowsPageDlg::Layout CAudioBufferPageDlg::kLayout = {
    CAudioBufferPageDlg::IDD,
    IDB_LOCAL_SETUP_PAGE_AUDIO_BUFFER,
    3,
    2,
    64,
    178,
    130,
    338,
    {IDS_LIVE_AUDIO_BUFFER, IDS_REMOTE_PLAYBACK, IDS_LOCAL_PLAYBACK}};

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
