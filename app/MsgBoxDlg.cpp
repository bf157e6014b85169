#include "app/MsgBoxDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <cstring>

namespace {

const DialogItem kItems[] = {
    {IDOK, "BUTTON", 111, 103, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "OK"},
    {IDCANCEL, "BUTTON", 158, 103, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Cancel"},
    {790, "STATIC", 0, 45, 308, 20, WS_VISIBLE | SS_CENTER},
    {791, "STATIC", 0, 22, 308, 20, WS_VISIBLE | SS_CENTER},
    {792, "STATIC", 0, 68, 308, 20, WS_VISIBLE | SS_CENTER},
};
const DialogTemplate kTemplate{.id = CMsgBoxDlg::IDD, .cx = 308, .cy = 136, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kBoxWidth = 308;
constexpr int kBoxHeight = 136;

} // namespace

CMsgBoxDlg::CMsgBoxDlg(CWnd* pParent, BYTE alpha) : CSkinDialog(IDD, pParent), m_nAlpha(alpha) {
    m_rcDrag = CRect(0, 0, kBoxWidth, kBoxHeight);
    m_keys = KeyPolicies::kSmallDialog;
}

void CMsgBoxDlg::SetLine(int index, const char* text, int width) {
    if (index < 0 || index >= 3) {
        return;
    }
    std::memset(m_szLine[index], 0, sizeof m_szLine[index]);
    if (text != nullptr) {
        std::strncpy(m_szLine[index], text, sizeof m_szLine[index] - 1);
    }
    m_nWidth[index] = width;
}

void CMsgBoxDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, 790, m_label[0]);
    DDX_Control(pDX, 791, m_label[1]);
    DDX_Control(pDX, 792, m_label[2]);
}

void CMsgBoxDlg::PlaceLabel(int index, UINT bitmap, int top, int bottom) {
    CSkinLabel& label = m_label[index];
    label.LoadBitmap(0, bitmap);
    const int width = m_nWidth[index];
    const int x = (kBoxWidth + 1 - width) / 2;
    label.MoveWindow(x, top, width, bottom - top);
    label.ShowWindow(SW_SHOW);
}

BOOL CMsgBoxDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION);

    const int lines = m_nLineCount < 1 ? 1 : (m_nLineCount > 3 ? 3 : m_nLineCount);
    for (int i = 0; i < 3; ++i) {
        m_label[i].ShowWindow(SW_HIDE);
    }
    for (int i = 0; i < lines; ++i) {
        m_label[i].SetTextStyle(0xFFFFFF, 0xFFFFFF, 0, 0, TRUE, 9, "Arial Bold");
        m_label[i].SetText(m_szLine[i]);
    }
    if (lines == 1) {
        PlaceLabel(0, IDB_NOTICE_BOX_PLATE_LINE_2, 45, 65);
    } else {
        PlaceLabel(0, IDB_NOTICE_BOX_PLATE_LINE_1, 22, 42);
        PlaceLabel(1, IDB_NOTICE_BOX_PLATE_LINE_2, 45, 65);
        if (lines == 3) {
            PlaceLabel(2, IDB_NOTICE_BOX_PLATE_LINE_3, 68, 88);
        }
    }

    SetUpTextButton(m_btnOK, IDB_DIALOG_BUTTON, IDS_OK, 0xA6A6A6);
    SetUpTextButton(m_btnCancel, IDB_DIALOG_BUTTON, IDS_CANCEL, 0xA6A6A6);
    switch (m_nButtonMode) {
    case 1:
        m_btnOK.MoveWindow(111, 103, 100, 27);
        m_btnCancel.ShowWindow(SW_HIDE);
        break;
    case 2:
        m_btnCancel.MoveWindow(111, 103, 100, 27);
        m_btnOK.ShowWindow(SW_HIDE);
        break;
    default:
        m_btnOK.MoveWindow(50, 103, 100, 27);
        m_btnCancel.MoveWindow(158, 103, 100, 27);
        m_btnOK.ShowWindow(SW_SHOW);
        m_btnCancel.ShowWindow(SW_SHOW);
        break;
    }

    ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(nullptr, 0, 0, kBoxWidth, kBoxHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    RedrawWindow();
    return TRUE;
}

void CMsgBoxDlg::OnOK() {
    // Enter presses the button the box shows: a box with Cancel alone answers Cancel.
    EndDialog(m_nButtonMode == 2 ? IDCANCEL : IDOK);
}

BOOL CMsgBoxDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kBoxWidth, kBoxHeight, FALSE, 0);
    return TRUE;
}
