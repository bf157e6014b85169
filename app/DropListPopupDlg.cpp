#include "app/DropListPopupDlg.h"

#include "app/LocalSetupDlg.h"
#include "platform/window/DialogTemplate.h"

#include <vector>

namespace {

// One column: a longer request shows its first 31 items; a narrow one is widened to 20 pixels.
constexpr CListPopupDlg::Shape kShape{.labels = kListPopupMaxItems, .rowLimit = kListPopupMaxItems, .narrowWidth = 20};

const std::vector<DialogItem> kItems = CListPopupDlg::TemplateItems(kShape.labels);
const DialogTemplate kTemplate{.id = CDropListPopupDlg::IDD, .cx = 100, .cy = 10, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CDropListPopupDlg::CDropListPopupDlg(CWnd* pOwner, CLocalSetupDlg* pFrame, DWORD kind, const ListPopupRequest& request,
                                     int layout)
    : CListPopupDlg(IDD, Lifetime::kFreesItself, kShape, request, layout), m_pFrame(pFrame), m_pOwner(pOwner),
      m_nKind(kind) {}

BOOL CDropListPopupDlg::Create(CLocalSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CreateIn(pFrame, pFrame);
}

void CDropListPopupDlg::Deliver(int index) {
    if (m_pFrame != nullptr) {
        m_pFrame->OnDropListResult(m_pOwner, m_nKind, DWORD(index));
    }
}

void CDropListPopupDlg::OnNcDestroy() {
    CListPopupDlg::OnNcDestroy(); // leaves the frame's slot
    m_pFrame = nullptr;           // the frame may be gone before this object frees itself
}
