#include "setup/RecordPages.h"

#include "controls/SkinTextButton.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RecGeneralDlg.h"
#include "setup/RecMotionRegionDlg.h"
#include "setup/RecPresetDlg.h"
#include "setup/RecRegionDlg.h"
#include "setup/RecResRateDaysDlg.h"
#include "setup/RecResRateDlg.h"
#include "setup/RecResRateMotionDlg.h"
#include "setup/RecResRatePresetDlg.h"
#include "setup/RecResRateScheduleDlg.h"
#include "setup/RecResRateSensDlg.h"
#include "setup/RecScheduleDlg.h"
#include "setup/RecUniqueChoiceDlg.h"
#include "setupkit/SetupSkin.h"

namespace {

template <class Page>
void Add(std::map<UINT, SetupPageMaker>& makers) {
    makers[Page::IDD] = [] { return std::unique_ptr<CSetupPage>(std::make_unique<Page>()); };
}

} // namespace

void AddRecordPageMakers(std::map<UINT, SetupPageMaker>& makers) {
    Add<CRecGeneralDlg>(makers);
    Add<CRecResRateDlg>(makers);
    Add<CRecResRatePresetDlg>(makers);
    Add<CRecResRateMotionDlg>(makers);
    Add<CRecResRateScheduleDlg>(makers);
    Add<CRecResRateSensDlg>(makers);
    Add<CRecResRateDaysDlg>(makers);
    Add<CRecUniqueChoiceDlg>(makers);
    Add<CRecMotionRegionDlg>(makers);
    Add<CRecRegionDlg>(makers);
    Add<CRecScheduleDlg>(makers);
    Add<CRecPresetDlg>(makers);
}

void SetUpChannelButton(CSkinTextButton& button, int channel, bool shown) {
    CString name;
    name.Format("%s%02d", LoadResString(IDS_CH).GetString(), channel + 1);
    const int x = 8 + 49 * (channel % 8);
    const int y = channel < 8 ? 6 : 33;
    CSetupSkin::SetUpTextButton(button, IDB_CHANNEL_BUTTONS_OF_PAGES, CSetupSkin::At(x, y, 45, 22), name,
                                CSetupSkin::kPageButtonColours);
    button.SetFont(8, 0, 700, "Arial Bold");
    button.SetCaption(0, name, TRUE);
    button.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}
