#include "platform/window/ListViewProc.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Pen.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

#include <QScrollBar>

#include <algorithm>

namespace {

int FontHeight(CWndHost& host) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    if (host.FontHandle() != nullptr) {
        dc.SelectObject(static_cast<HGDIOBJ>(host.FontHandle()));
    }
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    return std::max<int>(metrics.tmHeight, 8);
}

} // namespace

void CListViewProc::Attach(CWndHost& host) {
    host.setFocusPolicy(Qt::StrongFocus);
    auto* bar = new QScrollBar(Qt::Vertical, &host);
    m_scroll = bar;
    bar->hide();
    CWndHost* hostPtr = &host;
    QObject::connect(bar, &QScrollBar::valueChanged, bar, [this, hostPtr](int value) {
        if (value != m_top) {
            m_top = value;
            hostPtr->update();
        }
    });
    auto* across = new QScrollBar(Qt::Horizontal, &host);
    m_hscroll = across;
    across->hide();
    QObject::connect(across, &QScrollBar::valueChanged, across, [this, hostPtr](int value) {
        if (value != m_left) {
            m_left = value;
            hostPtr->update();
        }
    });
}

void CListViewProc::Resized(CWndHost& host) {
    UpdateScrollBar(host);
}

// ---- geometry

int CListViewProc::RowHeight(CWndHost& host) const {
    return FontHeight(host) + 3;
}

int CListViewProc::HeaderHeight(CWndHost& host) const {
    if ((host.Style() & LVS_NOCOLUMNHEADER) != 0 || (host.Style() & LVS_TYPEMASK) != LVS_REPORT) {
        return 0;
    }
    return FontHeight(host) + 6;
}

int CListViewProc::TotalWidth() const {
    int total = 0;
    for (const Column& c : m_columns) {
        total += c.width;
    }
    return total;
}

int CListViewProc::BarHeight() const {
    return m_hscroll ? m_hscroll->sizeHint().height() : 0;
}

int CListViewProc::BarWidth() const {
    return m_scroll ? m_scroll->sizeHint().width() : 0;
}

void CListViewProc::PlaceBars(CWndHost& host, bool& vertical, bool& horizontal) const {
    vertical = false;
    horizontal = false;
    if ((host.Style() & LVS_NOSCROLL) != 0) {
        return;
    }
    const int rowsHeight = host.height() - HeaderHeight(host);
    const int rowHeight = RowHeight(host);
    // Each bar can make the other one needed: two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        const int rows = std::max(0, (rowsHeight - (horizontal ? BarHeight() : 0)) / rowHeight);
        vertical = RowCount() > std::max(1, rows);
        horizontal =
            (host.Style() & LVS_TYPEMASK) == LVS_REPORT && TotalWidth() > host.width() - (vertical ? BarWidth() : 0);
    }
}

int CListViewProc::CountPerPage(CWndHost& host) const {
    const int rowsHeight = host.height() - HeaderHeight(host) - (m_horizontal ? BarHeight() : 0);
    return std::max(0, rowsHeight / RowHeight(host));
}

BOOL CListViewProc::ItemRect(CWndHost& host, int row, UINT code, RECT* rect) const {
    if (rect == nullptr || row < 0 || row >= RowCount()) {
        return FALSE;
    }
    const int height = RowHeight(host);
    const int top = HeaderHeight(host) + (row - m_top) * height;
    int right = TotalWidth();
    if (code == LVIR_LABEL || code == LVIR_ICON) {
        right = m_columns.empty() ? 0 : m_columns.front().width;
    }
    *rect = RECT{-m_left, top, right - m_left, top + height};
    return TRUE;
}

int CListViewProc::HitTest(CWndHost& host, const POINT& point) const {
    const int header = HeaderHeight(host);
    const int x = point.x + m_left;
    if (point.y < header || point.x < 0 || x >= std::max(TotalWidth(), 1)) {
        return -1;
    }
    if (m_horizontal && point.y >= host.height() - BarHeight()) {
        return -1;
    }
    const int row = m_top + (point.y - header) / RowHeight(host);
    return row < RowCount() ? row : -1;
}

void CListViewProc::UpdateScrollBar(CWndHost& host) {
    if (!m_scroll || !m_hscroll) {
        return;
    }
    PlaceBars(host, m_vertical, m_horizontal);
    const int page = std::max(1, CountPerPage(host));
    const int maxTop = std::max(0, RowCount() - page);
    m_top = std::clamp(m_top, 0, maxTop);
    const int header = HeaderHeight(host);
    const int width = BarWidth();
    const int height = m_horizontal ? BarHeight() : 0;
    m_scroll->setGeometry(host.width() - width, header, width, std::max(0, host.height() - header - height));
    m_scroll->blockSignals(true);
    m_scroll->setRange(0, maxTop);
    m_scroll->setPageStep(page);
    m_scroll->setValue(m_top);
    m_scroll->blockSignals(false);
    m_scroll->setVisible(m_vertical && maxTop > 0);

    const int shown = std::max(1, host.width() - (m_vertical ? width : 0));
    const int maxLeft = m_horizontal ? std::max(0, TotalWidth() - shown) : 0;
    m_left = std::clamp(m_left, 0, maxLeft);
    m_hscroll->setGeometry(0, host.height() - height, shown, height);
    m_hscroll->blockSignals(true);
    m_hscroll->setRange(0, maxLeft);
    m_hscroll->setPageStep(shown);
    m_hscroll->setSingleStep(std::max(1, RowHeight(host)));
    m_hscroll->setValue(m_left);
    m_hscroll->blockSignals(false);
    m_hscroll->setVisible(m_horizontal);
}

void CListViewProc::ScrollTo(CWndHost& host, int top) {
    const int maxTop = std::max(0, RowCount() - std::max(1, CountPerPage(host)));
    top = std::clamp(top, 0, maxTop);
    if (top != m_top) {
        m_top = top;
        host.update();
    }
    UpdateScrollBar(host);
}

void CListViewProc::ScrollLeftTo(CWndHost& host, int left) {
    if (!m_horizontal || !m_hscroll) {
        return;
    }
    left = std::clamp(left, 0, m_hscroll->maximum());
    if (left != m_left) {
        m_left = left;
        host.update();
    }
    UpdateScrollBar(host);
}

BOOL CListViewProc::EnsureVisible(CWndHost& host, int row) {
    if (row < 0 || row >= RowCount()) {
        return FALSE;
    }
    const int page = std::max(1, CountPerPage(host));
    if (row < m_top) {
        ScrollTo(host, row);
    } else if (row >= m_top + page) {
        ScrollTo(host, row - page + 1);
    }
    return TRUE;
}

// ---- data

int CListViewProc::InsertColumn(CWndHost& host, int index, const Column& column) {
    if (index < 0) {
        return -1;
    }
    index = std::min(index, ColumnCount());
    m_columns.insert(m_columns.begin() + index, column);
    UpdateScrollBar(host);
    host.update();
    return index;
}

BOOL CListViewProc::DeleteColumn(CWndHost& host, int index) {
    if (index < 0 || index >= ColumnCount()) {
        return FALSE;
    }
    m_columns.erase(m_columns.begin() + index);
    UpdateScrollBar(host);
    host.update();
    return TRUE;
}

BOOL CListViewProc::SetColumnWidth(CWndHost& host, int index, int width) {
    if (index < 0 || index >= ColumnCount() || width < 0) {
        return FALSE;
    }
    m_columns[std::size_t(index)].width = width;
    UpdateScrollBar(host);
    host.update();
    return TRUE;
}

const CListViewProc::Column* CListViewProc::GetColumn(int index) const {
    return index >= 0 && index < ColumnCount() ? &m_columns[std::size_t(index)] : nullptr;
}

int CListViewProc::InsertRow(CWndHost& host, int index, const CString& text, UINT state, LPARAM data, int image) {
    if (index < 0) {
        return -1;
    }
    index = std::min(index, RowCount());
    Row row;
    row.texts.push_back(text);
    row.state = state & (LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED | LVIS_CUT);
    row.data = data;
    row.image = image;
    m_rows.insert(m_rows.begin() + index, std::move(row));
    UpdateScrollBar(host);
    host.update();
    return index;
}

BOOL CListViewProc::DeleteRow(CWndHost& host, int index) {
    if (index < 0 || index >= RowCount()) {
        return FALSE;
    }
    m_rows.erase(m_rows.begin() + index);
    UpdateScrollBar(host);
    host.update();
    return TRUE;
}

BOOL CListViewProc::DeleteAllRows(CWndHost& host) {
    m_rows.clear();
    m_top = 0;
    UpdateScrollBar(host);
    host.update();
    return TRUE;
}

const CListViewProc::Row* CListViewProc::GetRow(int index) const {
    return index >= 0 && index < RowCount() ? &m_rows[std::size_t(index)] : nullptr;
}

BOOL CListViewProc::SetText(CWndHost& host, int row, int subItem, const CString& text) {
    if (row < 0 || row >= RowCount() || subItem < 0 || subItem > 255) {
        return FALSE;
    }
    auto& texts = m_rows[std::size_t(row)].texts;
    if (std::size_t(subItem) >= texts.size()) {
        texts.resize(std::size_t(subItem) + 1);
    }
    texts[std::size_t(subItem)] = text;
    host.update();
    return TRUE;
}

CString CListViewProc::GetText(int row, int subItem) const {
    const Row* r = GetRow(row);
    if (r == nullptr || subItem < 0 || std::size_t(subItem) >= r->texts.size()) {
        return CString();
    }
    return r->texts[std::size_t(subItem)];
}

BOOL CListViewProc::SetData(int row, LPARAM data) {
    if (row < 0 || row >= RowCount()) {
        return FALSE;
    }
    m_rows[std::size_t(row)].data = data;
    return TRUE;
}

DWORD CListViewProc::SetExtendedStyle(CWndHost& host, DWORD exStyle) {
    const DWORD old = m_exStyle;
    m_exStyle = exStyle;
    host.update();
    return old;
}

void CListViewProc::Notify(CWndHost& host, UINT code, int row, UINT newState, UINT oldState) {
    const HWND hwnd = host.Handle();
    const HWND parent = ::GetParent(hwnd);
    if (parent == nullptr) {
        return;
    }
    NMLISTVIEW info{};
    info.hdr = NMHDR{hwnd, host.ControlId(), code};
    info.iItem = row;
    info.iSubItem = 0;
    info.uNewState = newState;
    info.uOldState = oldState;
    info.uChanged = code == LVN_ITEMCHANGED ? LVIF_STATE : 0;
    const Row* r = GetRow(row);
    info.lParam = r != nullptr ? r->data : 0;
    ::SendMessage(parent, WM_NOTIFY, host.ControlId(), reinterpret_cast<LPARAM>(&info));
}

BOOL CListViewProc::SetState(CWndHost& host, int row, UINT state, UINT mask) {
    if (row < -1 || row >= RowCount()) {
        return FALSE;
    }
    const int first = row == -1 ? 0 : row;
    const int last = row == -1 ? RowCount() - 1 : row;
    const HWND hwnd = host.Handle();
    for (int i = first; i <= last; ++i) {
        // A notification handler may change the list: look the row up again every time.
        if (i >= RowCount() || !::IsWindow(hwnd)) {
            break;
        }
        Row& r = m_rows[std::size_t(i)];
        const UINT old = r.state;
        const UINT updated = (old & ~mask) | (state & mask);
        if (updated == old) {
            continue;
        }
        if ((updated & LVIS_FOCUSED) != 0) {
            // One row holds the focus.
            for (int j = 0; j < RowCount(); ++j) {
                if (j != i && (m_rows[std::size_t(j)].state & LVIS_FOCUSED) != 0) {
                    const UINT before = m_rows[std::size_t(j)].state;
                    m_rows[std::size_t(j)].state &= ~LVIS_FOCUSED;
                    Notify(host, LVN_ITEMCHANGED, j, before & ~LVIS_FOCUSED, before);
                }
            }
            if (i >= RowCount()) {
                break;
            }
        }
        m_rows[std::size_t(i)].state = updated;
        host.update();
        Notify(host, LVN_ITEMCHANGED, i, updated, old);
    }
    return TRUE;
}

void CListViewProc::SelectOnly(CWndHost& host, int row) {
    const HWND hwnd = host.Handle();
    for (int j = 0; j < RowCount() && ::IsWindow(hwnd); ++j) {
        if (j != row && (m_rows[std::size_t(j)].state & (LVIS_SELECTED | LVIS_FOCUSED)) != 0) {
            SetState(host, j, 0, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    if (row >= 0 && row < RowCount() && ::IsWindow(hwnd)) {
        SetState(host, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EnsureVisible(host, row);
    }
}

int CListViewProc::NextItem(int start, UINT flags) const {
    for (int i = std::max(start + 1, 0); i < RowCount(); ++i) {
        const UINT state = m_rows[std::size_t(i)].state;
        if ((flags & LVNI_SELECTED) != 0 && (state & LVIS_SELECTED) == 0) {
            continue;
        }
        if ((flags & LVNI_FOCUSED) != 0 && (state & LVIS_FOCUSED) == 0) {
            continue;
        }
        return i;
    }
    return -1;
}

// ---- behaviour

LRESULT CListViewProc::DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    (void)wnd;
    handled = true;
    const HWND hwnd = host.Handle();
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        ::SetFocus(hwnd);
        const POINT point{SHORT(LOWORD(DWORD_PTR(lParam))), SHORT(HIWORD(DWORD_PTR(lParam)))};
        const int row = HitTest(host, point);
        if (row >= 0) {
            SelectOnly(host, row);
        } else {
            SetState(host, -1, 0, LVIS_SELECTED);
        }
        if (::IsWindow(hwnd)) {
            NMHDR header{hwnd, host.ControlId(), message == WM_LBUTTONDOWN ? NM_CLICK : NM_DBLCLK};
            ::SendMessage(::GetParent(hwnd), WM_NOTIFY, host.ControlId(), reinterpret_cast<LPARAM>(&header));
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int delta = SHORT(HIWORD(wParam));
        ScrollTo(host, m_top - (delta / 120) * 3);
        return 0;
    }
    case WM_KEYDOWN: {
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            const int step = std::max(1, RowHeight(host));
            ScrollLeftTo(host, m_left + (wParam == VK_RIGHT ? step : -step));
            return 0;
        }
        const int focus = NextItem(-1, LVNI_FOCUSED);
        const int page = std::max(1, CountPerPage(host));
        int target = -1;
        switch (wParam) {
        case VK_UP:
            target = focus < 0 ? 0 : focus - 1;
            break;
        case VK_DOWN:
            target = focus < 0 ? 0 : focus + 1;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = RowCount() - 1;
            break;
        case VK_PRIOR:
            target = focus < 0 ? 0 : focus - page;
            break;
        case VK_NEXT:
            target = focus < 0 ? 0 : focus + page;
            break;
        default:
            return 0;
        }
        if (RowCount() > 0) {
            SelectOnly(host, std::clamp(target, 0, RowCount() - 1));
        }
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        host.update();
        return 0;
    case WM_SETFONT:
        host.SetFontHandle(reinterpret_cast<HFONT>(wParam));
        UpdateScrollBar(host);
        handled = false;
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(host);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void CListViewProc::Paint(CWndHost& host) {
    CDC* dc = host.PaintDC();
    if (dc == nullptr) {
        return;
    }
    const HWND hwnd = host.Handle();
    const DWORD style = host.Style();
    const int saved = dc->SaveDC();
    if (host.FontHandle() != nullptr) {
        dc->SelectObject(static_cast<HGDIOBJ>(host.FontHandle()));
    }
    RECT client{0, 0, host.width(), host.height()};
    dc->FillRect(&client, GetSysColorBrush(COLOR_WINDOW));
    dc->SetBkMode(TRANSPARENT);

    const int header = HeaderHeight(host);
    if (header > 0) {
        int x = -m_left;
        for (const Column& column : m_columns) {
            RECT cell{x, 0, x + column.width, header};
            dc->FillRect(&cell, GetSysColorBrush(COLOR_BTNFACE));
            RECT edge = cell;
            dc->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
            RECT label{cell.left + 4, cell.top, cell.right - 4, cell.bottom};
            dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
            dc->DrawText(column.heading.GetString(), &label, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
            x += column.width;
        }
    }
    // Rows stay inside the viewport: neither under the bars nor in the corner the two bars leave
    // between them, which is filled like the bars.
    const int viewRight = client.right - (m_vertical ? BarWidth() : 0);
    const int viewBottom = client.bottom - (m_horizontal ? BarHeight() : 0);
    if (m_vertical && m_horizontal) {
        RECT corner{viewRight, viewBottom, client.right, client.bottom};
        dc->FillRect(&corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    dc->IntersectClipRect(0, header, viewRight, viewBottom);
    const bool ownerDraw = (style & LVS_OWNERDRAWFIXED) != 0;
    const bool focused = ::GetFocus() == hwnd;
    const int height = RowHeight(host);
    for (int i = m_top; i < RowCount(); ++i) {
        RECT bounds{};
        ItemRect(host, i, LVIR_BOUNDS, &bounds);
        if (bounds.top >= client.bottom) {
            break;
        }
        const Row& row = m_rows[std::size_t(i)];
        if (ownerDraw) {
            DRAWITEMSTRUCT item{ODT_LISTVIEW,
                                host.ControlId(),
                                UINT(i),
                                ODA_DRAWENTIRE,
                                ((row.state & LVIS_SELECTED) != 0 ? ODS_SELECTED : 0U) |
                                    ((row.state & LVIS_FOCUSED) != 0 && focused ? ODS_FOCUS : 0U),
                                hwnd,
                                dc->GetSafeHdc(),
                                bounds,
                                DWORD_PTR(row.data)};
            ::SendMessage(::GetParent(hwnd), WM_DRAWITEM, host.ControlId(), reinterpret_cast<LPARAM>(&item));
            if (!::IsWindow(hwnd) || i >= RowCount()) {
                break;
            }
            continue;
        }
        const bool highlighted = (row.state & LVIS_SELECTED) != 0 && (focused || (style & LVS_SHOWSELALWAYS) != 0);
        RECT fill = bounds;
        if ((m_exStyle & LVS_EX_FULLROWSELECT) == 0 && !m_columns.empty()) {
            fill.right = fill.left + m_columns.front().width;
        }
        if (highlighted) {
            dc->FillRect(&fill, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        }
        int x = -m_left;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const Column& column = m_columns[c];
            RECT cell{x + 2, bounds.top, x + column.width - 2, bounds.top + height};
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
            format |= column.format == LVCFMT_RIGHT ? DT_RIGHT : column.format == LVCFMT_CENTER ? DT_CENTER : 0;
            const bool inHighlight = highlighted && (c == 0 || (m_exStyle & LVS_EX_FULLROWSELECT) != 0);
            dc->SetTextColor(GetSysColor(inHighlight && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            const std::size_t sub = std::size_t(column.subItem);
            if (sub < row.texts.size()) {
                dc->DrawText(row.texts[sub].GetString(), &cell, format);
            }
            x += column.width;
        }
        if ((m_exStyle & LVS_EX_GRIDLINES) != 0) {
            CPen grid(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
            CPen* old = dc->SelectObject(&grid);
            dc->MoveTo(bounds.left, bounds.bottom - 1);
            dc->LineTo(bounds.right, bounds.bottom - 1);
            int gx = -m_left;
            for (const Column& column : m_columns) {
                gx += column.width;
                dc->MoveTo(gx - 1, bounds.top);
                dc->LineTo(gx - 1, bounds.bottom);
            }
            dc->SelectObject(old);
        }
    }
    dc->RestoreDC(saved);
}
