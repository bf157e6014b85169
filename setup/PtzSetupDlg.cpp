#include "setup/PtzSetupDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RowBoxes.h"
#include "setup/SetupDlg.h"
#include "setup/SetupRules.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = CPtzSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kColumnBitmaps[3] = {IDB_THREE_COLUMN_BUTTONS_LEFT, IDB_THREE_COLUMN_BUTTONS_MIDDLE,
                                    IDB_THREE_COLUMN_BUTTONS_RIGHT};
constexpr UINT kColumnTexts[3] = {IDS_ID, IDS_PROTOCOL, IDS_BAUD_RATE};
constexpr int kIdListWidth = 100;
constexpr int kListWidth = 140;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int k = 0; k < 3; ++k) {
        items.push_back({C::IDC_COLUMN + UINT(k), "BUTTON", 2 + 133 * k, 0, 133, 24, kButton});
    }
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    items.push_back({C::IDC_NEXT, "BUTTON", 304, 396, 97, 22, kButton});
    CPtzSliderRows::AddItems(items, WS_VISIBLE | SS_NOTIFY);
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CPtzSetupDlg::CPtzSetupDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS, pParent) {}

void CPtzSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int k = 0; k < 3; ++k) {
        DDX_Control(pDX, int(IDC_COLUMN) + k, m_btnColumn[std::size_t(k)]);
    }
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    DDX_Control(pDX, IDC_NEXT, m_btnNext);
    m_rows.Exchange(pDX);
}

BOOL CPtzSetupDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    m_protocols = CProtocolTable::FromClient(Client(), ProtocolKind::Ptz);
    m_protocolList = m_protocols->Choices(kListPopupLongItems);
    for (int k = 0; k < 3; ++k) {
        CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kColumnBitmaps[k],
                                    CSetupSkin::At(2 + 133 * k, 0, 133, 24), LoadResString(kColumnTexts[k]),
                                    CSetupSkin::kColumnButtonColours);
    }
    m_rows.SetUp(CProtocolTable::kMaxId, &RowName);
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = CPtzSliderRows::RowY(r);
        CSetupSkin::SetUpSelector(m_rows.values[i], CSetupSkin::At(315, y, 72, 14));
    }
    m_rows.HideFrom(m_nChannels);
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnNext, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(IDS_NEXT), CSetupSkin::kPageButtonColours);
    ShowColumn(kColumnId);
    return TRUE;
}

BOOL CPtzSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == STN_CLICKED && id >= IDC_ROW_VALUE && id < IDC_ROW_VALUE + 16) {
        OpenRowList(int(id - IDC_ROW_VALUE));
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    if (id >= IDC_COLUMN && id < IDC_COLUMN + 3) {
        ShowColumn(int(id - IDC_COLUMN));
        return TRUE;
    }
    switch (id) {
    case IDC_ALL_CHECK:
        OnAllCheck(true);
        return TRUE;
    case IDC_RETURN_ALL:
        OnAllCheck(false);
        return TRUE;
    case IDC_NEXT:
        OnNext();
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

LRESULT CPtzSetupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        OnSliderMoved(int(wParam) - int(IDC_ROW_SLIDER));
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

CString CPtzSetupDlg::BaudText(int baud) const {
    const auto& names = CProtocolTable::BaudNames();
    return ItemOrNumber(std::span<const CString>(names.data(), names.size()), baud);
}

void CPtzSetupDlg::ShowId(int row) {
    const int id = Db().ptz_id[row];
    m_rows.sliders[std::size_t(row)].SetPos(id);
    m_rows.values[std::size_t(row)].SetText(CProtocolTable::IdText(id));
}

void CPtzSetupDlg::ShowColumn(int column) {
    if (column < kColumnId || column > kColumnBaud) {
        return;
    }
    ClosePopups();
    m_nColumn = column;
    for (int k = 0; k < 3; ++k) {
        m_btnColumn[std::size_t(k)].SetState(k == column ? kButtonOn : kButtonNormal);
    }
    const SetupDatabase& db = Db();
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        CSetupSkin::Tick(m_rows.boxes[i], false);
        if (r >= m_nChannels) {
            continue;
        }
        if (column == kColumnId) {
            m_rows.sliders[i].ShowWindow(SW_SHOW);
            m_rows.values[i].MoveWindow(315, CPtzSliderRows::RowY(r), 72, 14);
            ShowId(r);
            continue;
        }
        m_rows.sliders[i].ShowWindow(SW_HIDE);
        m_rows.values[i].MoveWindow(165, CPtzSliderRows::RowY(r), 180, 14);
        m_rows.values[i].SetText(column == kColumnProtocol ? m_protocols->NameOrNumber(db.ptz_protocol[r])
                                                           : BaudText(db.ptz_baud[r]));
    }
}

void CPtzSetupDlg::OpenRowList(int row) {
    if (row < 0 || row >= m_nChannels || !CSetupSkin::HasText(m_rows.values[std::size_t(row)])) {
        return;
    }
    CSkinLabel& selector = m_rows.values[std::size_t(row)];
    if (m_nColumn == kColumnId) {
        OpenList(selector, row, CProtocolTable::IdItems(), kIdListWidth);
        return;
    }
    std::vector<CString> items;
    if (m_nColumn == kColumnProtocol) {
        for (const ProtocolChoice& choice : m_protocolList) {
            items.push_back(choice.name);
        }
    } else {
        const int count = m_protocols->BaudCount(Db().ptz_protocol[row]);
        const auto& names = CProtocolTable::BaudNames();
        items.assign(names.begin(), names.begin() + count);
    }
    // A protocol without baud rates, or a recorder without protocols, has nothing to choose from.
    if (!items.empty()) {
        OpenList(selector, row, items, kListWidth);
    }
}

std::vector<int> CPtzSetupDlg::RowsReached(int row) const {
    const std::array<bool, kSetupRows> ticked = TickedRows(m_rows.boxes);
    return RowsReachedBy(row, ticked, m_nChannels);
}

void CPtzSetupDlg::OnListResult(int kind, int index) {
    const int row = kind;
    if (row < 0 || row >= m_nChannels || index < 0) {
        return;
    }
    SetupDatabase& db = Db();
    switch (m_nColumn) {
    case kColumnId:
        if (index >= CProtocolTable::kIdItems) {
            return;
        }
        for (int r : RowsReached(row)) {
            db.ptz_id[r] = BYTE(CProtocolTable::IdAfterChoice(db.ptz_id[r], index));
            ShowId(r);
        }
        break;
    case kColumnProtocol: {
        if (index >= int(m_protocolList.size())) {
            return;
        }
        const ProtocolChoice choice = m_protocolList[std::size_t(index)];
        for (int r : RowsReached(row)) {
            db.ptz_protocol[r] = BYTE(choice.code);
            db.ptz_baud[r] =
                BYTE(CProtocolTable::BaudAfterProtocol(db.ptz_baud[r], m_protocols->BaudCount(choice.code)));
            m_rows.values[std::size_t(r)].SetText(choice.name);
        }
        break;
    }
    case kColumnBaud:
        if (index >= m_protocols->BaudCount(db.ptz_protocol[row])) {
            return;
        }
        for (int r : RowsReached(row)) {
            // Another ticked row takes the choice only as far as its own protocol allows; one whose
            // protocol has no baud rates keeps its own.
            const int count = m_protocols->BaudCount(db.ptz_protocol[r]);
            int baud = index;
            if (r != row && count <= 0) {
                baud = db.ptz_baud[r];
            } else if (r != row && index >= count) {
                baud = count - 1;
            }
            db.ptz_baud[r] = BYTE(baud);
            m_rows.values[std::size_t(r)].SetText(BaudText(baud));
        }
        break;
    default:
        break;
    }
}

void CPtzSetupDlg::OnSliderMoved(int row) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    const int id = m_rows.sliders[std::size_t(row)].GetPos();
    for (int r : RowsReached(row)) {
        Db().ptz_id[r] = BYTE(id);
        m_rows.sliders[std::size_t(r)].SetPos(id);
        if (m_nColumn == kColumnId) {
            m_rows.values[std::size_t(r)].SetText(CProtocolTable::IdText(id));
        }
    }
}

void CPtzSetupDlg::OnAllCheck(bool tick) {
    TickRows(m_rows.boxes, m_nChannels, tick);
}

void CPtzSetupDlg::OnNext() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_PTZ_RANGE_DLG);
    }
}
