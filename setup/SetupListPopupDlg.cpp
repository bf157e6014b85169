#include "setup/SetupListPopupDlg.h"

#include "platform/window/DialogTemplate.h"
#include "setup/SetupDlg.h"

#include <vector>

namespace {

// Every item a request holds; a narrow request gets the template's width.
constexpr CListPopupDlg::Shape kShape{.labels = kListPopupLongItems, .rowLimit = 0, .narrowWidth = 150};

const std::vector<DialogItem> kItems = CListPopupDlg::TemplateItems(kShape.labels);
const DialogTemplate kTemplate{.id = CSetupListPopupDlg::IDD, .cx = 150, .cy = 10, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CSetupListPopupDlg::CSetupListPopupDlg(CSetupPage* pOwner, int kind, const ListPopupRequest& request, int layout)
    : CListPopupDlg(IDD, Lifetime::kFrameFrees, kShape, request, layout), m_pOwner(pOwner), m_nKind(kind) {}

BOOL CSetupListPopupDlg::Create(CSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CreateIn(pFrame, pFrame);
}

void CSetupListPopupDlg::Deliver(int index) {
    if (m_pFrame != nullptr) {
        m_pFrame->OnListPopupResult(m_pOwner, m_nKind, DWORD(index));
    }
}
