#include "setup/RecGeneralDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RecordBudget.h"
#include "setup/SetupDlg.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

namespace {

using C = CRecGeneralDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
// The item tables hold 30-byte texts.
constexpr int kItemChars = 29;
constexpr UINT kOldBackground = IDB_PAGE_RECORD_GENERAL;
constexpr UINT kNewBackground = IDB_PAGE_OSD_BASIC;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_REGION, "BUTTON", 241, 396, 160, 22, kButton});
    for (int row = 0; row < 2; ++row) {
        items.push_back({C::IDC_ON + UINT(row), "BUTTON", 182, 6 + 23 * row, 100, 17, kButton});
        items.push_back({C::IDC_OFF + UINT(row), "BUTTON", 283, 6 + 23 * row, 100, 17, kButton});
    }
    for (UINT id = 790; id <= 804; ++id) {
        const bool selector = id >= C::IDC_RESOLUTION && id <= C::IDC_OPTION;
        items.push_back({id, "STATIC", 9, 9, 148, 14, WS_VISIBLE | (selector ? SS_NOTIFY : 0u)});
    }
    items.push_back({C::IDC_CHANNEL_CAPTION, "STATIC", 9, 170, 148, 14, WS_VISIBLE});
    items.push_back({C::IDC_CHANNEL, "STATIC", 220, 169, 135, 14, WS_VISIBLE | SS_NOTIFY});
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

// One row of the page: its caption and what shows its value.
struct Row {
    UINT caption;
    UINT captionText;
    int onOffRow;  // the On/Off pair of this row, -1 for a selector
    UINT selector; // 0 for an On/Off row
    int selectorX;
    int selectorWidth;
    UINT unit; // 0 for none
    UINT unitText;
};
constexpr Row kRows[8] = {
    {790, IDS_OVERWRITE, 0, 0, 0, 0, 0, 0},
    {791, IDS_EVENT_RECORD, 1, 0, 0, 0, 0, 0},
    {792, IDS_RESOLUTION, -1, C::IDC_RESOLUTION, 220, 130, 0, 0},
    {793, IDS_RECORD_RATE, -1, C::IDC_RATE, 225, 70, 802, IDS_IPS},
    {794, IDS_PRE_EVENT, -1, C::IDC_VALUE0, 225, 70, 803, IDS_SEC},
    {795, IDS_POST_EVENT, -1, C::IDC_VALUE1, 225, 70, 804, IDS_SEC},
    {796, IDS_QUALITY, -1, C::IDC_OPTION, 220, 135, 0, 0},
    {C::IDC_CHANNEL_CAPTION, IDS_AUDIO, -1, C::IDC_CHANNEL, 220, 135, 0, 0},
};
// The rows a newer recorder shows, top to bottom.
constexpr int kNewerRows[4] = {1, 5, 6, 7};

CString Number(int value, const char* format = "%d") {
    CString text;
    text.Format(format, value);
    return text;
}

} // namespace

CRecGeneralDlg::CRecGeneralDlg(CWnd* pParent) : CSetupPage(IDD, kOldBackground, pParent) {}

std::size_t CRecGeneralDlg::LabelIndex(UINT id) {
    if (id == IDC_CHANNEL_CAPTION) {
        return 15;
    }
    if (id == IDC_CHANNEL) {
        return 16;
    }
    return std::size_t(std::clamp<UINT>(id, 790, 804) - 790);
}

bool CRecGeneralDlg::IsNewerLayout(BYTE major, BYTE minor) {
    return major > 4 || (major == 4 && minor > 2);
}

void CRecGeneralDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REGION, m_btnRegion);
    for (int row = 0; row < 2; ++row) {
        DDX_Control(pDX, int(IDC_ON) + row, m_btnOn[std::size_t(row)]);
        DDX_Control(pDX, int(IDC_OFF) + row, m_btnOff[std::size_t(row)]);
    }
    for (UINT id = 790; id <= 804; ++id) {
        DDX_Control(pDX, int(id), Label(id));
    }
    DDX_Control(pDX, IDC_CHANNEL_CAPTION, Label(IDC_CHANNEL_CAPTION));
    DDX_Control(pDX, IDC_CHANNEL, Label(IDC_CHANNEL));
}

void CRecGeneralDlg::BuildItemLists() {
    m_resolutions.clear();
    for (UINT text : {IDS_4CIF, IDS_2CIF, IDS_CIF}) {
        m_resolutions.push_back(CutText(LoadResString(text), kItemChars));
    }
    m_values0.clear();
    for (WORD value : kValue0Items) {
        m_values0.push_back(Number(value));
    }
    m_options.clear();
    for (UINT text : {IDS_HIGH, IDS_MIDDLE, IDS_LOW}) {
        m_options.push_back(CutText(LoadResString(text), kItemChars));
    }
    m_channels.clear();
    for (int ch = 0; ch < kSetupChannels; ++ch) {
        m_channels.push_back(CutText(RowName(ch), kItemChars));
    }
}

BOOL CRecGeneralDlg::OnInitDialog() {
    BuildItemLists();
    CSetupPage::OnInitDialog();
    const bool newer = m_pFrame != nullptr && IsNewerLayout(m_pFrame->m_nMajor, m_pFrame->m_nMinor);
    if (newer) {
        LoadBackground(kNewBackground, CRect(0, 0, kWidth, kHeight));
    }
    InitLayout(newer);
    ShowValues();
    return TRUE;
}

void CRecGeneralDlg::InitLayout(bool newer) {
    std::array<int, 8> place{};
    if (newer) {
        place.fill(-1);
        for (int k = 0; k < 4; ++k) {
            place[std::size_t(kNewerRows[k])] = k;
        }
    } else {
        for (int k = 0; k < 8; ++k) {
            place[std::size_t(k)] = k;
        }
    }
    for (int k = 0; k < 8; ++k) {
        const Row& row = kRows[k];
        const int at = place[std::size_t(k)];
        const int y = 23 * std::max(at, 0);
        CSetupSkin::SetUpCaption(Label(row.caption), CSetupSkin::At(9, 9 + y, 148, 14), LoadResString(row.captionText));
        if (row.onOffRow >= 0) {
            const auto r = std::size_t(row.onOffRow);
            CSetupSkin::SetUpTextButton(m_btnOn[r], CSetupSkin::kOnButtonBitmap, CSetupSkin::At(182, 6 + y, 100, 17),
                                        LoadResString(IDS_ON), CSetupSkin::kPageButtonColours, 38, FALSE);
            CSetupSkin::SetUpTextButton(m_btnOff[r], CSetupSkin::kOffButtonBitmap, CSetupSkin::At(283, 6 + y, 100, 17),
                                        LoadResString(IDS_OFF), CSetupSkin::kPageButtonColours, 38, FALSE);
        } else {
            CSetupSkin::SetUpSelector(Label(row.selector), CSetupSkin::At(row.selectorX, 8 + y, row.selectorWidth, 14));
        }
        if (row.unit != 0) {
            CSetupSkin::SetUpCaption(Label(row.unit), CSetupSkin::At(320, 8 + y, 60, 14), LoadResString(row.unitText),
                                     CSetupSkin::kValueColour);
        }
        if (at < 0) {
            Label(row.caption).ShowWindow(SW_HIDE);
            if (row.onOffRow >= 0) {
                m_btnOn[std::size_t(row.onOffRow)].ShowWindow(SW_HIDE);
                m_btnOff[std::size_t(row.onOffRow)].ShowWindow(SW_HIDE);
            } else {
                Label(row.selector).ShowWindow(SW_HIDE);
            }
            if (row.unit != 0) {
                Label(row.unit).ShowWindow(SW_HIDE);
            }
        }
    }
    // Row 0 is shown, never edited.
    m_btnOn[0].SetState(kButtonNormal);
    m_btnOff[0].SetState(kButtonNormal);
    m_btnOn[0].Enable(FALSE);
    m_btnOff[0].Enable(FALSE);

    CSetupSkin::SetUpTextButton(m_btnRegion, CSetupSkin::kWideButtonBitmap, CSetupSkin::At(241, 396, 160, 22),
                                LoadResString(IDS_REGION_BUTTON), CSetupSkin::kPageButtonColours);
    if (m_pFrame != nullptr && m_pFrame->RecorderSubType() == kNoRegionSubType) {
        m_btnRegion.ShowWindow(SW_HIDE);
    }
}

void CRecGeneralDlg::ShowValues() {
    const SetupDatabase& db = Db();
    Label(IDC_RESOLUTION).SetText(ItemOrNumber(m_resolutions, db.rec_resolution_class));
    Label(IDC_RATE).SetText(Number(db.rec_single_rate));
    const WORD* item = std::find(std::begin(kValue0Items), std::end(kValue0Items), db.rec_value0);
    // A value the list does not hold shows as its first item.
    Label(IDC_VALUE0).SetText(m_values0[item != std::end(kValue0Items) ? std::size_t(item - kValue0Items) : 0]);
    Label(IDC_VALUE1).SetText(Number(db.rec_value1));
    Label(IDC_OPTION).SetText(ItemOrNumber(m_options, db.rec_selector));
    Label(IDC_CHANNEL).SetText(ItemOrNumber(m_channels, db.rec_channel_selector));
    const bool on = db.rec_onoff2 == 1;
    m_btnOn[1].SetState(on ? kButtonOn : kButtonNormal);
    m_btnOff[1].SetState(on ? kButtonNormal : kButtonOn);
}

BOOL CRecGeneralDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code != BN_CLICKED && code != STN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    switch (id) {
    case IDC_REGION:
        OnRegion();
        return TRUE;
    case IDC_ON:
    case IDC_ON + 1:
        SetRowOn(int(id - IDC_ON));
        return TRUE;
    case IDC_OFF:
    case IDC_OFF + 1:
        SetRowOff(int(id - IDC_OFF));
        return TRUE;
    case IDC_RESOLUTION:
    case IDC_RATE:
    case IDC_VALUE0:
    case IDC_VALUE1:
    case IDC_OPTION:
    case IDC_CHANNEL:
        OpenSelector(id);
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

int CRecGeneralDlg::GetDefaultRate(int code) const {
    return SingleRateMax(Db().video_standard, code, m_nChannels);
}

void CRecGeneralDlg::OpenSelector(UINT id) {
    CSkinLabel& selector = Label(id);
    if (!CSetupSkin::HasText(selector)) {
        return;
    }
    switch (id) {
    case IDC_RESOLUTION:
        OpenList(selector, kKindResolution, m_resolutions, 140);
        break;
    case IDC_RATE:
        OpenRateList();
        break;
    case IDC_VALUE0:
        OpenList(selector, kKindValue0, m_values0, 70);
        break;
    case IDC_VALUE1:
        OpenSliderRow();
        break;
    case IDC_OPTION:
        OpenList(selector, kKindOption, m_options, 140);
        break;
    case IDC_CHANNEL:
        OpenList(selector, kKindChannel,
                 std::span<const CString>(m_channels).first(std::size_t(std::clamp(m_nChannels, 1, kSetupChannels))),
                 120);
        break;
    default:
        break;
    }
}

void CRecGeneralDlg::OpenRateList() {
    std::vector<CString> rates;
    for (int rate = 0; rate <= GetDefaultRate(Db().rec_resolution_class); ++rate) {
        rates.push_back(Number(rate));
    }
    OpenList(Label(IDC_RATE), kKindRate, rates, 200, 1);
}

void CRecGeneralDlg::OpenSliderRow() {
    OpenSlider(Label(IDC_VALUE1), kKindValue1, 1, Db().rec_value1, kValue1Min, kValue1Max, 268, kSliderModeValue);
}

void CRecGeneralDlg::OnListResult(int kind, int index) {
    SetupDatabase& db = Db();
    switch (kind) {
    case kKindResolution:
        if (index < 0 || index >= int(m_resolutions.size())) {
            return;
        }
        // Choosing a resolution, even the same one, resets the rate to the largest that fits.
        db.rec_single_rate = BYTE(GetDefaultRate(index));
        Label(IDC_RATE).SetText(Number(db.rec_single_rate));
        if (db.rec_resolution_class != index) {
            db.rec_resolution_class = BYTE(index);
            Label(IDC_RESOLUTION).SetText(m_resolutions[std::size_t(index)]);
        }
        break;
    case kKindRate:
        if (index < 0 || index > GetDefaultRate(db.rec_resolution_class)) {
            return;
        }
        db.rec_single_rate = BYTE(index);
        Label(IDC_RATE).SetText(Number(index));
        break;
    case kKindValue0:
        if (index < 0 || index >= int(std::size(kValue0Items))) {
            return;
        }
        db.rec_value0 = kValue0Items[index];
        Label(IDC_VALUE0).SetText(m_values0[std::size_t(index)]);
        break;
    case kKindOption:
        if (index < 0 || index >= int(m_options.size())) {
            return;
        }
        db.rec_selector = BYTE(index);
        Label(IDC_OPTION).SetText(m_options[std::size_t(index)]);
        break;
    case kKindChannel:
        if (index < 0 || index >= std::min(m_nChannels, kSetupChannels)) {
            return;
        }
        db.rec_channel_selector = BYTE(index);
        Label(IDC_CHANNEL).SetText(m_channels[std::size_t(index)]);
        break;
    default:
        break;
    }
}

void CRecGeneralDlg::OnSliderResult(int kind, int value0, int /*value1*/) {
    if (kind != kKindValue1) {
        return;
    }
    const int value = std::clamp(value0, kValue1Min, kValue1Max);
    Label(IDC_CAPTION + UINT(kind)).SetText(Number(value, "%02d"));
    Db().rec_value1 = WORD(value);
}

void CRecGeneralDlg::SetRow(int row, int value) {
    if (row < 0 || row > 1) {
        return;
    }
    m_btnOn[std::size_t(row)].SetState(value != 0 ? kButtonOn : kButtonNormal);
    m_btnOff[std::size_t(row)].SetState(value != 0 ? kButtonNormal : kButtonOn);
    (row == 0 ? Db().rec_onoff1 : Db().rec_onoff2) = BYTE(value);
    ClosePopups();
}

void CRecGeneralDlg::SetRowOn(int row) {
    SetRow(row, 1);
}

void CRecGeneralDlg::SetRowOff(int row) {
    SetRow(row, 0);
}

void CRecGeneralDlg::OnRegion() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_REC_REGION_DLG);
    }
}
