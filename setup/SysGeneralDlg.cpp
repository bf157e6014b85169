#include "setup/SysGeneralDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/ReasonCodes.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"
#include "setup/SetupText.h"
#include "setup/VideoStandardChange.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = CSysGeneralDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int r = 0; r < 5; ++r) {
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 10, 9 + 23 * r, 120, 14, WS_VISIBLE});
    }
    for (int r = 0; r < 5; ++r) {
        items.push_back({C::IDC_LANGUAGE + UINT(r), "STATIC", 190, 8 + 23 * r, 150, 14, WS_VISIBLE | SS_NOTIFY});
    }
    items.push_back({C::IDC_INITIALIZE, "BUTTON", 241, 396, 160, 22, kButton});
    items.push_back({C::IDC_DEINTERLACE, "BUTTON", 241, 368, 160, 22, kButton});
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

// The most languages the popup offers (a recorder names up to 64).
constexpr int kMaxLanguageItems = kListPopupLongItems;

} // namespace

CSysGeneralDlg::CSysGeneralDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_SYSTEM_GENERAL, pParent) {}

void CSysGeneralDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int i = 0; i < 10; ++i) {
        DDX_Control(pDX, int(IDC_ROW_LABEL) + i, m_labels[std::size_t(i)]);
    }
    DDX_Control(pDX, IDC_INITIALIZE, m_btnInitialize);
    DDX_Control(pDX, IDC_DEINTERLACE, m_btnDeinterlace);
}

void CSysGeneralDlg::BuildLists() {
    m_dateFormats = {LoadResString(IDS_YYYY_MM_DD), LoadResString(IDS_MM_DD_YYYY), LoadResString(IDS_DD_MM_YYYY)};
    m_standards = {"NTSC", "PAL"};
    m_ids.clear();
    for (int id = 0; id < 100; ++id) {
        CString text;
        text.Format("%02d", id);
        m_ids.push_back(text);
    }
    m_row5 = {LoadResString(IDS_4CIF), LoadResString(IDS_2CIF), LoadResString(IDS_CIF)};
}

LanguageSource CSysGeneralDlg::ReadLanguages() {
    m_codes = SysEtcInfo{};
    m_bNames = false;
    if (const CDvrClient* client = Client()) {
        m_codes = client->Setup().GetSysEtcInfo();
        m_bNames = client->Setup().GetSysEtcInfoEx(m_names);
    }
    return LanguageSource{&m_codes, m_bNames ? &m_names : nullptr};
}

CString CSysGeneralDlg::GetLanguageName(int slot) const {
    return LanguageText(LanguageSource{&m_codes, m_bNames ? &m_names : nullptr}, slot);
}

BOOL CSysGeneralDlg::OnInitDialog() {
    BuildLists();
    CSetupPage::OnInitDialog();
    static constexpr UINT kRowTexts[4] = {IDS_LANGUAGE, IDS_DATE_FORMAT, IDS_VIDEO_STANDARD, IDS_RECORDER_ID};
    for (int r = 0; r < 5; ++r) {
        CSetupSkin::SetUpCaption(RowLabel(r), CSetupSkin::At(10, 9 + 23 * r, 120, 14),
                                 r < 4 ? LoadResString(kRowTexts[r]) : CString());
        CSetupSkin::SetUpSelector(Selector(IDC_LANGUAGE + UINT(r)), CSetupSkin::At(190, 8 + 23 * r, 150, 14));
    }
    CSetupSkin::SetUpTextButton(m_btnInitialize, CSetupSkin::kWideButtonBitmap, CSetupSkin::At(241, 396, 160, 22),
                                LoadResString(IDS_INITIALIZE), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnDeinterlace, CSetupSkin::kWideButtonBitmap, CSetupSkin::At(241, 368, 160, 22),
                                LoadResString(IDS_DEINTERLACE), CSetupSkin::kPageButtonColours);

    const SetupDatabase& db = Db();
    ReadLanguages();
    const CString language = GetLanguageName(db.language);
    Selector(IDC_LANGUAGE).SetText(language.IsEmpty() ? ItemOrNumber({}, db.language) : language);
    Selector(IDC_DATE_FORMAT).SetText(ItemOrNumber(m_dateFormats, db.date_format));
    Selector(IDC_STANDARD).SetText(ItemOrNumber(m_standards, db.video_standard));
    Selector(IDC_RECORDER_ID).SetText(ItemOrNumber(m_ids, db.recorder_id, true));
    return TRUE;
}

BOOL CSysGeneralDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == STN_CLICKED) {
        switch (id) {
        case IDC_LANGUAGE:
            OnLanguage();
            return TRUE;
        case IDC_DATE_FORMAT:
            OnDateFormat();
            return TRUE;
        case IDC_STANDARD:
            OnVideoStandard();
            return TRUE;
        case IDC_RECORDER_ID:
            OnRecorderId();
            return TRUE;
        case IDC_INITIALIZE:
            OnInitialize();
            return TRUE;
        case IDC_DEINTERLACE:
            OnDeinterlace();
            return TRUE;
        default:
            break;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CSysGeneralDlg::OnLanguage() {
    CSkinLabel& selector = Selector(IDC_LANGUAGE);
    if (!CSetupSkin::HasText(selector)) {
        return;
    }
    m_languages = LanguageChoices(ReadLanguages(), kMaxLanguageItems);
    if (m_languages.empty()) {
        return;
    }
    std::vector<CString> items;
    for (const LanguageChoice& choice : m_languages) {
        items.push_back(choice.text);
    }
    OpenList(selector, kKindLanguage, items, 160);
}

void CSysGeneralDlg::OnDateFormat() {
    CSkinLabel& selector = Selector(IDC_DATE_FORMAT);
    if (CSetupSkin::HasText(selector)) {
        OpenList(selector, kKindDateFormat, m_dateFormats, 166);
    }
}

void CSysGeneralDlg::OnVideoStandard() {
    CSkinLabel& selector = Selector(IDC_STANDARD);
    if (CSetupSkin::HasText(selector)) {
        OpenList(selector, kKindStandard, m_standards, 100);
    }
}

void CSysGeneralDlg::OnRecorderId() {
    CSkinLabel& selector = Selector(IDC_RECORDER_ID);
    if (!CSetupSkin::HasText(selector) || m_pFrame == nullptr || Client() == nullptr) {
        return;
    }
    if (m_pFrame->RecorderSubType() == kSliderIdSubType) {
        OpenSlider(selector, kKindIdSlider, 1, Db().recorder_id, 0, 99, 268, kSliderModeValue);
        return;
    }
    OpenList(selector, kKindId, std::span<const CString>(m_ids).first(kListedIds), 60);
}

void CSysGeneralDlg::OnListResult(int kind, int index) {
    SetupDatabase& db = Db();
    switch (kind) {
    case kKindLanguage:
        // The list leaves out empty slots, so the item's own slot is stored, not its place in the list.
        if (index >= 0 && index < int(m_languages.size())) {
            const LanguageChoice& choice = m_languages[std::size_t(index)];
            Selector(IDC_LANGUAGE).SetText(choice.text);
            db.language = BYTE(choice.slot);
        }
        break;
    case kKindDateFormat:
        if (index >= 0 && index < int(m_dateFormats.size())) {
            Selector(IDC_DATE_FORMAT).SetText(m_dateFormats[std::size_t(index)]);
            db.date_format = BYTE(index);
        }
        break;
    case kKindStandard:
        ChooseVideoStandard(index);
        break;
    case kKindId:
        if (index >= 0 && index < kListedIds) {
            Selector(IDC_RECORDER_ID).SetText(m_ids[std::size_t(index)]);
            db.recorder_id = BYTE(index);
        }
        break;
    default:
        break;
    }
}

void CSysGeneralDlg::OnSliderResult(int kind, int value0, int) {
    if (kind != kKindIdSlider || value0 < 0 || value0 > 255) {
        return;
    }
    CString text;
    text.Format("%02d", value0);
    Selector(IDC_RECORDER_ID).SetText(text);
    Db().recorder_id = BYTE(value0);
}

void CSysGeneralDlg::ChooseVideoStandard(int standard) {
    if (standard != kStandardNtsc && standard != kStandardPal) {
        return;
    }
    SetupDatabase& db = Db();
    ApplyVideoStandard(db, standard, m_pFrame != nullptr ? m_pFrame->ChannelCount() : kSetupChannels);
    Selector(IDC_STANDARD).SetText(m_standards[std::size_t(standard)]);
    Selector(IDC_ROW5).SetText(ItemOrNumber(m_row5, db.resolution));
}

void CSysGeneralDlg::OnInitialize() {
    if (m_pFrame == nullptr || m_pFrame->m_pMainWnd == nullptr) {
        return;
    }
    m_pFrame->m_pMainWnd->PostMessage(WM_KELO_NOTICE, reinterpret_cast<WPARAM>(m_pFrame->GetSafeHwnd()),
                                      kNoticeInitializeSetup);
}

void CSysGeneralDlg::OnDeinterlace() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_DEINTERLACE_DLG);
    }
}
