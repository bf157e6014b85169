#include "setup/TimeServerIpCtrl.h"

#include "platform/gdi/DC.h"
#include "platform/window/ClientDC.h"

#include <cstdlib>

namespace {

constexpr UINT kFirstFieldId = 1;
constexpr int kFieldWidth = 52;
constexpr int kDotWidth = 10;
constexpr COLORREF kTextColour = 0x783C3C;

} // namespace

CTimeServerIpCtrl::CTimeServerIpCtrl() = default;

CTimeServerIpCtrl::~CTimeServerIpCtrl() = default;

void CTimeServerIpCtrl::CreateFields() {
    if (m_fields[0].GetSafeHwnd() != nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    for (int i = 0; i < kFields; ++i) {
        const int x = 2 + i * (kFieldWidth + kDotWidth);
        const RECT rect{x, 1, x + kFieldWidth, client.Height() - 1};
        CNumberEdit& field = m_fields[std::size_t(i)];
        field.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER, rect, this, kFirstFieldId + UINT(i));
        field.SetLimitText(3);
        field.SetTextColor(kTextColour);
    }
}

int CTimeServerIpCtrl::FieldValue(int i) const {
    char text[8] = {};
    m_fields[std::size_t(i)].GetWindowText(text, int(sizeof text));
    return std::atoi(text);
}

void CTimeServerIpCtrl::SetAddress(const BYTE address[kFields]) {
    m_bSetting = true;
    for (int i = 0; i < kFields; ++i) {
        CString text;
        text.Format("%d", address[i]);
        m_fields[std::size_t(i)].SetWindowText(text);
    }
    m_bSetting = false;
}

void CTimeServerIpCtrl::GetAddress(BYTE address[kFields]) const {
    for (int i = 0; i < kFields; ++i) {
        address[i] = BYTE(FieldValue(i));
    }
}

void CTimeServerIpCtrl::FocusFirstField() {
    m_fields[0].SetFocus();
}

BOOL CTimeServerIpCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) != EN_CHANGE || id < kFirstFieldId || id >= kFirstFieldId + kFields) {
        return CStatic::OnCommand(wParam, lParam);
    }
    if (m_bSetting) {
        return TRUE;
    }
    // A field never holds more than one byte.
    const int i = int(id - kFirstFieldId);
    if (FieldValue(i) > 255) {
        m_bSetting = true;
        m_fields[std::size_t(i)].SetWindowText("255");
        m_bSetting = false;
    }
    if (CWnd* parent = GetParent()) {
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), EN_CHANGE), LPARAM(GetSafeHwnd()));
    }
    return TRUE;
}

BOOL CTimeServerIpCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CTimeServerIpCtrl::OnPaint() {
    CPaintDC dc(this);
    CDC* pDC = &dc;
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, 0xFFFFFF);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kTextColour);
    for (int i = 1; i < kFields; ++i) {
        const int x = 2 + i * (kFieldWidth + kDotWidth) - kDotWidth;
        RECT dot{x, 0, x + kDotWidth, client.Height()};
        pDC->DrawText(".", &dot, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
