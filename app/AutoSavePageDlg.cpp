#include "app/AutoSavePageDlg.h"

#include "app/LocalSetupDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

#include <cstdio>
#include <vector>

namespace {

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (UINT id = 790; id <= 796; ++id) {
        items.push_back({id, "STATIC", 10, 9, 135, 14, WS_VISIBLE});
    }
    items.push_back({797, "STATIC", 200, 8, 180, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({798, "STATIC", 200, 123, 85, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({799, "STATIC", 290, 123, 100, 14, WS_VISIBLE});
    items.push_back({800, "STATIC", 160, 146, 230, 14, WS_VISIBLE | SS_NOTIFY});
    for (int e = 0; e < 4; ++e) {
        items.push_back({CAutoSavePageDlg::kIdFirstEdit + UINT(e), "EDIT", 158, 29 + 23 * e, 240, 17,
                         WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CLocalSetupPageDlg::PageTemplate(CAutoSavePageDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kCaptionTops[7] = {9, 32, 55, 78, 101, 124, 147};
constexpr COLORREF kEditColour = 0x783C3C;

std::string Number(long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    return text;
}

} // namespace

CAutoSavePageDlg::CAutoSavePageDlg() : CLocalSetupPageDlg(IDD, IDB_LOCAL_SETUP_PAGE_AUTO_SAVE) {}

std::string CAutoSavePageDlg::ActivationText(DWORD value) {
    if (value > 1) {
        return {};
    }
    return LoadResString(value == 0 ? IDS_OFF : IDS_ON).Str();
}

WebSetupEdit* CAutoSavePageDlg::Web() const {
    return m_pFrame != nullptr ? m_pFrame->Web() : nullptr;
}

DWORD* CAutoSavePageDlg::SizeValue(int edit) const {
    WebSetupEdit* web = Web();
    if (web == nullptr) {
        return nullptr;
    }
    switch (edit) {
    case 0:
        return &web->WebWidthJpg;
    case 1:
        return &web->WebHeightJpg;
    case 2:
        return &web->WebWidthWeb;
    case 3:
        return &web->WebHeightWeb;
    default:
        return nullptr;
    }
}

void CAutoSavePageDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 11; ++i) {
        DDX_Control(pDX, int(kIdFirstLabel) + i, m_label[std::size_t(i)]);
    }
    for (int e = 0; e < 4; ++e) {
        DDX_Control(pDX, int(kIdFirstEdit) + e, m_edit[std::size_t(e)]);
    }
}

BOOL CAutoSavePageDlg::OnInitDialog() {
    CLocalSetupPageDlg::OnInitDialog();
    const CString captions[7] = {LoadResString(IDS_ACTIVATION),        LoadResString(IDS_WIDTH) + " (JPG)",
                                 LoadResString(IDS_HEIGHT) + " (JPG)", LoadResString(IDS_WIDTH) + " (WEB)",
                                 LoadResString(IDS_HEIGHT) + " (WEB)", LoadResString(IDS_INTERVAL),
                                 LoadResString(IDS_SAVE_LOCATION)};
    for (int i = 0; i < 7; ++i) {
        CSetupSkin::SetUpCaption(m_label[std::size_t(i)], RECT{10, kCaptionTops[i], 145, kCaptionTops[i] + 14},
                                 captions[i]);
    }
    WebSetupEdit* web = Web();
    for (int e = 0; e < 4; ++e) {
        CNumberEdit& edit = m_edit[std::size_t(e)];
        edit.MoveWindow(158, 29 + 23 * e, 240, 17);
        edit.SetTextColor(kEditColour);
        const DWORD* value = SizeValue(e);
        edit.SetWindowText(value != nullptr ? Number(LONG(*value)).c_str() : "");
    }
    CSetupSkin::SetUpSelector(m_label[7], CSetupSkin::At(200, 8, 180, 14));
    m_label[7].SetText(web != nullptr ? ActivationText(web->WebActivate).c_str() : "");
    CSetupSkin::SetUpSelector(m_label[8], CSetupSkin::At(200, 123, 85, 14));
    m_label[8].SetText(web != nullptr ? Number(LONG(web->WebInterval)).c_str() : "");
    CSetupSkin::SetUpValueText(m_label[9], CSetupSkin::At(290, 123, 100, 14), LoadResString(IDS_SEC_AUTO_SAVE));
    CSetupSkin::SetUpSelector(m_label[10], CSetupSkin::At(160, 146, 230, 14));
    if (web != nullptr) {
        web->WebLocation[sizeof web->WebLocation - 1] = '\0';
        m_label[10].SetText(web->WebLocation);
    }
    return TRUE;
}

void CAutoSavePageDlg::OnListResult(DWORD kind, DWORD index) {
    WebSetupEdit* web = Web();
    if (web == nullptr) {
        return;
    }
    if (kind == kActivation && index <= 1) {
        m_label[7].SetText(ActivationText(index).c_str());
        web->WebActivate = index;
    } else if (kind == kInterval && index < DWORD(kIntervals)) {
        // The list shows 1 to 20 seconds and the setting keeps the seconds themselves.
        m_label[8].SetText(Number(index + 1).c_str());
        web->WebInterval = index + 1;
    }
}

BOOL CAutoSavePageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == EN_CHANGE && id >= kIdFirstEdit && id < kIdFirstEdit + 4) {
        DWORD* value = SizeValue(int(id - kIdFirstEdit));
        if (value != nullptr) {
            *value = DWORD(GetDlgItemInt(int(id), nullptr, TRUE)); // an empty field stores 0
        }
        return TRUE;
    }
    if (code == STN_CLICKED) {
        switch (id) {
        case kIdActivation:
            ShowList(m_label[7], kActivation, {ActivationText(0), ActivationText(1)}, 100);
            return TRUE;
        case kIdInterval: {
            std::vector<std::string> items;
            for (int i = 1; i <= kIntervals; ++i) {
                items.push_back(Number(i));
            }
            ShowList(m_label[8], kInterval, items, 80);
            return TRUE;
        }
        case kIdWebLocation: {
            WebSetupEdit* web = Web();
            if (web != nullptr) {
                m_pFrame->CloseDropListPopup();
                if (BrowseFolder(this, web->WebLocation)) {
                    m_label[10].SetText(web->WebLocation);
                }
            }
            return TRUE;
        }
        default:
            break;
        }
    }
    return CLocalSetupPageDlg::OnCommand(wParam, lParam);
}
