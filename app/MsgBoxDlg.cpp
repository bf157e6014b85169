#include "app/MsgBoxDlg.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/window/ClientDC.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <algorithm>
#include <cstring>
#include <string>

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

// Three dots in one character (UTF-8), as the texts are.
constexpr const char* kEllipsis = "\xE2\x80\xA6";

// The byte where the character that starts at or before `at` begins (UTF-8).
std::size_t CharStart(const std::string& text, std::size_t at) {
    while (at > 0 && at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
        --at;
    }
    return at;
}

} // namespace

CMsgBoxDlg::CMsgBoxDlg(CWnd* pParent, BYTE alpha) : CSkinDialog(IDD, pParent), m_nAlpha(alpha) {
    m_rcDrag = CRect(0, 0, kBoxWidth, kBoxHeight);
    m_keys = KeyPolicies::kSmallDialog;
}

void CMsgBoxDlg::SetLine(int index, const char* text) {
    if (index < 0 || index >= 3) {
        return;
    }
    std::memset(m_szLine[index], 0, sizeof m_szLine[index]);
    if (text != nullptr) {
        std::string whole(text);
        const std::size_t room = sizeof m_szLine[index] - 1;
        if (whole.size() > room) {
            // Too long to hold: its middle goes, as when it is too wide to show.
            const std::size_t half = (room - std::strlen(kEllipsis)) / 2;
            const std::size_t head = CharStart(whole, half);
            std::size_t tail = whole.size() - (room - std::strlen(kEllipsis) - head);
            while (tail < whole.size() && (static_cast<unsigned char>(whole[tail]) & 0xC0) == 0x80) {
                ++tail;
            }
            whole = whole.substr(0, head) + kEllipsis + whole.substr(tail);
        }
        std::memcpy(m_szLine[index], whole.data(), std::min(whole.size(), room));
    }
    m_nWidth[index] = 0;
}

CString CMsgBoxDlg::FitText(const CString& text, int room, const std::function<int(const CString&)>& measure) {
    if (measure(text) <= room) {
        return text;
    }
    const std::string whole(text.GetString());
    // Drop characters from the middle, one side then the other, until the rest fits.
    std::size_t head = CharStart(whole, whole.size() / 2);
    std::size_t tail = head;
    bool fromHead = true;
    while (head > 0 || tail < whole.size()) {
        if ((fromHead && head > 0) || tail >= whole.size()) {
            head = CharStart(whole, head - 1);
        } else {
            std::size_t next = tail + 1;
            while (next < whole.size() && (static_cast<unsigned char>(whole[next]) & 0xC0) == 0x80) {
                ++next;
            }
            tail = next;
        }
        fromHead = !fromHead;
        const CString cut((whole.substr(0, head) + kEllipsis + whole.substr(tail)).c_str());
        if (measure(cut) <= room) {
            return cut;
        }
    }
    return CString(kEllipsis);
}

void CMsgBoxDlg::FitLine(int index) {
    CSkinLabel& label = m_label[index];
    CClientDC dc(&label);
    CFont font;
    LOGFONT lf = label.GetLogFont();
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    auto measure = [&dc](const CString& text) { return int(dc.GetTextExtent(text).cx); };
    const CString fitted = FitText(CString(m_szLine[index]), kLineRoom, measure);
    SetLine(index, fitted);
    const int extent = measure(fitted);
    // The plate is never narrower than its text, nor wider than the box.
    m_nWidth[index] = std::min(std::max(extent, int(double(extent) * m_dScale)), kBoxWidth - 4);
    dc.SelectObject(old);
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
        m_label[i].SetTextStyle(0xFFFFFF, 0xFFFFFF, 0, 0, TRUE, kTextPoints, "Arial Bold");
        FitLine(i);
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
