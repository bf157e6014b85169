#pragma once
// What the log and information pages of both search frames share: a report list without headings
// at (2, 2), 399 wide, over the whole page or above the page's row of buttons, painting its columns
// in the pages' text colour; the page fills it when it is built. `Page` is the frame's page base
// (CSearchPage or CLocalSearchPage); the page's own steps go in FillPage.

#include "archive/PageTemplate.h"
#include "controls/ColorListCtrl.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"

#include <span>

// The list's height: the whole page, or above the row of buttons at the foot of the page.
inline constexpr int kReportListFullHeight = 413;
inline constexpr int kReportListAboveButtons = 389;

// The report list as a page's template lists it.
constexpr DialogItem ReportListItem(UINT id, int height) {
    return DialogItem{id,
                      "SysListView32",
                      2,
                      2,
                      399,
                      height,
                      WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL};
}

// A button of the row at the foot of a page: 97 x 22 at (x, 396), owner-drawn.
constexpr DialogItem ReportButtonItem(UINT id, int x, LPCSTR text) {
    return DialogItem{id, "BUTTON", x, 396, 97, 22, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, text};
}

// A report page's template, in the "System" face.
constexpr DialogTemplate ReportPageTemplate(UINT idd, std::span<const DialogItem> items) {
    return ContentPageTemplate(idd, items, "System", 10);
}

template <class Page>
class CReportPage : public Page {
public:
    CColorListCtrl m_list;

protected:
    // `paintedColumns`: how many of the list's columns it paints.
    CReportPage(UINT idd, int slot, UINT listId, int listHeight, int paintedColumns)
        : Page(idd, slot, kBackground), m_nListId(listId), m_nListHeight(listHeight),
          m_nPaintedColumns(paintedColumns) {}

    // The page's own steps once its list is in place: its buttons, what it reads, its rows.
    virtual void FillPage() = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        Page::DoDataExchange(pDX);
        DDX_Control(pDX, int(m_nListId), m_list);
    }

    BOOL OnInitDialog() override {
        Page::OnInitDialog();
        m_list.SetTextStyle(m_nPaintedColumns, 0x783C3C, TRUE, 9, "Arial Bold");
        m_list.MoveWindow(2, 2, 399, m_nListHeight);
        FillPage();
        this->MoveWindow(197, 83, 403, 417);
        return TRUE;
    }

private:
    static constexpr UINT kBackground = IDB_PAGE_LISTS;

    UINT m_nListId;
    int m_nListHeight;
    int m_nPaintedColumns;
};
