#include "app/PtzKeypadDlg.h"

#include "app/PtzControlDlg.h"
#include "app/PtzDialogSet.h"
#include "app/ShellDialogHost.h"
#include "platform/gdi/DC.h"
#include "platform/net/TcpConnection.h"
#include "platform/window/DataExchange.h"
#include "protocol/ClientMessages.h"
#include "protocol/Trace.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct KeyPlace {
    UINT id;
    int x;
    int y;
};
// Digit and Tour keys, 30 x 26: the 0 key leads the first row.
const KeyPlace kKeys[] = {
    {579, 75, 95},   {570, 110, 95},  {571, 145, 95},  {572, 180, 95},  {573, 215, 95},  {574, 75, 124},
    {575, 110, 124}, {576, 145, 124}, {577, 180, 124}, {578, 215, 124}, {580, 250, 124},
};

struct TextPlace {
    UINT id;
    int x;
    int y;
    UINT caption;
};
const TextPlace kTextButtons[] = {
    {CPtzKeypadDlg::kIdPreset, 6, 25, IDS_PRESET}, {CPtzKeypadDlg::kIdLearn, 110, 25, IDS_LEARN},
    {CPtzKeypadDlg::kIdDome, 215, 26, IDS_DOME},   {CPtzKeypadDlg::kIdSet, 58, 60, IDS_SET},
    {CPtzKeypadDlg::kIdCall, 162, 60, IDS_CALL},   {CPtzKeypadDlg::kIdOk, 210, 170, IDS_OK},
};

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (const TextPlace& t : kTextButtons) {
        items.push_back({t.id, "BUTTON", t.x, t.y, 100, 26, WS_VISIBLE | BS_OWNERDRAW});
    }
    items.push_back({CPtzKeypadDlg::kIdClose, "BUTTON", 296, 2, 22, 22, WS_VISIBLE | BS_OWNERDRAW});
    for (const KeyPlace& k : kKeys) {
        items.push_back({k.id, "BUTTON", k.x, k.y, 30, 26, WS_VISIBLE | BS_OWNERDRAW});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate{
    .id = CPtzKeypadDlg::IDD, .cx = CPtzKeypadDlg::kWidth, .cy = CPtzKeypadDlg::kHeight, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

void SetUpFrameTextButton(CSkinTextButton& button, UINT strip, UINT caption) {
    button.LoadBitmap(strip);
    button.SetFont(9, 0, 700, "Arial Bold");
    button.m_clrText[0] = 0xFFFFFF;
    button.m_clrText[1] = 0xF1EB62;
    button.m_clrText[2] = 0xF1EB62;
    button.m_clrText[3] = 0xBEB9B3;
    button.SetCaption(0, LoadResString(caption), TRUE);
}

} // namespace

CPtzKeypadDlg::CPtzKeypadDlg(CPtzDialogSet& set, IShellDialogHost& host)
    : CPtzPadDlg(IDD, set, host, ClientWindow::PtzKeypad, kWidth, kHeight) {}

int CPtzKeypadDlg::NextNumber(int mode, int number, int digit) {
    const int value = digit == 10 ? 0 : digit;
    if (mode == kModeLearn) {
        return value;
    }
    if (number > 0) {
        return (number * 10 + value) % 1000;
    }
    return value;
}

int CPtzKeypadDlg::ActionCode(int mode, int action) {
    if (mode == kModeLearn) {
        return action == kActionCall ? 4 : 2;
    }
    return action == kActionCall ? 1 : 0;
}

void CPtzKeypadDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPreset, m_btnPreset);
    DDX_Control(pDX, kIdLearn, m_btnLearn);
    DDX_Control(pDX, kIdDome, m_btnDome);
    DDX_Control(pDX, kIdSet, m_btnSet);
    DDX_Control(pDX, kIdCall, m_btnCall);
    DDX_Control(pDX, kIdOk, m_btnOk);
    DDX_Control(pDX, kIdClose, m_btnClose);
    for (int d = 0; d < 10; ++d) {
        DDX_Control(pDX, int(kIdDigitFirst) + d, m_btnDigit[std::size_t(d)]);
    }
    DDX_Control(pDX, kIdTour, m_btnTour);
}

BOOL CPtzKeypadDlg::OnInitDialog() {
    CPtzPadDlg::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_PTZ_KEYPAD);
    CSkinTextButton* text[] = {&m_btnPreset, &m_btnLearn, &m_btnDome, &m_btnSet, &m_btnCall, &m_btnOk};
    for (std::size_t i = 0; i < std::size(kTextButtons); ++i) {
        SetUpFrameTextButton(*text[i], IDB_PTZ_KEYPAD_TEXT_BUTTONS, kTextButtons[i].caption);
        text[i]->MoveWindow(kTextButtons[i].x, kTextButtons[i].y, 100, 26);
    }
    m_btnClose.LoadBitmap(IDB_PTZ_KEYPAD_CLOSE);
    m_btnClose.MoveWindow(296, 2, 22, 22);
    for (const KeyPlace& k : kKeys) {
        CSkinButton& key = k.id == kIdTour ? m_btnTour : m_btnDigit[k.id - kIdDigitFirst];
        key.LoadBitmap(IDB_PTZ_KEYPAD_1 + (k.id - kIdDigitFirst));
        key.MoveWindow(k.x, k.y, 30, 26);
    }
    if (IsRestrictedAccount()) {
        m_btnSet.Enable(FALSE);
    }
    LOGFONT lf{};
    lf.lfHeight = -20;
    lf.lfWeight = 700;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    m_fontNumber.CreateFontIndirect(&lf);
    OnPreset();
    return TRUE;
}

bool CPtzKeypadDlg::IsRestrictedAccount() {
    HelloInfo hello{};
    return m_host.GetHello(hello) && hello.account != 0;
}

void CPtzKeypadDlg::SetNumber(int number) {
    m_nNumber = number;
    InvalidateRect(&kNumberRect, TRUE);
}

void CPtzKeypadDlg::OnPreset() {
    m_nMode = kModePreset;
    m_nAction = kActionCall;
    m_btnPreset.SetState(kButtonOn);
    m_btnCall.SetState(kButtonOn);
    m_btnLearn.SetState(kButtonNormal);
    m_btnSet.SetState(kButtonNormal);
    m_btnDigit[kIdZero - kIdDigitFirst].Show(TRUE);
    m_btnTour.Show(TRUE);
    SetNumber(0);
}

void CPtzKeypadDlg::OnLearn() {
    m_nMode = kModeLearn;
    m_nAction = kActionCall;
    m_btnLearn.SetState(kButtonOn);
    m_btnCall.SetState(kButtonOn);
    m_btnPreset.SetState(kButtonNormal);
    m_btnSet.SetState(kButtonNormal);
    m_btnDigit[kIdZero - kIdDigitFirst].Show(FALSE);
    m_btnTour.Show(FALSE);
    SetNumber(0);
}

void CPtzKeypadDlg::OnSet() {
    if (IsRestrictedAccount()) {
        return;
    }
    m_nAction = kActionSet;
    m_btnSet.SetState(kButtonOn);
    m_btnCall.SetState(kButtonNormal);
    m_btnTour.Show(FALSE);
    SetNumber(0);
}

void CPtzKeypadDlg::OnCall() {
    m_nAction = kActionCall;
    m_btnCall.SetState(kButtonOn);
    m_btnSet.SetState(kButtonNormal);
    m_btnTour.Show(m_nMode == kModePreset ? TRUE : FALSE);
    SetNumber(0);
}

void CPtzKeypadDlg::OnDigit(int digit) {
    SetNumber(NextNumber(int(m_nMode), m_nNumber, digit));
}

void CPtzKeypadDlg::SendNumber(int number) {
    if (!m_conn || m_conn->IsClosed()) {
        HideAndClose();
        return;
    }
    const int code = ActionCode(int(m_nMode), int(m_nAction));
    if (CWnd* main = m_host.MainWindow()) {
        main->SendMessage(WM_KELO_PTZ_KEYPAD, WPARAM(code), LPARAM(number));
    }
    if (code == 1) {
        SetNumber(0); // a called preset leaves the pad open for the next one
        return;
    }
    HideAndClose();
}

void CPtzKeypadDlg::OnDome() {
    SendDomeCommand(m_conn.get(), kDomeMenuAccess);
    Trace("Send...PTZ_MOVE_REQ...DOME_MENU_ACCESS\n");
    CPtzDialogSet* set = GetSet();
    HideAndClose();
    if (set != nullptr && set->ControlPad() != nullptr) {
        set->ControlPad()->SetDomeMenuOpen(true);
        set->ShowIdd994Dlg();
    }
}

BOOL CPtzKeypadDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CPtzPadDlg::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= kIdDigitFirst && id <= kIdZero) {
        OnDigit(int(id - kIdDigitFirst) + 1);
        return TRUE;
    }
    switch (id) {
    case kIdPreset:
        OnPreset();
        return TRUE;
    case kIdLearn:
        OnLearn();
        return TRUE;
    case kIdSet:
        OnSet();
        return TRUE;
    case kIdCall:
        OnCall();
        return TRUE;
    case kIdOk:
        if (m_nNumber > 0) {
            SendNumber(m_nNumber);
        }
        return TRUE;
    case kIdTour:
        SendNumber(0);
        return TRUE;
    case kIdDome:
        OnDome();
        return TRUE;
    case kIdClose:
        HideAndClose();
        return TRUE;
    default:
        return CPtzPadDlg::OnCommand(wParam, lParam);
    }
}

BOOL CPtzKeypadDlg::OnEraseBkgnd(CDC* pDC) {
    CPtzPadDlg::OnEraseBkgnd(pDC);
    if (m_nNumber > 0) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", m_nNumber);
        CFont* old = pDC->SelectObject(&m_fontNumber);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(0x505050);
        CRect rect(kNumberRect);
        pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (old != nullptr) {
            pDC->SelectObject(old);
        }
    }
    return TRUE;
}
