#include "setup/SpotSetupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RowBoxes.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = CSpotSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kBackgrounds[4] = {IDB_SPOT_PAGE_MODES, IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS,
                                  IDB_SPOT_PAGE_GROUPS_FOUR, IDB_SPOT_PAGE_GROUPS_EIGHT};
constexpr int kLabelCount = int(C::IDC_LAST_LABEL - C::IDC_MODE_LABEL + 1);
// The pairs of these modes are never shown; mode 5's pair takes the fifth line.
constexpr int kHiddenModes[2] = {4, 6};

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_MODE_COLUMN, "BUTTON", 2, 0, 200, 24, kButton});
    items.push_back({C::IDC_DURATION_COLUMN, "BUTTON", 202, 0, 200, 24, kButton});
    items.push_back({C::IDC_EVENT_COLUMN, "BUTTON", 202, 0, 200, 24, kButton});
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    for (int r = 0; r < 16; ++r) {
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, 30 + 23 * r, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_SLIDER + UINT(r), "STATIC", 103, 33 + 23 * r, 190, 9, WS_VISIBLE});
        items.push_back({C::IDC_EVENT_ON + UINT(r), "BUTTON", 135, 29 + 23 * r, 100, 17, kButton});
        items.push_back({C::IDC_EVENT_OFF + UINT(r), "BUTTON", 236, 29 + 23 * r, 100, 17, kButton});
    }
    for (int i = 0; i < kLabelCount; ++i) {
        items.push_back({C::IDC_MODE_LABEL + UINT(i), "STATIC", 28, 32, 60, 14, WS_VISIBLE});
    }
    for (int m = 0; m < C::kModeCount; ++m) {
        items.push_back({C::IDC_MODE_ON + UINT(m), "BUTTON", 175, 29 + 23 * m, 100, 17, kButton});
        items.push_back({C::IDC_MODE_OFF + UINT(m), "BUTTON", 276, 29 + 23 * m, 100, 17, kButton});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

// Where a duration row's box, slider and dwell text lie (plus 23 per row) in modes 0, 1 and 2: the
// controls of a group sit in the middle of its channel labels.
struct DurationLayout {
    int box;
    int slider;
    int text;
};
constexpr DurationLayout kDurationLayouts[3] = {{30, 33, 31}, {65, 67, 65}, {111, 113, 111}};

// The dwell text of row r: its own in mode 0, its group's in modes 1 and 2.
UINT DwellTextId(int row, int mode) {
    if (mode == 1) {
        return C::IDC_GROUP4_TEXT + UINT(row / 4);
    }
    if (mode == 2) {
        return C::IDC_GROUP8_TEXT + UINT(row / 8);
    }
    return C::IDC_DWELL_TEXT + UINT(row);
}

// The group leader of row r in a mode with groups (mode 1: four, mode 2: eight); r itself otherwise.
int LeaderOf(int row, int mode) {
    if (mode == 1) {
        return row - row % 4;
    }
    if (mode == 2) {
        return row - row % 8;
    }
    return row;
}

} // namespace

CSpotSetupDlg::CSpotSetupDlg(CWnd* pParent) : CSetupPage(IDD, kBackgrounds[0], pParent) {}

void CSpotSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int k = 0; k < 3; ++k) {
        DDX_Control(pDX, int(IDC_MODE_COLUMN) + k, m_btnColumn[std::size_t(k)]);
    }
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, m_boxes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_SLIDER) + r, m_sliders[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_EVENT_ON) + r, m_btnOn[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_EVENT_OFF) + r, m_btnOff[std::size_t(r)]);
    }
    for (int i = 0; i < kLabelCount; ++i) {
        DDX_Control(pDX, int(IDC_MODE_LABEL) + i, m_labels[std::size_t(i)]);
    }
    for (int m = 0; m < kModeCount; ++m) {
        DDX_Control(pDX, int(IDC_MODE_ON) + m, m_btnModeOn[std::size_t(m)]);
        DDX_Control(pDX, int(IDC_MODE_OFF) + m, m_btnModeOff[std::size_t(m)]);
    }
}

CString CSpotSetupDlg::DwellText(int seconds) {
    CString text;
    text.Format("%d %s", seconds, LoadResString(IDS_SEC).GetString());
    return text;
}

BOOL CSpotSetupDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    for (int i = 0; i < 4; ++i) {
        m_bmBackgrounds[std::size_t(i)].LoadBitmap(kBackgrounds[i]);
    }
    const int n = m_nChannels;
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        CSetupSkin::SetUpRowBox(m_boxes[i], 6, 30 + 23 * r);
        CBitmapSlider& slider = m_sliders[i];
        slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION);
        slider.MoveWindow(103, 33 + 23 * r, 190, 9);
        slider.SetMargin(0, 0, 0, 0);
        slider.SetRange(0, kSliderMax);
        m_boxes[i].ShowWindow(r < n ? SW_SHOW : SW_HIDE);
        slider.ShowWindow(r < n ? SW_SHOW : SW_HIDE);
    }
    static constexpr UINT kModeTexts[3] = {IDS_ALARM, IDS_MOTION, IDS_AUDIO_EVENT};
    for (UINT k = 0; k < 3; ++k) {
        CSetupSkin::SetUpCaption(Label(IDC_MODE_LABEL + k), CSetupSkin::At(12, 32 + 23 * int(k), 115, 14),
                                 LoadResString(kModeTexts[k]));
    }
    for (int r = 0; r < 16; ++r) {
        CSkinLabel& label = Label(IDC_CHANNEL_LABEL + UINT(r));
        CSetupSkin::SetUpCaption(label, CSetupSkin::At(28, 32 + 23 * r, 60, 14), RowName(r));
        label.ShowWindow(r < n ? SW_SHOW : SW_HIDE);
    }
    for (UINT id = IDC_DWELL_TEXT; id <= IDC_LAST_LABEL; ++id) {
        CSkinLabel& label = Label(id);
        label.LoadBitmap(0, id < IDC_GROUP4_TEXT   ? IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS
                            : id < IDC_GROUP8_TEXT ? IDB_SPOT_PAGE_VALUE_FIELD_GROUP_FOUR
                                                   : IDB_SPOT_PAGE_VALUE_FIELD_GROUP_EIGHT);
        label.SetTextStyle2(CSetupSkin::kValueColour, CSetupSkin::kValueColour, 0, 0, TRUE, 9, "Arial Bold");
    }
    CString eventCaption = LoadResString(IDS_ON);
    eventCaption += "/";
    eventCaption += LoadResString(IDS_OFF);
    static constexpr UINT kColumnBitmaps[3] = {IDB_COLUMN_BUTTONS_LEFT_HALF, IDB_COLUMN_BUTTONS_RIGHT_HALF,
                                               IDB_COLUMN_BUTTONS_RIGHT_HALF};
    const CString columnTexts[3] = {LoadResString(IDS_MODE), LoadResString(IDS_DURATION), eventCaption};
    for (int k = 0; k < 3; ++k) {
        CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kColumnBitmaps[k],
                                    CSetupSkin::At(k == 0 ? 2 : 202, 0, 200, 24), columnTexts[k],
                                    CSetupSkin::kColumnButtonColours);
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    const CString on = LoadResString(IDS_ON);
    const CString off = LoadResString(IDS_OFF);
    for (int m = 0; m < kModeCount; ++m) {
        CSetupSkin::SetUpTextButton(m_btnModeOn[std::size_t(m)], CSetupSkin::kOnButtonBitmap,
                                    CSetupSkin::At(175, 29 + 23 * m, 100, 17), on, CSetupSkin::kPageButtonColours, 38,
                                    FALSE);
        CSetupSkin::SetUpTextButton(m_btnModeOff[std::size_t(m)], CSetupSkin::kOffButtonBitmap,
                                    CSetupSkin::At(276, 29 + 23 * m, 100, 17), off, CSetupSkin::kPageButtonColours, 38,
                                    FALSE);
    }
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        CSetupSkin::SetUpTextButton(m_btnOn[i], CSetupSkin::kOnButtonBitmap, CSetupSkin::At(135, 29 + 23 * r, 100, 17),
                                    on, CSetupSkin::kPageButtonColours, 38, FALSE);
        CSetupSkin::SetUpTextButton(m_btnOff[i], CSetupSkin::kOffButtonBitmap,
                                    CSetupSkin::At(236, 29 + 23 * r, 100, 17), off, CSetupSkin::kPageButtonColours, 38,
                                    FALSE);
        m_btnOn[i].ShowWindow(r < n ? SW_SHOW : SW_HIDE);
        m_btnOff[i].ShowWindow(r < n ? SW_SHOW : SW_HIDE);
    }
    // Groups the recorder does not have cannot be chosen.
    if (n <= 4) {
        m_btnModeOn[2].Enable(FALSE);
        m_btnModeOff[2].Enable(FALSE);
    }
    if (n <= 8) {
        m_btnModeOn[3].Enable(FALSE);
        m_btnModeOff[3].Enable(FALSE);
    }
    for (int r = n; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        m_boxes[i].EnableWindow(FALSE);
        Label(IDC_CHANNEL_LABEL + UINT(r)).EnableWindow(FALSE);
        m_sliders[i].Enable(FALSE);
        m_btnOn[i].Enable(FALSE);
        m_btnOff[i].Enable(FALSE);
    }
    ShowModeColumn();
    return TRUE;
}

BOOL CSpotSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_MODE_ON && id < IDC_MODE_ON + 2 * kModeCount) {
        // On halves pass the mode, off halves 7 + the mode.
        SetMode(int(id - IDC_MODE_ON));
        return TRUE;
    }
    if (id >= IDC_EVENT_ON && id < IDC_EVENT_ON + 16) {
        OnEventOn(int(id - IDC_EVENT_ON));
        return TRUE;
    }
    if (id >= IDC_EVENT_OFF && id < IDC_EVENT_OFF + 16) {
        OnEventOff(int(id - IDC_EVENT_OFF));
        return TRUE;
    }
    if (id == IDC_ROW_BOX || id == IDC_ROW_BOX + 4 || id == IDC_ROW_BOX + 8 || id == IDC_ROW_BOX + 12) {
        OnGroupBox(id);
        return TRUE;
    }
    switch (id) {
    case IDC_MODE_COLUMN:
        ShowModeColumn();
        return TRUE;
    case IDC_DURATION_COLUMN:
        ShowDurationColumn();
        return TRUE;
    case IDC_EVENT_COLUMN:
        ShowEventColumn();
        return TRUE;
    case IDC_ALL_CHECK:
        OnAllCheck(true);
        return TRUE;
    case IDC_RETURN_ALL:
        OnAllCheck(false);
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

LRESULT CSpotSetupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        OnSliderMoved(UINT(wParam));
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

BOOL CSpotSetupDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackgrounds[std::size_t(m_nBackground)], 0, 0, kWidth, kHeight, TRUE, 0);
    return TRUE;
}

bool CSpotSetupDlg::IsTicked(int row) const {
    return CSetupSkin::IsTicked(m_boxes[std::size_t(row)]);
}

void CSpotSetupDlg::SetLabelsShown(UINT first, UINT last, bool show) {
    for (UINT id = first; id <= last; ++id) {
        Label(id).ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

void CSpotSetupDlg::HideModeButtons() {
    for (int m = 0; m < kModeCount; ++m) {
        m_btnModeOn[std::size_t(m)].ShowWindow(SW_HIDE);
        m_btnModeOff[std::size_t(m)].ShowWindow(SW_HIDE);
    }
}

void CSpotSetupDlg::ShowColumnButtons(int mode) {
    m_btnColumn[1].ShowWindow(mode < 4 ? SW_SHOW : SW_HIDE);
    m_btnColumn[2].ShowWindow(mode >= 4 ? SW_SHOW : SW_HIDE);
}

void CSpotSetupDlg::ShowModePairs(int chosen) {
    for (int m = 0; m < kModeCount; ++m) {
        m_btnModeOn[std::size_t(m)].SetState(m == chosen ? kButtonOn : kButtonNormal);
        m_btnModeOff[std::size_t(m)].SetState(m == chosen ? kButtonNormal : kButtonOn);
    }
}

void CSpotSetupDlg::ShowModeColumn() {
    m_nBackground = 0;
    Invalidate();
    m_btnColumn[0].SetState(kButtonOn);
    m_btnColumn[1].SetState(kButtonNormal);
    m_btnColumn[2].SetState(kButtonNormal);
    const int mode = Db().spot_mode;
    ShowColumnButtons(mode);
    m_btnAllCheck.ShowWindow(SW_HIDE);
    m_btnReturnAll.ShowWindow(SW_HIDE);
    for (int r = 0; r < m_nChannels; ++r) {
        const std::size_t i = std::size_t(r);
        m_boxes[i].ShowWindow(SW_HIDE);
        m_sliders[i].ShowWindow(SW_HIDE);
        m_btnOn[i].ShowWindow(SW_HIDE);
        m_btnOff[i].ShowWindow(SW_HIDE);
    }
    SetLabelsShown(IDC_CHANNEL_LABEL, IDC_LAST_LABEL, false);
    for (int m = 0; m < kModeCount; ++m) {
        m_btnModeOn[std::size_t(m)].MoveWindow(175, 29 + 23 * m, 100, 17);
        m_btnModeOff[std::size_t(m)].MoveWindow(276, 29 + 23 * m, 100, 17);
        m_btnModeOn[std::size_t(m)].ShowWindow(SW_SHOW);
        m_btnModeOff[std::size_t(m)].ShowWindow(SW_SHOW);
    }
    ShowModePairs(mode);
    Label(IDC_MODE_LABEL).ShowWindow(SW_HIDE);
    Label(IDC_MODE_LABEL + 2).ShowWindow(SW_HIDE);
    for (int m : kHiddenModes) {
        m_btnModeOn[std::size_t(m)].ShowWindow(SW_HIDE);
        m_btnModeOff[std::size_t(m)].ShowWindow(SW_HIDE);
    }
    Label(IDC_MODE_LABEL + 1).MoveWindow(12, 124, 115, 14);
    Label(IDC_MODE_LABEL + 1).ShowWindow(SW_SHOW);
    m_btnModeOn[5].MoveWindow(175, 121, 100, 17);
    m_btnModeOff[5].MoveWindow(276, 121, 100, 17);
}

void CSpotSetupDlg::SetMode(int i) {
    if (i < 0 || i >= kModeCount) {
        return;
    }
    ShowModePairs(i);
    SetupDatabase& db = Db();
    db.spot_mode = BYTE(i);
    ShowColumnButtons(i);
    // A group's dwell is its first channel's; the copies cover all 16 channels.
    if (i == 1 || i == 2) {
        for (int r = 0; r < 16; ++r) {
            db.spot_dwell[r] = db.spot_dwell[LeaderOf(r, i)];
        }
    }
}

void CSpotSetupDlg::ShowDurationColumn() {
    const int mode = Db().spot_mode;
    const int n = m_nChannels;
    if (!(mode == 0 || (mode == 1 && n >= 5) || (mode == 2 && n >= 9))) {
        m_nBackground = 0;
        return;
    }
    m_nBackground = mode + 1;
    Invalidate();
    m_btnColumn[0].SetState(kButtonNormal);
    m_btnColumn[1].SetState(kButtonOn);
    m_btnColumn[2].SetState(kButtonNormal);
    m_btnAllCheck.ShowWindow(SW_SHOW);
    m_btnReturnAll.ShowWindow(SW_SHOW);
    for (int r = 0; r < 16; ++r) {
        m_btnOn[std::size_t(r)].ShowWindow(SW_HIDE);
        m_btnOff[std::size_t(r)].ShowWindow(SW_HIDE);
    }
    HideModeButtons();
    SetLabelsShown(IDC_MODE_LABEL, IDC_MODE_LABEL + 2, false);
    SetLabelsShown(IDC_DWELL_TEXT, IDC_LAST_LABEL, false);
    for (int r = 0; r < n; ++r) {
        const std::size_t i = std::size_t(r);
        CSkinLabel& channel = Label(IDC_CHANNEL_LABEL + UINT(r));
        channel.MoveWindow(28, 32 + 23 * r, 60, 14);
        channel.ShowWindow(SW_SHOW);
        CSetupSkin::Tick(m_boxes[i], false);
        m_sliders[i].SetPos(Db().spot_dwell[r] / kDwellUnit);
        const bool leader = LeaderOf(r, mode) == r;
        m_boxes[i].ShowWindow(leader ? SW_SHOW : SW_HIDE);
        m_sliders[i].ShowWindow(leader ? SW_SHOW : SW_HIDE);
        if (!leader) {
            continue;
        }
        const DurationLayout& at = kDurationLayouts[mode];
        const UINT text = DwellTextId(r, mode);
        m_boxes[i].MoveWindow(6, at.box + 23 * r, 15, 15);
        m_sliders[i].MoveWindow(103, at.slider + 23 * r, 190, 9);
        Label(text).MoveWindow(315, at.text + 23 * r, 72, 14);
        Label(text).SetText(DwellText(m_sliders[i].GetPos() * kDwellUnit));
        Label(text).ShowWindow(SW_SHOW);
    }
}

void CSpotSetupDlg::ShowEventColumn() {
    m_nBackground = 1;
    Invalidate();
    m_btnColumn[0].SetState(kButtonNormal);
    m_btnColumn[1].SetState(kButtonNormal);
    m_btnColumn[2].SetState(kButtonOn);
    m_btnAllCheck.ShowWindow(SW_SHOW);
    m_btnReturnAll.ShowWindow(SW_SHOW);
    SetLabelsShown(IDC_MODE_LABEL, IDC_MODE_LABEL + 2, false);
    SetLabelsShown(IDC_DWELL_TEXT, IDC_LAST_LABEL, false);
    for (int r = 0; r < m_nChannels; ++r) {
        const std::size_t i = std::size_t(r);
        CSkinLabel& channel = Label(IDC_CHANNEL_LABEL + UINT(r));
        channel.MoveWindow(28, 32 + 23 * r, 60, 14);
        channel.ShowWindow(SW_SHOW);
        CSetupSkin::Tick(m_boxes[i], false);
        m_boxes[i].MoveWindow(6, 30 + 23 * r, 15, 15);
        m_boxes[i].ShowWindow(SW_SHOW);
        m_sliders[i].ShowWindow(SW_HIDE);
        m_btnOn[i].ShowWindow(SW_SHOW);
        m_btnOff[i].ShowWindow(SW_SHOW);
        ShowEventSwitch(r, Db().spot_event_switch[r] == 1);
    }
    HideModeButtons();
}

void CSpotSetupDlg::ApplyDwell(int row, int position, int mode, bool moveSlider) {
    const std::size_t i = std::size_t(row);
    if (moveSlider) {
        m_sliders[i].SetPos(position);
    }
    Label(DwellTextId(row, mode)).SetText(DwellText(position * kDwellUnit));
    Db().spot_dwell[row] = BYTE(position * kDwellUnit);
}

void CSpotSetupDlg::OnSliderMoved(UINT id) {
    const int k = int(id) - int(IDC_ROW_SLIDER);
    const int mode = Db().spot_mode;
    if (k < 0 || k >= m_nChannels || mode > 2) {
        return;
    }
    const int p = m_sliders[std::size_t(k)].GetPos();
    const bool kTicked = IsTicked(k);
    for (int r = 0; r < m_nChannels; ++r) {
        if (LeaderOf(r, mode) == k) {
            // The moved row itself, and in the group modes the rest of its group.
            ApplyDwell(r, p, mode, false);
        } else if (kTicked && IsTicked(r)) {
            ApplyDwell(r, p, mode, true);
        }
    }
}

void CSpotSetupDlg::OnGroupBox(UINT id) {
    const int row = int(id - IDC_ROW_BOX);
    const int mode = Db().spot_mode;
    int size = 0;
    if (mode == 1) {
        size = 4;
    } else if (mode == 2 && row % 8 == 0) {
        size = 8;
    }
    // The hidden member rows follow their leader's mark, so a leader's slider reaches them.
    const bool tick = IsTicked(row);
    for (int r = row + 1; r < row + size && r < 16; ++r) {
        CSetupSkin::Tick(m_boxes[std::size_t(r)], tick);
    }
}

void CSpotSetupDlg::ShowEventSwitch(int row, bool on) {
    m_btnOn[std::size_t(row)].SetState(on ? kButtonOn : kButtonNormal);
    m_btnOff[std::size_t(row)].SetState(on ? kButtonNormal : kButtonOn);
}

void CSpotSetupDlg::SetEvent(int row, bool on) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    const bool ticked = IsTicked(row);
    for (int r = 0; r < m_nChannels; ++r) {
        if (r == row || (ticked && IsTicked(r))) {
            ShowEventSwitch(r, on);
            Db().spot_event_switch[r] = on ? 1 : 0;
        }
    }
}

void CSpotSetupDlg::OnEventOn(int row) {
    SetEvent(row, true);
}

void CSpotSetupDlg::OnEventOff(int row) {
    SetEvent(row, false);
}

void CSpotSetupDlg::OnAllCheck(bool tick) {
    TickRows(m_boxes, m_nChannels, tick);
}
