#include "setup/KeyboardSetupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CKeyboardSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kColumnBitmaps[3] = {IDB_THREE_COLUMN_BUTTONS_LEFT, IDB_THREE_COLUMN_BUTTONS_MIDDLE,
                                    IDB_THREE_COLUMN_BUTTONS_RIGHT};
constexpr UINT kColumnTexts[3] = {IDS_ID, IDS_PROTOCOL, IDS_BAUD_RATE};
constexpr int kIdListWidth = 100;
constexpr int kListWidth = 140;

const DialogItem kItems[] = {
    {C::IDC_COLUMN, "BUTTON", 2, 0, 133, 24, kButton},
    {C::IDC_COLUMN + 1, "BUTTON", 135, 0, 133, 24, kButton},
    {C::IDC_COLUMN + 2, "BUTTON", 268, 0, 133, 24, kButton},
    {C::IDC_ID_SLIDER, "STATIC", 103, 33, 190, 9, WS_VISIBLE},
    {C::IDC_VALUE, "STATIC", 315, 31, 72, 14, WS_VISIBLE | SS_NOTIFY},
};
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CKeyboardSetupDlg::CKeyboardSetupDlg(CWnd* pParent)
    : CSetupPage(IDD, IDB_PAGE_COLUMN_BUTTONS_OVER_OPEN_AREA, pParent) {}

void CKeyboardSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int k = 0; k < 3; ++k) {
        DDX_Control(pDX, int(IDC_COLUMN) + k, m_btnColumn[std::size_t(k)]);
    }
    DDX_Control(pDX, IDC_ID_SLIDER, m_slider);
    DDX_Control(pDX, IDC_VALUE, m_value);
}

BOOL CKeyboardSetupDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    m_protocols = CProtocolTable::FromClient(Client(), ProtocolKind::Keyboard);
    m_protocolList = m_protocols->Choices(kListPopupLongItems);
    for (int k = 0; k < 3; ++k) {
        CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kColumnBitmaps[k],
                                    CSetupSkin::At(2 + 133 * k, 0, 133, 24), LoadResString(kColumnTexts[k]),
                                    CSetupSkin::kColumnButtonColours);
    }
    m_slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION);
    m_slider.MoveWindow(103, 33, 190, 9);
    m_slider.SetMargin(0, 0, 0, 0);
    m_slider.SetRange(0, CProtocolTable::kMaxId);
    CSetupSkin::SetUpSelector(m_value, CSetupSkin::At(315, 31, 72, 14));
    ShowIdColumn();
    return TRUE;
}

BOOL CKeyboardSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == STN_CLICKED && id == IDC_VALUE) {
        OpenValueList();
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (id) {
        case IDC_COLUMN:
            ShowIdColumn();
            return TRUE;
        case IDC_COLUMN + 1:
            ShowProtocolColumn();
            return TRUE;
        case IDC_COLUMN + 2:
            ShowBaudColumn();
            return TRUE;
        default:
            break;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

LRESULT CKeyboardSetupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        if (wParam == IDC_ID_SLIDER) {
            OnSliderMoved();
        }
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

void CKeyboardSetupDlg::SelectColumn(int column) {
    ClosePopups();
    m_nColumn = column;
    for (int k = 0; k < 3; ++k) {
        m_btnColumn[std::size_t(k)].SetState(k == column ? kButtonOn : kButtonNormal);
    }
    m_slider.ShowWindow(column == kColumnId ? SW_SHOW : SW_HIDE);
    if (column == kColumnId) {
        m_value.MoveWindow(315, 31, 72, 14);
    } else {
        m_value.MoveWindow(165, 31, 180, 14);
    }
}

CString CKeyboardSetupDlg::ProtocolText() const {
    return m_protocols->NameOrNumber(Db().keyboard_protocol);
}

CString CKeyboardSetupDlg::BaudText() const {
    if (m_protocols->BaudCount(Db().keyboard_protocol) <= 0) {
        return "None";
    }
    const auto& names = CProtocolTable::BaudNames();
    return ItemOrNumber(std::span<const CString>(names.data(), names.size()), Db().keyboard_baud);
}

void CKeyboardSetupDlg::ShowIdColumn() {
    SelectColumn(kColumnId);
    m_slider.SetPos(Db().keyboard_id);
    m_value.SetText(CProtocolTable::IdText(Db().keyboard_id));
}

void CKeyboardSetupDlg::ShowProtocolColumn() {
    SelectColumn(kColumnProtocol);
    m_value.SetText(ProtocolText());
}

void CKeyboardSetupDlg::ShowBaudColumn() {
    SelectColumn(kColumnBaud);
    m_value.SetText(BaudText());
}

void CKeyboardSetupDlg::OpenValueList() {
    if (!CSetupSkin::HasText(m_value)) {
        return;
    }
    std::vector<CString> items;
    int width = kListWidth;
    switch (m_nColumn) {
    case kColumnId:
        items = CProtocolTable::IdItems();
        width = kIdListWidth;
        break;
    case kColumnProtocol:
        for (const ProtocolChoice& choice : m_protocolList) {
            items.push_back(choice.name);
        }
        break;
    default: {
        const int count = m_protocols->BaudCount(Db().keyboard_protocol);
        const auto& names = CProtocolTable::BaudNames();
        items.assign(names.begin(), names.begin() + count);
        break;
    }
    }
    if (!items.empty()) {
        OpenList(m_value, 0, items, width);
    }
}

void CKeyboardSetupDlg::OnListResult(int kind, int index) {
    if (kind != 0 || index < 0) {
        return;
    }
    SetupDatabase& db = Db();
    switch (m_nColumn) {
    case kColumnId:
        if (index < CProtocolTable::kIdItems) {
            db.keyboard_id = BYTE(CProtocolTable::IdAfterChoice(db.keyboard_id, index));
            m_slider.SetPos(db.keyboard_id);
            m_value.SetText(CProtocolTable::IdText(db.keyboard_id));
        }
        break;
    case kColumnProtocol:
        if (index < int(m_protocolList.size())) {
            const ProtocolChoice& choice = m_protocolList[std::size_t(index)];
            db.keyboard_protocol = BYTE(choice.code);
            db.keyboard_baud =
                BYTE(CProtocolTable::BaudAfterProtocol(db.keyboard_baud, m_protocols->BaudCount(choice.code)));
            m_value.SetText(choice.name);
        }
        break;
    default:
        if (index < m_protocols->BaudCount(db.keyboard_protocol)) {
            db.keyboard_baud = BYTE(index);
            m_value.SetText(BaudText());
        }
        break;
    }
}

void CKeyboardSetupDlg::OnSliderMoved() {
    Db().keyboard_id = BYTE(m_slider.GetPos());
    if (m_nColumn == kColumnId) {
        m_value.SetText(CProtocolTable::IdText(Db().keyboard_id));
    }
}
