#include "setup/SetupPageFactory.h"

#include "setup/CameraAdjustDlg.h"
#include "setup/CameraCovertDlg.h"
#include "setup/CameraNameDlg.h"
#include "setup/EmailSetupDlg.h"
#include "setup/EventYesNoDlg.h"
#include "setup/EventYesNoTimeADlg.h"
#include "setup/EventYesNoTimeBDlg.h"
#include "setup/OsdSetupDlg.h"
#include "setup/RecordPages.h"
#include "setup/SetupBlankDlg.h"
#include "setup/SysGeneralDlg.h"
#include "setup/UserSetupDlg.h"
// The remaining general pages.
#include "setup/ChannelTriStateDlg.h"
#include "setup/DeinterlaceDlg.h"
#include "setup/KeyboardSetupDlg.h"
#include "setup/PtzRangeDlg.h"
#include "setup/PtzSetupDlg.h"
#include "setup/SpotSetupDlg.h"
#include "setup/SysDaysDlg.h"
#include "setup/SysOptionsDlg.h"
#include "setup/TimeServerDlg.h"
#include "setup/TimeSetupDlg.h"

#include <map>
#include <mutex>

namespace {

template <class Page>
std::unique_ptr<CSetupPage> Make() {
    return std::make_unique<Page>();
}

std::map<UINT, SetupPageMaker> DefaultMakers() {
    std::map<UINT, SetupPageMaker> makers;
    // The general pages of this library.
    makers[CCameraAdjustDlg::IDD] = &Make<CCameraAdjustDlg>;
    makers[CCameraCovertDlg::IDD] = &Make<CCameraCovertDlg>;
    makers[CCameraNameDlg::IDD] = &Make<CCameraNameDlg>;
    makers[COsdSetupDlg::IDD] = &Make<COsdSetupDlg>;
    makers[CSetupBlankDlg::IDD] = &Make<CSetupBlankDlg>;
    makers[CSysGeneralDlg::IDD] = &Make<CSysGeneralDlg>;
    makers[CUserSetupDlg::IDD] = &Make<CUserSetupDlg>;
    makers[CEmailSetupDlg::IDD] = &Make<CEmailSetupDlg>;
    makers[CEventYesNoDlg::IDD] = &Make<CEventYesNoDlg>;
    makers[CEventYesNoTimeADlg::IDD] = &Make<CEventYesNoTimeADlg>;
    makers[CEventYesNoTimeBDlg::IDD] = &Make<CEventYesNoTimeBDlg>;
    // The remaining general pages.
    makers[CSpotSetupDlg::IDD] = &Make<CSpotSetupDlg>;
    makers[CChannelTriStateDlg::IDD] = &Make<CChannelTriStateDlg>;
    makers[CSysDaysDlg::IDD] = &Make<CSysDaysDlg>;
    makers[CPtzSetupDlg::IDD] = &Make<CPtzSetupDlg>;
    makers[CPtzRangeDlg::IDD] = &Make<CPtzRangeDlg>;
    makers[CKeyboardSetupDlg::IDD] = &Make<CKeyboardSetupDlg>;
    makers[CTimeSetupDlg::IDD] = &Make<CTimeSetupDlg>;
    makers[CTimeServerDlg::IDD] = &Make<CTimeServerDlg>;
    makers[CDeinterlaceDlg::IDD] = &Make<CDeinterlaceDlg>;
    makers[CSysOptionsDlg::IDD] = &Make<CSysOptionsDlg>;
    AddRecordPageMakers(makers);
    // The record pages and the remaining general pages are listed here as they are added.
    return makers;
}

struct Registry {
    Registry() : makers(DefaultMakers()) {}
    std::mutex lock;
    std::map<UINT, SetupPageMaker> makers;
};

Registry& Makers() {
    static Registry registry;
    return registry;
}

} // namespace

SetupPageMaker RegisterSetupPage(UINT pageId, SetupPageMaker maker) {
    Registry& r = Makers();
    std::lock_guard guard(r.lock);
    SetupPageMaker previous = std::move(r.makers[pageId]);
    r.makers[pageId] = std::move(maker);
    return previous;
}

std::unique_ptr<CSetupPage> MakeSetupPage(UINT pageId) {
    SetupPageMaker maker;
    {
        Registry& r = Makers();
        std::lock_guard guard(r.lock);
        const auto found = r.makers.find(pageId);
        if (found == r.makers.end() || !found->second) {
            return nullptr;
        }
        maker = found->second;
    }
    return maker();
}
