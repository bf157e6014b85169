#include "setup/RecResRatePage.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RowBoxes.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CRecResRatePage;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kRowPitch = 23;

// Slider channel bitmaps: the part above the position, and the part below it for rates and days or
// for sensitivity.
constexpr UINT kSliderChannel = IDB_SETUP_SLIDER_PART_ABOVE_POSITION;
constexpr UINT kSliderRateActive = IDB_SETUP_SLIDER_PART_BELOW_POSITION;
constexpr UINT kSliderSensitivityActive = IDB_SENSITIVITY_SLIDER_PART_BELOW_POSITION;
constexpr UINT kDaysBackground = IDB_PAGE_COLUMN_BUTTONS_OVER_OPEN_AREA;
constexpr COLORREF kNoteColour = 0xC3C300;

constexpr UINT kResolutionTexts[3] = {IDS_4CIF, IDS_2CIF, IDS_CIF};
constexpr UINT kRateUnitText = IDS_IPS;
constexpr UINT kDaysUnitText = IDS_DAYS;

CString ValueWithUnit(int value, UINT unitText) {
    CString text;
    text.Format("%d %s", value, LoadResString(unitText).GetString());
    return text;
}

void Show(CWnd& wnd, bool show) {
    if (wnd.GetSafeHwnd() != nullptr) {
        wnd.ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

} // namespace

CRecResRatePage::CRecResRatePage(const Design& design, CWnd* pParent)
    : CSetupPage(design.idd, IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS, pParent), m_design(design) {}

std::vector<DialogItem> CRecResRatePage::TemplateItems(bool onOffPage) {
    std::vector<DialogItem> items;
    for (int k = 0; k < 4; ++k) {
        items.push_back({C::IDC_COLUMN + UINT(k), "BUTTON", 2 + 100 * k, 0, 100, 24, kButton});
    }
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    items.push_back({C::IDC_SUBPAGE, "BUTTON", 304, 396, 97, 22, kButton});
    for (int r = 0; r < kRecordRows; ++r) {
        const int y = kRowPitch * r;
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, 30 + y, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        if (!onOffPage || r == 0) {
            items.push_back({C::IDC_ROW_SLIDER + UINT(r), "STATIC", 103, 33 + y, 190, 9, WS_VISIBLE});
            items.push_back({C::IDC_ROW_VALUE + UINT(r), "STATIC", 315, 31 + y, 72, 14, WS_VISIBLE});
        }
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 28, 32 + y, 50, 14, WS_VISIBLE});
        items.push_back({C::IDC_4CIF + UINT(r), "BUTTON", 90, 29 + y, 100, 17, kButton});
        items.push_back({C::IDC_2CIF + UINT(r), "BUTTON", 191, 29 + y, 100, 17, kButton});
        items.push_back({C::IDC_CIF + UINT(r), "BUTTON", 292, 29 + y, 100, 17, kButton});
        items.push_back({C::IDC_ROW_ON + UINT(r), "BUTTON", 135, 29 + y, 100, 17, kButton});
        items.push_back({C::IDC_ROW_OFF + UINT(r), "BUTTON", 236, 29 + y, 100, 17, kButton});
    }
    return items;
}

void CRecResRatePage::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int k = 0; k < 4; ++k) {
        DDX_Control(pDX, int(IDC_COLUMN) + k, m_btnColumn[std::size_t(k)]);
    }
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    DDX_Control(pDX, IDC_SUBPAGE, m_btnSubPage);
    for (int r = 0; r < kRecordRows; ++r) {
        const auto i = std::size_t(r);
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, m_boxes[i]);
        if (!m_design.onOffPage || r == 0) {
            DDX_Control(pDX, int(IDC_ROW_SLIDER) + r, m_sliders[i]);
            DDX_Control(pDX, int(IDC_ROW_VALUE) + r, m_values[i]);
        }
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, m_labels[i]);
        DDX_Control(pDX, int(IDC_4CIF) + r, m_radios[0][i]);
        DDX_Control(pDX, int(IDC_2CIF) + r, m_radios[1][i]);
        DDX_Control(pDX, int(IDC_CIF) + r, m_radios[2][i]);
        DDX_Control(pDX, int(IDC_ROW_ON) + r, m_btnOn[i]);
        DDX_Control(pDX, int(IDC_ROW_OFF) + r, m_btnOff[i]);
    }
}

BOOL CRecResRatePage::OnInitDialog() {
    CSetupPage::OnInitDialog();
    if (m_design.onOffPage) {
        m_bmDays.LoadBitmap(kDaysBackground);
    }
    InitControls();
    ShowColumn(kColumnResolution);
    return TRUE;
}

void CRecResRatePage::InitControls() {
    const COLORREF(&page)[4] = CSetupSkin::kPageButtonColours;
    const UINT columnTexts[4] = {IDS_RESOLUTION_COLUMN, m_design.onOffPage ? IDS_ON_OFF : IDS_RATE, IDS_AUDIO,
                                 m_design.onOffPage ? IDS_DAYS : IDS_SENSITIVITY};
    if (m_design.thirdColumn) {
        static constexpr UINT kBitmaps[4] = {IDB_FOUR_COLUMN_BUTTONS_LEFT, IDB_FOUR_COLUMN_BUTTONS_MIDDLE,
                                             IDB_FOUR_COLUMN_BUTTONS_MIDDLE, IDB_FOUR_COLUMN_BUTTONS_RIGHT};
        for (int k = 0; k < 4; ++k) {
            CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kBitmaps[k],
                                        CSetupSkin::At(2 + 100 * k, 0, 100, 24), LoadResString(columnTexts[k]),
                                        CSetupSkin::kColumnButtonColours);
        }
    } else {
        static constexpr UINT kBitmaps[3] = {IDB_THREE_COLUMN_BUTTONS_LEFT, IDB_THREE_COLUMN_BUTTONS_MIDDLE,
                                             IDB_THREE_COLUMN_BUTTONS_RIGHT};
        for (int k = 0; k < 3; ++k) {
            CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kBitmaps[k],
                                        CSetupSkin::At(2 + 133 * k, 0, 133, 24), LoadResString(columnTexts[k]),
                                        CSetupSkin::kColumnButtonColours);
        }
        m_btnColumn[3].ShowWindow(SW_HIDE);
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), page);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), page);
    if (m_design.subPageCaption != 0) {
        CSetupSkin::SetUpTextButton(m_btnSubPage, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                    LoadResString(m_design.subPageCaption), page);
    }
    m_btnSubPage.ShowWindow(m_design.subPageCaption != 0 && ShowsSubPageButton() ? SW_SHOW : SW_HIDE);

    for (int r = 0; r < kRecordRows; ++r) {
        const auto i = std::size_t(r);
        const int y = kRowPitch * r;
        CSetupSkin::SetUpRowBox(m_boxes[i], 6, 30 + y);
        CSetupSkin::SetUpCaption(m_labels[i], CSetupSkin::At(28, 32 + y, 50, 14), RowName(r));
        if (m_sliders[i].GetSafeHwnd() != nullptr) {
            CBitmapSlider& slider = m_sliders[i];
            slider.SetBitmapChannel(kSliderChannel, kSliderRateActive);
            slider.MoveWindow(103, 33 + y, 190, 9);
            slider.SetMargin(0, 0, 0, 0);
            slider.SetDrawOption(TRUE, FALSE);
            CSetupSkin::SetUpValueText(m_values[i], CSetupSkin::At(315, 31 + y, 72, 14), "");
        }
        for (int code = 0; code < 3; ++code) {
            CSetupSkin::SetUpTextButton(m_radios[std::size_t(code)][i], CSetupSkin::kOffButtonBitmap,
                                        CSetupSkin::At(90 + 101 * code, 29 + y, 100, 17),
                                        LoadResString(kResolutionTexts[code]), page, 38, FALSE);
        }
        CSetupSkin::SetUpTextButton(m_btnOn[i], CSetupSkin::kOnButtonBitmap, CSetupSkin::At(135, 29 + y, 100, 17),
                                    LoadResString(IDS_ON), page, 38, FALSE);
        CSetupSkin::SetUpTextButton(m_btnOff[i], CSetupSkin::kOffButtonBitmap, CSetupSkin::At(236, 29 + y, 100, 17),
                                    LoadResString(IDS_OFF), page, 38, FALSE);
    }
}

BOOL CRecResRatePage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    const auto in = [id](UINT first, int count) { return id >= first && id < first + UINT(count); };
    if (in(IDC_COLUMN, 4)) {
        ShowColumn(int(id - IDC_COLUMN));
    } else if (id == IDC_ALL_CHECK) {
        OnAllCheck();
    } else if (id == IDC_RETURN_ALL) {
        OnReturnAll();
    } else if (id == IDC_SUBPAGE) {
        OnSubPage();
    } else if (in(IDC_4CIF, kRecordRows)) {
        SetResolutionAll(kResolution4Cif, int(id - IDC_4CIF));
    } else if (in(IDC_2CIF, kRecordRows)) {
        SetResolutionAll(kResolution2Cif, int(id - IDC_2CIF));
    } else if (in(IDC_CIF, kRecordRows)) {
        SetResolutionAll(kResolutionCif, int(id - IDC_CIF));
    } else if (in(IDC_ROW_ON, kRecordRows)) {
        SetRowValue(int(id - IDC_ROW_ON), 1);
    } else if (in(IDC_ROW_OFF, kRecordRows)) {
        SetRowValue(int(id - IDC_ROW_OFF), 0);
    } else {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    return TRUE;
}

LRESULT CRecResRatePage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        return OnSliderMoved(wParam, lParam);
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

BOOL CRecResRatePage::OnEraseBkgnd(CDC* pDC) {
    if (!m_design.onOffPage || m_nColumn != kColumnDays) {
        return CSetupPage::OnEraseBkgnd(pDC);
    }
    DrawBitmap(pDC, m_bmDays, 0, 0, kWidth, kHeight, TRUE, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kNoteColour);
    CRect first(0, 180, kWidth, 200);
    pDC->DrawText(LoadResString(IDS_DAYS_TO_KEEP_THE_RECORDINGS_OF), &first, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    CRect second(0, 205, kWidth, 225);
    pDC->DrawText(LoadResString(IDS_NONE_KEEPS_THEM_UNTIL_THE_DISK), &second, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return TRUE;
}

BYTE* CRecResRatePage::Rates() const {
    return Db().*(m_design.arrays.rate);
}

BYTE* CRecResRatePage::Audio() const {
    return Db().*(m_design.arrays.audio);
}

BYTE* CRecResRatePage::Sensitivity() const {
    return m_design.arrays.sensitivity != nullptr ? Db().*(m_design.arrays.sensitivity) : nullptr;
}

BYTE* CRecResRatePage::Resolutions() const {
    return Db().*(m_design.arrays.resolution);
}

bool CRecResRatePage::IsGroupModeNow() const {
    return IsGroupMode(Resolutions(), m_nChannels);
}

bool CRecResRatePage::IsTicked(int r) {
    return r < m_nChannels && CSetupSkin::IsTicked(m_boxes[std::size_t(r)]);
}

std::array<bool, kRecordRows> CRecResRatePage::TickedRowsNow() {
    std::array<bool, kRecordRows> ticked{};
    for (int r = 0; r < kRecordRows; ++r) {
        ticked[std::size_t(r)] = IsTicked(r);
    }
    return ticked;
}

void CRecResRatePage::ShowRow(int r, bool box, bool label, bool slider, bool value, bool radios, bool onOff) {
    const auto i = std::size_t(r);
    Show(m_boxes[i], box);
    Show(m_labels[i], label);
    Show(m_sliders[i], slider);
    Show(m_values[i], value);
    for (auto& column : m_radios) {
        Show(column[i], radios);
    }
    Show(m_btnOn[i], onOff);
    Show(m_btnOff[i], onOff);
}

void CRecResRatePage::HideAllRows() {
    for (int r = 0; r < kRecordRows; ++r) {
        ShowRow(r, false, false, false, false, false, false);
    }
}

void CRecResRatePage::ShowPageButtons(bool show) {
    Show(m_btnAllCheck, show);
    Show(m_btnReturnAll, show);
}

void CRecResRatePage::LightResolution(int r, int code) {
    const int lit = code == kResolution2Cif ? 1 : (code == kResolutionCif ? 2 : 0);
    for (int k = 0; k < 3; ++k) {
        m_radios[std::size_t(k)][std::size_t(r)].SetState(k == lit ? kButtonOn : kButtonNormal);
    }
}

void CRecResRatePage::LightOnOff(int r, bool on) {
    m_btnOn[std::size_t(r)].SetState(on ? kButtonOn : kButtonNormal);
    m_btnOff[std::size_t(r)].SetState(on ? kButtonNormal : kButtonOn);
}

void CRecResRatePage::SetAudioPair(int r, bool enabled) {
    m_btnOn[std::size_t(r)].Enable(enabled ? TRUE : FALSE);
    m_btnOff[std::size_t(r)].Enable(enabled ? TRUE : FALSE);
}

void CRecResRatePage::ShowRateValue(int r, int value) {
    m_values[std::size_t(r)].SetText(ValueWithUnit(value, kRateUnitText));
}

void CRecResRatePage::ShowSensitivityValue(int r, int position) {
    const UINT text = SensitivityTextId(position);
    m_values[std::size_t(r)].SetText(text != 0 ? LoadResString(text) : CString());
}

void CRecResRatePage::ShowDays(int days) {
    m_values[0].SetText(ValueWithUnit(days, kDaysUnitText));
}

void CRecResRatePage::ShowColumn(int column) {
    if (column < kColumnResolution || column > kColumnThird || (column == kColumnThird && !m_design.thirdColumn)) {
        return;
    }
    m_nColumn = column;
    for (int k = 0; k < 4; ++k) {
        m_btnColumn[std::size_t(k)].SetState(k == column ? kButtonOn : kButtonNormal);
    }
    if (m_design.onOffPage) {
        Invalidate();
    }
    TickRows(m_boxes, m_nChannels, false);
    HideAllRows();
    const int n = m_nChannels;
    const bool group = IsGroupModeNow();
    BYTE* rates = Rates();
    BYTE* audio = Audio();
    switch (column) {
    case kColumnResolution: {
        const BYTE* resolutions = Resolutions();
        for (int r = 0; r < n; ++r) {
            LightResolution(r, resolutions[r]);
        }
        // One set of buttons, channel 1's; a click sets every channel.
        ShowRow(0, false, false, false, false, true, false);
        ShowPageButtons(false);
        break;
    }
    case kColumnRate:
        for (int r = 0; r < n; ++r) {
            if (m_design.onOffPage) {
                SetAudioPair(r, true);
                LightOnOff(r, rates[r] == 1);
                ShowRow(r, !group, true, false, false, false, true);
                continue;
            }
            CBitmapSlider& slider = m_sliders[std::size_t(r)];
            slider.SetBitmapChannel(kSliderChannel, kSliderRateActive);
            slider.SetRange(0, RecordRateMax(Db().video_standard));
            slider.SetPos(rates[r]);
            ShowRateValue(r, slider.GetPos());
            ShowRow(r, !group, true, true, true, false, false);
        }
        ShowPageButtons(!group);
        break;
    case kColumnAudio:
        for (int r = 0; r < n; ++r) {
            const bool recording = m_design.onOffPage ? rates[r] == 1 : rates[r] != 0;
            if (recording) {
                SetAudioPair(r, true);
                LightOnOff(r, audio[r] == 1);
            } else {
                // A channel that does not record has no audio.
                audio[r] = 0;
                SetAudioPair(r, false);
            }
        }
        // One pair, channel 1's.
        ShowRow(0, false, false, false, false, false, true);
        ShowPageButtons(false);
        break;
    default:
        if (m_design.onOffPage) {
            CBitmapSlider& slider = m_sliders[0];
            slider.SetBitmapChannel(kSliderChannel, kSliderRateActive);
            slider.SetRange(0, 90);
            slider.SetPos(Db().mode_f_days);
            ShowDays(slider.GetPos());
            Show(slider, true);
            Show(m_values[0], true);
            ShowPageButtons(false);
            break;
        }
        for (int r = 0; r < n; ++r) {
            CBitmapSlider& slider = m_sliders[std::size_t(r)];
            slider.SetBitmapChannel(kSliderChannel, kSliderSensitivityActive);
            slider.SetRange(0, 3);
            slider.SetPos(3 - int(Sensitivity()[r]));
            ShowSensitivityValue(r, slider.GetPos());
            ShowRow(r, true, true, true, true, false, false);
        }
        ShowPageButtons(true);
        break;
    }
}

void CRecResRatePage::OnAllCheck() {
    TickRows(m_boxes, m_nChannels, true);
}

void CRecResRatePage::OnReturnAll() {
    TickRows(m_boxes, m_nChannels, false);
}

void CRecResRatePage::SetResolutionAll(int code, int /*row*/) {
    if (code < kResolution4Cif || code > kResolutionCif) {
        return;
    }
    const int n = m_nChannels;
    BYTE* resolutions = Resolutions();
    for (int r = 0; r < n; ++r) {
        LightResolution(r, code);
        resolutions[r] = BYTE(code);
    }
    if (!m_design.onOffPage) {
        DefaultRates(Db().video_standard, code, n, Rates());
        return;
    }
    if (code != kResolutionCif) {
        return;
    }
    // Group mode starts with whole groups on: a group with any channel on is turned on whole.
    BYTE* onOff = Rates();
    for (int first = 0; first < n; first += 4) {
        bool anyOn = false;
        for (int r = first; r < first + 4 && r < kRecordRows; ++r) {
            anyOn = anyOn || onOff[r] == 1;
        }
        for (int r = first; anyOn && r < first + 4 && r < kRecordRows; ++r) {
            onOff[r] = 1;
        }
    }
}

void CRecResRatePage::SetRowValue(int row, int value) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    const bool onOffColumn = m_design.onOffPage && m_nColumn == kColumnOnOff;
    const bool groups = m_design.onOffPage && IsGroupModeNow();
    BYTE* rates = Rates();
    BYTE* bytes = onOffColumn ? rates : Audio();
    const std::vector<int> rows = groups ? GroupRows(row, m_nChannels) : TickedRows(row, TickedRowsNow(), m_nChannels);
    for (int r : rows) {
        const bool recording = m_design.onOffPage ? rates[r] == 1 : rates[r] != 0;
        // Audio is only switched on for a channel that records; a group is switched as one.
        if (!onOffColumn && value == 1 && !recording && !groups) {
            continue;
        }
        LightOnOff(r, value == 1);
        bytes[r] = BYTE(value);
    }
}

LRESULT CRecResRatePage::OnSliderMoved(WPARAM wParam, LPARAM /*lParam*/) {
    const int row = int(wParam) - int(IDC_ROW_SLIDER);
    if (row < 0 || row >= m_nChannels || m_sliders[std::size_t(row)].GetSafeHwnd() == nullptr) {
        return 0;
    }
    if (m_design.onOffPage) {
        if (m_nColumn == kColumnDays) {
            MoveDays();
        }
    } else if (!m_design.thirdColumn || m_nColumn == kColumnRate) {
        MoveRate(row);
    } else if (m_nColumn == kColumnThird && Sensitivity() != nullptr) {
        MoveSensitivity(row);
    }
    return 0;
}

void CRecResRatePage::MoveRate(int row) {
    RateMoveInput input;
    input.standard = Db().video_standard;
    input.channels = m_nChannels;
    input.rates = Rates();
    input.resolutions = Resolutions();
    input.ticked = TickedRowsNow();
    input.row = row;
    input.position = m_sliders[std::size_t(row)].GetPos();
    const RateMove move = PlanRateMove(input);
    BYTE* rates = Rates();
    BYTE* audio = Audio();
    for (int r : move.rows) {
        m_sliders[std::size_t(r)].SetPos(move.value);
        ShowRateValue(r, move.value);
        rates[r] = BYTE(move.value);
        if (move.value == 0) {
            audio[r] = 0;
        }
        SetAudioPair(r, move.value != 0);
    }
}

void CRecResRatePage::MoveSensitivity(int row) {
    const int thumb = SensitivityThumb(m_sliders[std::size_t(row)].GetPos());
    BYTE* sensitivity = Sensitivity();
    for (int r : TickedRows(row, TickedRowsNow(), m_nChannels)) {
        m_sliders[std::size_t(r)].SetPos(thumb);
        ShowSensitivityValue(r, thumb);
        sensitivity[r] = BYTE(3 - thumb);
    }
}

void CRecResRatePage::MoveDays() {
    const int days = DayCountOfPosition(m_sliders[0].GetPos());
    m_sliders[0].SetPos(days);
    ShowDays(days);
    Db().mode_f_days = BYTE(days);
}
