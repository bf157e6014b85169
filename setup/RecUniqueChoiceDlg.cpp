#include "setup/RecUniqueChoiceDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CRecUniqueChoiceDlg;
constexpr UINT kBackground = IDB_PAGE_RECORD_MODE_SLOTS;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int k = 0; k < C::kSlots; ++k) {
        items.push_back({C::IDC_CAPTION + UINT(k), "STATIC", 15, 9 + 23 * k, 80, 14, WS_VISIBLE});
    }
    for (int k = 0; k < C::kSlots; ++k) {
        items.push_back({C::IDC_SELECTOR + UINT(k), "STATIC", 165, 8 + 23 * k, 190, 14, WS_VISIBLE | SS_NOTIFY});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

// The modes each slot's list offers, in list order.
constexpr int kFirstSlotModes[] = {0, 1, 2, 3, 5, C::kModeNone};
constexpr int kOtherSlotModes[] = {0, 1, 2, 3, C::kModeNone};

std::span<const int> SlotModes(int slot) {
    return slot == 0 ? std::span<const int>(kFirstSlotModes) : std::span<const int>(kOtherSlotModes);
}

} // namespace

CRecUniqueChoiceDlg::CRecUniqueChoiceDlg(CWnd* pParent) : CSetupPage(IDD, kBackground, pParent) {}

int CRecUniqueChoiceDlg::ModeOfItem(int slot, int index) {
    if (slot < 0 || slot >= kSlots) {
        return -1;
    }
    const std::span<const int> modes = SlotModes(slot);
    return index >= 0 && std::size_t(index) < modes.size() ? modes[std::size_t(index)] : -1;
}

void CRecUniqueChoiceDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int i = 0; i < 2 * kSlots; ++i) {
        DDX_Control(pDX, int(IDC_CAPTION) + i, m_labels[std::size_t(i)]);
    }
}

void CRecUniqueChoiceDlg::BuildItemLists() {
    m_modes.clear();
    for (UINT text :
         {IDS_CONTINUOUS, IDS_ALARM, IDS_MOTION, IDS_SCHEDULE, IDS_AUDIO_EVENT, IDS_HOLIDAY, IDS_NONE_STATUS}) {
        m_modes.push_back(LoadResString(text));
    }
}

BOOL CRecUniqueChoiceDlg::OnInitDialog() {
    BuildItemLists();
    CSetupPage::OnInitDialog();
    InitLayout();
    return TRUE;
}

CString CRecUniqueChoiceDlg::ModeText(int mode) const {
    return ItemOrNumber(m_modes, mode);
}

void CRecUniqueChoiceDlg::InitLayout() {
    const SetupDatabase& db = Db();
    for (int k = 0; k < kSlots; ++k) {
        CSetupSkin::SetUpCaption(Caption(k), CSetupSkin::At(15, 9 + 23 * k, 80, 14),
                                 LoadResString(IDS_SLOT_1 + UINT(k)));
        CSetupSkin::SetUpSelector(Selector(k), CSetupSkin::At(165, 8 + 23 * k, 190, 14));
        Selector(k).SetText(ModeText(db.rec_mode_slot[k]));
    }
}

BOOL CRecUniqueChoiceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if ((code == STN_CLICKED || code == BN_CLICKED) && id >= IDC_SELECTOR && id < IDC_SELECTOR + UINT(kSlots)) {
        OpenSelector(int(id - IDC_SELECTOR));
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CRecUniqueChoiceDlg::OpenSelector(int slot) {
    if (slot < 0 || slot >= kSlots || !CSetupSkin::HasText(Selector(slot))) {
        return;
    }
    std::vector<CString> items;
    for (int mode : SlotModes(slot)) {
        items.push_back(ModeText(mode));
    }
    OpenList(Selector(slot), slot, items, 180);
}

void CRecUniqueChoiceDlg::OnListResult(int kind, int index) {
    const int mode = ModeOfItem(kind, index);
    if (mode < 0) {
        return;
    }
    BYTE* held = Db().rec_mode_slot;
    held[kind] = BYTE(mode);
    Selector(kind).SetText(ModeText(mode));
    if (mode == kModeNone) {
        return;
    }
    for (int k = 0; k < kSlots; ++k) {
        if (k != kind && held[k] == mode) {
            held[k] = kModeNone;
            Selector(k).SetText(ModeText(kModeNone));
        }
    }
}
