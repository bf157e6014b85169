#include "setup/PtzRangeDlg.h"

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
#include "setupkit/SetupSkin.h"

#include <algorithm>
#include <vector>

namespace {

using C = CPtzRangeDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kColumnBitmaps[C::kColumns] = {IDB_FOUR_COLUMN_BUTTONS_LEFT, IDB_FOUR_COLUMN_BUTTONS_MIDDLE,
                                              IDB_FOUR_COLUMN_BUTTONS_MIDDLE, IDB_FOUR_COLUMN_BUTTONS_RIGHT};

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int k = 0; k < C::kColumns; ++k) {
        items.push_back({C::IDC_COLUMN + UINT(k), "BUTTON", 2 + 100 * k, 0, 100, 24, kButton});
    }
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    items.push_back({C::IDC_PREV, "BUTTON", 304, 396, 97, 22, kButton});
    CPtzSliderRows::AddItems(items, WS_VISIBLE);
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CPtzRangeDlg::CPtzRangeDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS, pParent) {}

void CPtzRangeDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int k = 0; k < kColumns; ++k) {
        DDX_Control(pDX, int(IDC_COLUMN) + k, m_btnColumn[std::size_t(k)]);
    }
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    DDX_Control(pDX, IDC_PREV, m_btnPrev);
    m_rows.Exchange(pDX);
}

BOOL CPtzRangeDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    for (int k = 0; k < kColumns; ++k) {
        CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kColumnBitmaps[k],
                                    CSetupSkin::At(2 + 100 * k, 0, 100, 24), LoadResString(IDS_PAN_MIN + UINT(k)),
                                    CSetupSkin::kColumnButtonColours);
    }
    m_rows.SetUp(kSliderMax, &RowName);
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = CPtzSliderRows::RowY(r);
        CSetupSkin::SetUpCaption(m_rows.values[i], CSetupSkin::At(315, y, 72, 14), "", CSetupSkin::kValueColour);
    }
    m_rows.HideFrom(m_nChannels);
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnPrev, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(IDS_PREV), CSetupSkin::kPageButtonColours);
    ShowColumn(0);
    return TRUE;
}

BOOL CPtzRangeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_COLUMN && id < IDC_COLUMN + kColumns) {
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
    case IDC_PREV:
        OnPrev();
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

LRESULT CPtzRangeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        OnSliderMoved(int(wParam) - int(IDC_ROW_SLIDER));
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

WORD* CPtzRangeDlg::Limits() const {
    SetupDatabase& db = Db();
    switch (m_nColumn) {
    case 1:
        return db.ptz_pan_high;
    case 2:
        return db.ptz_tilt_low;
    case 3:
        return db.ptz_tilt_high;
    default:
        return db.ptz_pan_low;
    }
}

void CPtzRangeDlg::ShowPosition(int row, int position) {
    CBitmapSlider& slider = m_rows.sliders[std::size_t(row)];
    slider.SetPos(position);
    CString text;
    text.Format("%d", slider.GetPos());
    m_rows.values[std::size_t(row)].SetText(text);
}

void CPtzRangeDlg::ShowColumn(int column) {
    if (column < 0 || column >= kColumns) {
        return;
    }
    m_nColumn = column;
    for (int k = 0; k < kColumns; ++k) {
        m_btnColumn[std::size_t(k)].SetState(k == column ? kButtonOn : kButtonNormal);
    }
    const WORD* limits = Limits();
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        CSetupSkin::Tick(m_rows.boxes[i], false);
        if (column == 0) {
            m_rows.boxes[i].EnableWindow(TRUE);
            m_rows.sliders[i].Enable(TRUE);
        }
        // The slider holds the shown value at its maximum; the stored limit stays until it moves.
        ShowPosition(r, int(limits[r]) + 1);
    }
}

void CPtzRangeDlg::OnSliderMoved(int row) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    // The shown values are 1..10 and the stored limits 0..9.
    const int position = std::max(m_rows.sliders[std::size_t(row)].GetPos(), 1);
    const std::array<bool, kSetupRows> ticked = TickedRows(m_rows.boxes);
    WORD* limits = Limits();
    for (int r : RowsReachedBy(row, ticked, m_nChannels)) {
        limits[r] = WORD(position - 1);
        ShowPosition(r, position);
    }
}

void CPtzRangeDlg::OnAllCheck(bool tick) {
    TickRows(m_rows.boxes, m_nChannels, tick);
}

void CPtzRangeDlg::OnPrev() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(IDD_PTZ_SETUP_DLG);
    }
}
