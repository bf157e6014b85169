#include "setup/RecPresetDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RecordPages.h"
#include "setup/SetupDlg.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>
#include <cstdlib>

namespace {

using C = CRecPresetDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kBackground = IDB_PAGE_PRESETS;
constexpr COLORREF kEditColour = 0x783C3C;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int e = 0; e < kSetupChannels; ++e) {
        items.push_back({C::IDC_ENTRY + UINT(e), "BUTTON", 8 + 49 * (e % 8), e < 8 ? 6 : 33, 45, 22, kButton});
    }
    for (int k = 0; k < C::kSlots; ++k) {
        items.push_back({C::IDC_SELECTOR + UINT(k), "STATIC", 20, 75 + 23 * k, 114, 14, WS_VISIBLE | SS_NOTIFY});
        items.push_back(
            {C::IDC_SELECTOR + UINT(C::kSlots + k), "STATIC", 165, 75 + 23 * k, 127, 14, WS_VISIBLE | SS_NOTIFY});
        items.push_back(
            {C::IDC_NUMBER + UINT(k), "EDIT", 325, 73 + 23 * k, 70, 17, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL});
    }
    items.push_back({C::IDC_PREV, "BUTTON", 304, 396, 97, 22, kButton});
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

CString Number(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

CRecPresetDlg::CRecPresetDlg(CWnd* pParent) : CSetupPage(IDD, kBackground, pParent) {}

void CRecPresetDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int e = 0; e < kSetupChannels; ++e) {
        DDX_Control(pDX, int(IDC_ENTRY) + e, m_btnEntry[std::size_t(e)]);
    }
    DDX_Control(pDX, IDC_PREV, m_btnPrev);
    for (int k = 0; k < 2 * kSlots; ++k) {
        DDX_Control(pDX, int(IDC_SELECTOR) + k, m_selectors[std::size_t(k)]);
    }
    for (int k = 0; k < kSlots; ++k) {
        DDX_Control(pDX, int(IDC_NUMBER) + k, m_edits[std::size_t(k)]);
    }
}

void CRecPresetDlg::BuildItemLists() {
    m_channelItems.clear();
    m_channelItems.push_back(LoadResString(IDS_OFF));
    const CString channel = LoadResString(IDS_CHANNEL);
    for (int n = 1; n <= kSetupChannels; ++n) {
        CString item;
        item.Format("%s %d", channel.GetString(), n);
        m_channelItems.push_back(item);
    }
    m_onOffItems = {LoadResString(IDS_PRESET), LoadResString(IDS_TOUR)};
}

BOOL CRecPresetDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    BuildItemLists();
    InitLayout();
    // Nothing is typed yet: the texts so far are the page's own.
    m_bTyped.fill(false);
    ShowEntry(0);
    return TRUE;
}

void CRecPresetDlg::InitLayout() {
    for (int e = 0; e < kSetupChannels; ++e) {
        SetUpChannelButton(m_btnEntry[std::size_t(e)], e, e < m_nChannels);
    }
    for (int k = 0; k < kSlots; ++k) {
        CSetupSkin::SetUpSelector(Selector(k), CSetupSkin::At(20, 75 + 23 * k, 114, 14));
        CSetupSkin::SetUpSelector(Selector(kSlots + k), CSetupSkin::At(165, 75 + 23 * k, 127, 14));
        CNumberEdit& edit = m_edits[std::size_t(k)];
        edit.MoveWindow(325, 73 + 23 * k, 70, 17);
        edit.SetTextColor(kEditColour);
        edit.SetWindowText("");
    }
    CSetupSkin::SetUpTextButton(m_btnPrev, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(IDS_PREV), CSetupSkin::kPageButtonColours);
}

void CRecPresetDlg::ShowEntry(int entry) {
    if (entry < 0 || entry >= kSetupChannels) {
        return;
    }
    StoreTypedNumbers();
    m_nEntry = entry;
    for (int e = 0; e < std::min(m_nChannels, kSetupChannels); ++e) {
        m_btnEntry[std::size_t(e)].SetState(kButtonNormal);
    }
    m_btnEntry[std::size_t(entry)].SetState(kButtonOn);
    const SetupDatabase& db = Db();
    for (int k = 0; k < kSlots; ++k) {
        Selector(k).SetText(ItemOrNumber(m_channelItems, db.preset_camera[entry][k]));
        Selector(kSlots + k).SetText(m_onOffItems[db.preset_onoff[entry][k] != 0 ? 1 : 0]);
        ShowNumber(k, db.preset_number[entry][k]);
    }
}

void CRecPresetDlg::ShowNumber(int slot, int number) {
    m_bShowingNumber = true;
    m_edits[std::size_t(slot)].SetWindowText(Number(number));
    m_bShowingNumber = false;
    m_bTyped[std::size_t(slot)] = false;
}

BOOL CRecPresetDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id >= IDC_NUMBER && id < IDC_NUMBER + UINT(kSlots) && (code == EN_KILLFOCUS || code == EN_CHANGE)) {
        if (code == EN_KILLFOCUS) {
            OnNumberChanged(int(id - IDC_NUMBER));
        } else {
            OnNumberTyped(int(id - IDC_NUMBER));
        }
        return TRUE;
    }
    if (code != BN_CLICKED && code != STN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    if (id >= IDC_ENTRY && id < IDC_ENTRY + UINT(kSetupChannels)) {
        ShowEntry(int(id - IDC_ENTRY));
        return TRUE;
    }
    if (id >= IDC_SELECTOR && id < IDC_SELECTOR + UINT(2 * kSlots)) {
        OpenSelector(int(id - IDC_SELECTOR));
        return TRUE;
    }
    if (id == IDC_PREV) {
        if (m_pFrame != nullptr) {
            m_pFrame->ShowPageById(IDD_REC_RES_RATE_PRESET_DLG);
        }
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CRecPresetDlg::OpenSelector(int kind) {
    if (kind < 0 || kind >= 2 * kSlots || !CSetupSkin::HasText(Selector(kind))) {
        return;
    }
    if (kind < kSlots) {
        const std::size_t count = std::size_t(std::clamp(m_nChannels, 1, kSetupChannels)) + 1;
        OpenList(Selector(kind), kind, std::span<const CString>(m_channelItems).first(count), 150);
    } else {
        OpenList(Selector(kind), kind, m_onOffItems, 150);
    }
}

void CRecPresetDlg::OnListResult(int kind, int index) {
    SetupDatabase& db = Db();
    const int e = m_nEntry;
    if (kind >= kSlots && kind < 2 * kSlots) {
        if (index < 0 || index >= int(m_onOffItems.size())) {
            return;
        }
        db.preset_onoff[e][kind - kSlots] = BYTE(index);
        Selector(kind).SetText(m_onOffItems[std::size_t(index)]);
        return;
    }
    if (kind < 0 || kind >= kSlots || index < 0 || index > std::min(m_nChannels, kSetupChannels)) {
        return;
    }
    if (index > 0) {
        for (int k = 0; k < kSlots; ++k) {
            if (k != kind && db.preset_camera[e][k] == index) {
                // The channel is already in another slot of this entry.
                return;
            }
        }
    }
    db.preset_camera[e][kind] = BYTE(index);
    Selector(kind).SetText(m_channelItems[std::size_t(index)]);
}

WORD CRecPresetDlg::NumberOfText(const CString& text) {
    // The recorder's field is 16 bits wide: a typed number keeps its low 16 bits, so "66535" stores 999.
    const WORD number = WORD(std::strtoll(text.GetString(), nullptr, 10) & 0xFFFF);
    return number < 1 || number > kNumberMax ? WORD(1) : number;
}

WORD CRecPresetDlg::StoreNumber(int slot) {
    CString text;
    m_edits[std::size_t(slot)].GetWindowText(text);
    const WORD number = NumberOfText(text);
    Db().preset_number[m_nEntry][slot] = number;
    m_bTyped[std::size_t(slot)] = false;
    return number;
}

void CRecPresetDlg::OnNumberChanged(int slot) {
    if (slot < 0 || slot >= kSlots) {
        return;
    }
    ShowNumber(slot, StoreNumber(slot));
}

void CRecPresetDlg::OnNumberTyped(int slot) {
    if (slot >= 0 && slot < kSlots && !m_bShowingNumber) {
        m_bTyped[std::size_t(slot)] = true;
    }
}

void CRecPresetDlg::StoreTypedNumbers() {
    for (int k = 0; k < kSlots; ++k) {
        if (m_bTyped[std::size_t(k)] && m_edits[std::size_t(k)].GetSafeHwnd() != nullptr) {
            StoreNumber(k);
        }
    }
}

void CRecPresetDlg::OnDestroy() {
    StoreTypedNumbers();
    CSetupPage::OnDestroy();
}
