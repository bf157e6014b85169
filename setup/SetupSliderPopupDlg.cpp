#include "setup/SetupSliderPopupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"
#include "setupkit/SetupPopupLayout.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

namespace {

const DialogItem kItems[] = {
    {790, "STATIC", 0, 0, 44, 14, 0}, {791, "STATIC", 0, 0, 44, 14, 0}, {792, "STATIC", 0, 0, 44, 14, 0},
    {793, "STATIC", 0, 0, 37, 14, 0}, {794, "STATIC", 0, 0, 37, 14, 0}, {795, "STATIC", 0, 0, 37, 14, 0},
    {510, "STATIC", 0, 0, 190, 9, 0}, {511, "STATIC", 0, 0, 190, 9, 0},
};
const DialogTemplate kTemplate{
    .id = CSetupSliderPopupDlg::IDD, .cx = 150, .cy = 10, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kMinWidth = 20;

CString Number(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

CSetupSliderPopupDlg::CSetupSliderPopupDlg(CSetupPage* pOwner, int kind, const SliderPopupRequest& request, int mode)
    : CPopupFrameDlg(IDD, nullptr, Lifetime::kFrameFrees), m_pOwner(pOwner), m_nKind(kind), m_request(request),
      m_nMode(mode == kSliderModeClock ? kSliderModeClock : kSliderModeValue) {
    // The popup has two sliders.
    m_request.count = std::clamp(m_request.count, 1, kMaxSliders);
    if (m_request.width >= kMinWidth) {
        m_nWidth = m_request.width;
    }
    for (std::size_t i = 0; i < m_nResult.size(); ++i) {
        m_nResult[i] = m_request.value[i];
    }
}

BOOL CSetupSliderPopupDlg::Create(CSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CreateIn(pFrame, pFrame);
}

void CSetupSliderPopupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 6; ++i) {
        DDX_Control(pDX, int(kFirstName) + i, m_labels[std::size_t(i)]);
    }
    for (int i = 0; i < kMaxSliders; ++i) {
        DDX_Control(pDX, int(kFirstSlider) + i, m_sliders[std::size_t(i)]);
    }
}

BOOL CSetupSliderPopupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const int count = m_request.count;
    m_nHeight = count * kPopupRowHeight;
    LoadFrame();
    const bool clock = m_nMode == kSliderModeClock;
    for (int i = 0; i < count; ++i) {
        CSkinLabel& name = m_labels[std::size_t(i)];
        CSetupSkin::SetUpValueText(name, SliderNameLabelRect(i), LoadResString(IDS_HOUR + UINT(i)));
        name.ShowWindow(clock ? SW_SHOW : SW_HIDE);

        CBitmapSlider& slider = m_sliders[std::size_t(i)];
        slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION);
        const RECT track = SliderTrackRect(i, m_nMode);
        slider.MoveWindow(&track);
        slider.SetMargin(0, 0, 0, 0);
        if (clock) {
            slider.SetRange(0, i == 0 ? 23 : 59);
            slider.SetPos(m_request.value[i]);
        } else {
            slider.SetRange(m_request.value[1], m_request.value[2]);
            slider.SetPos(m_request.value[0]);
        }
        slider.ShowWindow(SW_SHOW);

        CSkinLabel& value = m_labels[std::size_t(3 + i)];
        CSetupSkin::SetUpValueText(value, SliderValueLabelRect(i, m_nMode), Number(slider.GetPos()));
        value.ShowWindow(SW_SHOW);
    }
    PlaceAt(m_request.anchor, m_request.clickX, m_request.clickY);
    return TRUE;
}

LRESULT CSetupSliderPopupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        const int i = int(wParam) - int(kFirstSlider);
        if (i >= 0 && i < m_request.count) {
            OnSliderMoved(i);
        }
        return 0;
    }
    return CPopupFrameDlg::WindowProc(message, wParam, lParam);
}

void CSetupSliderPopupDlg::OnSliderMoved(int i) {
    const int position = m_sliders[std::size_t(i)].GetPos();
    m_labels[std::size_t(3 + i)].SetText(Number(position));
    m_nResult[std::size_t(i)] = position;
}

BOOL CSetupSliderPopupDlg::OnEraseBkgnd(CDC* pDC) {
    DrawFrame(pDC);
    for (int i = 0; i < m_request.count; ++i) {
        if (m_nMode == kSliderModeClock) {
            DrawRow(pDC, SliderNameSegment(i));
            DrawRow(pDC, SliderTrackSegment(i, m_nWidth));
        } else {
            DrawRow(pDC, ListRowPieces(i, m_nWidth, false));
        }
    }
    return TRUE;
}

void CSetupSliderPopupDlg::OnDestroy() {
    if (!m_bDelivered) {
        m_bDelivered = true;
        if (m_pFrame != nullptr) {
            m_pFrame->OnSliderPopupResult(m_pOwner, m_nKind, m_nResult[0], m_nResult[1]);
        }
    }
    CPopupFrameDlg::OnDestroy();
}
