#include "app/GlobalPageDlg.h"

#include "app/LocalSetupDlg.h"
#include "app/ShellDialogHost.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (UINT id = 790; id <= 793; ++id) {
        items.push_back({id, "STATIC", 10, 9, 135, 14, WS_VISIBLE});
    }
    for (UINT id = 794; id <= 797; ++id) {
        items.push_back({id, "STATIC", 198, 8, 150, 14, WS_VISIBLE | SS_NOTIFY});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CLocalSetupPageDlg::PageTemplate(CGlobalPageDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr UINT kCaptionTexts[4] = {IDS_DRAW_MODE, IDS_DATE_FORMAT, IDS_SAVE_FORMAT, IDS_SAVE_LOCATION};
constexpr COLORREF kDisabledTextColour = 0xADADAD;
constexpr RECT kCaptionRects[4] = {{10, 9, 145, 23}, {10, 32, 145, 46}, {10, 55, 145, 69}, {10, 78, 145, 92}};
constexpr RECT kSelectorRects[3] = {{198, 8, 348, 22}, {198, 31, 348, 45}, {198, 54, 348, 68}};
constexpr int kListWidths[3] = {100, 180, 100};

} // namespace

CGlobalPageDlg::CGlobalPageDlg() : CLocalSetupPageDlg(IDD, IDB_LOCAL_SETUP_PAGE_GLOBAL) {}

int CGlobalPageDlg::ChoiceCount(int kind) {
    return kind == kDrawMode ? 2 : (kind == kDateFormat || kind == kSaveFormat ? 3 : 0);
}

std::string CGlobalPageDlg::ChoiceText(int kind, DWORD value) {
    if (value >= DWORD(ChoiceCount(kind))) {
        return {}; // an out-of-range setting shows nothing and is never used as an index
    }
    switch (kind) {
    case kDrawMode:
        return value == 0 ? "YUV" : "RGB";
    case kDateFormat:
        return LoadResString(IDS_YYYY_MM_DD + UINT(value)).Str();
    default: {
        static const char* const kFormats[3] = {"JPEG", "BMP", "TIF"};
        return kFormats[value];
    }
    }
}

BYTE* CGlobalPageDlg::ValueOf(int kind) const {
    LocalSetupEdit* edit = m_pFrame != nullptr ? m_pFrame->Edit() : nullptr;
    if (edit == nullptr) {
        return nullptr;
    }
    switch (kind) {
    case kDrawMode:
        return &edit->DrawMode;
    case kDateFormat:
        return &edit->DateFormat;
    case kSaveFormat:
        return &edit->SaveFormat;
    default:
        return nullptr;
    }
}

bool CGlobalPageDlg::IsRemovable() const {
    return m_pFrame != nullptr && m_pFrame->Host().IsRemovable();
}

void CGlobalPageDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 8; ++i) {
        DDX_Control(pDX, int(kIdFirstCaption) + i, m_label[std::size_t(i)]);
    }
}

BOOL CGlobalPageDlg::OnInitDialog() {
    CLocalSetupPageDlg::OnInitDialog();
    for (int i = 0; i < 4; ++i) {
        CSetupSkin::SetUpCaption(m_label[std::size_t(i)], kCaptionRects[i], LoadResString(kCaptionTexts[i]));
    }
    for (int kind = 0; kind < 3; ++kind) {
        CSkinLabel& selector = m_label[std::size_t(4 + kind)];
        CSetupSkin::SetUpSelector(selector, kSelectorRects[kind]);
        const BYTE* value = ValueOf(kind);
        selector.SetText(value != nullptr ? ChoiceText(kind, *value).c_str() : "");
    }
    if (m_pFrame != nullptr && m_pFrame->Host().PlaySource() != 0) {
        // The draw path changes only while nothing is shown: the selector looks disabled, in the
        // skinned controls' disabled text colour and without the lit edge under the mouse.
        CSkinLabel& drawMode = m_label[4];
        drawMode.EnableWindow(FALSE);
        drawMode.SetTextStyle2(kDisabledTextColour, kDisabledTextColour, 0, 0, TRUE, 9, "Arial Bold");
    }
    CSkinLabel& location = m_label[7];
    const RECT rect = CSetupSkin::At(160, 77, 230, 14);
    if (IsRemovable()) {
        location.ModifyStyle(SS_NOTIFY, 0);
        CSetupSkin::SetUpCaption(location, rect, "");
    } else {
        CSetupSkin::SetUpSelector(location, rect);
    }
    LocalSetupEdit* edit = m_pFrame != nullptr ? m_pFrame->Edit() : nullptr;
    if (edit != nullptr) {
        edit->Location[sizeof edit->Location - 1] = '\0';
        location.SetText(edit->Location);
    }
    return TRUE;
}

void CGlobalPageDlg::OnSelector(int kind) {
    std::vector<std::string> items;
    for (int i = 0; i < ChoiceCount(kind); ++i) {
        items.push_back(ChoiceText(kind, DWORD(i)));
    }
    ShowList(m_label[std::size_t(4 + kind)], DWORD(kind), items, kListWidths[kind]);
}

void CGlobalPageDlg::OnListResult(DWORD kind, DWORD index) {
    BYTE* value = ValueOf(int(kind));
    if (value == nullptr || index >= DWORD(ChoiceCount(int(kind)))) {
        return;
    }
    CSkinLabel& selector = m_label[std::size_t(4 + kind)];
    selector.ShowWindow(SW_HIDE);
    selector.SetText(ChoiceText(int(kind), index).c_str());
    selector.ShowWindow(SW_SHOW);
    *value = BYTE(index);
}

void CGlobalPageDlg::OnLocation() {
    LocalSetupEdit* edit = m_pFrame != nullptr ? m_pFrame->Edit() : nullptr;
    if (edit == nullptr || IsRemovable()) {
        return;
    }
    m_pFrame->CloseDropListPopup();
    if (BrowseFolder(this, edit->Location)) {
        m_label[7].SetText(edit->Location);
    }
}

BOOL CGlobalPageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == STN_CLICKED) {
        const UINT id = LOWORD(wParam);
        if (id >= kIdFirstSelector && id < kIdLocation) {
            OnSelector(int(id - kIdFirstSelector));
            return TRUE;
        }
        if (id == kIdLocation) {
            OnLocation();
            return TRUE;
        }
    }
    return CLocalSetupPageDlg::OnCommand(wParam, lParam);
}
