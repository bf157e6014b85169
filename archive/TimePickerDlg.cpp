#include "archive/TimePickerDlg.h"

#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

const DialogItem kItems[] = {
    {790, "STATIC", 18, 9, 44, 14, WS_VISIBLE},
    {791, "STATIC", 18, 30, 44, 14, WS_VISIBLE},
    {792, "STATIC", 18, 51, 44, 14, WS_VISIBLE},
    {793, "STATIC", 313, 9, 32, 14, WS_VISIBLE},
    {794, "STATIC", 313, 30, 32, 14, WS_VISIBLE},
    {795, "STATIC", 313, 51, 32, 14, WS_VISIBLE},
    {510, "STATIC", 110, 10, 190, 9, WS_VISIBLE | SS_NOTIFY},
    {511, "STATIC", 110, 31, 190, 9, WS_VISIBLE | SS_NOTIFY},
    {512, "STATIC", 110, 52, 190, 9, WS_VISIBLE | SS_NOTIFY},
};
const DialogTemplate kRemoteTemplate{.id = CTimePickerDlg::IDD,
                                     .cx = 358,
                                     .cy = 73,
                                     .style = WS_POPUP,
                                     .items = kItems,
                                     .fontFace = "System",
                                     .fontPointSize = 10};
const DialogTemplate kLocalTemplate{
    .id = 138, .cx = 358, .cy = 73, .style = WS_POPUP, .items = kItems, .fontFace = "System", .fontPointSize = 10};
const DialogTemplateRegistration kRemoteRegistered(kRemoteTemplate);
const DialogTemplateRegistration kLocalRegistered(kLocalTemplate);

constexpr UINT kRowNames[3] = {IDS_HOUR, IDS_MIN, IDS_SEC};
constexpr int kRangeMax[3] = {23, 59, 59};
// The round left end of the 9-pixel track.
constexpr int kSliderLitAtZero = 5;

} // namespace

CTimePickerDlg::CTimePickerDlg(CWnd* page, UINT field, const TimePickerRequest& request, UINT idd)
    : CDialog(idd, page), m_pPage(page), m_nField(field), m_request(request) {}

BOOL CTimePickerDlg::Create(IPickerHost& host) {
    m_pHost = &host;
    return CDialog::Create(m_nIDTemplate, host.PickerOwner());
}

void CTimePickerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int k = 0; k < 6; ++k) {
        DDX_Control(pDX, 790 + k, m_label[k]);
    }
    for (int i = 0; i < 3; ++i) {
        DDX_Control(pDX, int(kIdFirstSlider) + i, m_slider[i]);
    }
}

BOOL CTimePickerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_layout = MakeTimePickerLayout(m_request.rows, int(m_request.width));
    for (int i = 0; i < 9; ++i) {
        m_bmFrame[i].LoadBitmap(m_layout.frame[std::size_t(i)].bitmap);
    }
    for (int i = 0; i < 3; ++i) {
        m_bmCell[i].LoadBitmap(IDB_POPUP_ROW_LEFT_CAP + UINT(i));
    }
    m_nHour = m_request.hour;
    m_nMinute = m_request.minute;
    m_nSecond = m_request.second;
    const DWORD initial[3] = {m_request.hour, m_request.minute, m_request.second};
    for (int i = 0; i < 3; ++i) {
        CSkinLabel& name = m_label[i];
        CSkinLabel& value = m_label[3 + i];
        CBitmapSlider& slider = m_slider[i];
        if (i >= m_layout.rows) {
            name.ShowWindow(SW_HIDE);
            value.ShowWindow(SW_HIDE);
            slider.ShowWindow(SW_HIDE);
            continue;
        }
        name.LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS);
        name.SetTextStyle(0x783C3C, 0x783C3C, 0, 0, TRUE, 9, "Arial Bold");
        name.MoveWindow(18, 9 + 21 * i, 44, 14);
        name.SetText(LoadResString(kRowNames[i]));
        value.LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS);
        value.SetTextStyle(0x783C3C, 0x783C3C, 0, 0, TRUE, 9, "Arial Bold");
        value.MoveWindow(313, 9 + 21 * i, 32, 14);
        slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION, FALSE,
                                0xFF000000);
        slider.SetDrawOption(TRUE, FALSE);
        slider.SetMargin(0, 0, 0, 0);
        slider.MoveWindow(110, 10 + 21 * i, 190, 9);
        // Hour, minute and second 0 are common: the track's round left end stays lit to show them.
        slider.SetLitMinimum(kSliderLitAtZero);
        slider.SetRange(0, kRangeMax[i], FALSE);
        slider.SetPos(int(initial[i] > DWORD(kRangeMax[i]) ? DWORD(kRangeMax[i]) : initial[i]));
        CString text;
        text.Format("%d", slider.GetPos());
        value.SetText(text);
    }
    const POINT origin = PickerOrigin(m_request.anchor, m_request.clickX, m_request.clickY, m_layout.width);
    MoveWindow(origin.x, origin.y, m_layout.width, m_layout.height + 10);
    SetOpacity(GetSafeHwnd(), 255);
    return TRUE;
}

BOOL CTimePickerDlg::OnEraseBkgnd(CDC* pDC) {
    for (int i = 0; i < 9; ++i) {
        const PickerPiece& p = m_layout.frame[std::size_t(i)];
        DrawBitmap(pDC, m_bmFrame[i], p.rect.left, p.rect.top, p.rect.right, p.rect.bottom, p.stretch, 0);
    }
    for (const auto& cell : m_layout.cells) {
        for (int c = 0; c < 3; ++c) {
            const PickerPiece& p = cell[std::size_t(c)];
            DrawBitmap(pDC, m_bmCell[c], p.rect.left, p.rect.top, p.rect.right, p.rect.bottom, p.stretch, 0);
        }
    }
    return TRUE;
}

LRESULT CTimePickerDlg::OnSliderMoved(WPARAM sliderId, LPARAM) {
    const int i = int(sliderId) - int(kIdFirstSlider);
    if (i < 0 || i > 2) {
        return 0;
    }
    const int position = m_slider[i].m_nPos;
    CString text;
    text.Format("%d", position);
    m_label[3 + i].SetText(text);
    const DWORD value = DWORD(position < 0 ? 0 : position);
    if (i == 0) {
        m_nHour = value;
    } else if (i == 1) {
        m_nMinute = value;
    } else {
        m_nSecond = value;
    }
    return 0;
}

LRESULT CTimePickerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        return OnSliderMoved(wParam, lParam);
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CTimePickerDlg::OnClose() {
    DestroyWindow();
}

void CTimePickerDlg::OnDestroy() {
    // The time goes back only now: the picker has no button that confirms it.
    if (m_pHost != nullptr) {
        m_pHost->OnTimePicked(m_pPage, m_nField, int(m_nHour), int(m_nMinute), int(m_nSecond));
        m_pHost->OnPickerDestroyed(this);
    }
    CDialog::OnDestroy();
}

void CTimePickerDlg::PostNcDestroy() {
    // The popup belongs to its window: it was handed over when the window was made.
    delete this;
}
