#include "app/VideoPlaceholder.h"

#include "app/ClientDlg.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"

#include <cstring>

namespace {

// Tiles of the layouts by index, and the layout index of a tile count.
constexpr int kTiles[15] = {1, 4, 6, 7, 7, 8, 9, 10, 10, 10, 10, 13, 13, 13, 16};

int LayoutOfTiles(int tiles) {
    switch (tiles) {
    case 1:
        return 0;
    case 4:
        return 1;
    case 6:
        return 2;
    case 7:
        return 3;
    case 8:
        return 5;
    case 9:
        return 6;
    case 10:
        return 7;
    case 13:
        return 13;
    default:
        return 14;
    }
}

} // namespace

bool CVideoPlaceholder::Create(CClientDlg& main) {
    const CRect area(kArea);
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, area, &main, 104) != FALSE;
}

void CVideoPlaceholder::Destroy() {
    DestroyWindow();
}

void CVideoPlaceholder::SetMonitorTable(const MONITORINFOEX table[4]) {
    std::memcpy(m_monitors, table, sizeof m_monitors);
}

void CVideoPlaceholder::GetMonitorTable(MONITORINFOEX table[4]) const {
    std::memcpy(table, m_monitors, sizeof m_monitors);
}

void CVideoPlaceholder::UpdateVisible() {
    const int tiles = kTiles[m_layout.load()];
    const int first = (m_page.load() * tiles) % 16;
    DWORD mask = 0;
    for (int i = 0; i < tiles && first + i < 16; ++i) {
        mask |= 1u << (first + i);
    }
    m_visibleMask.store(mask);
    Invalidate(TRUE);
}

bool CVideoPlaceholder::SelectLayout(int layout) {
    if (layout < 0 || layout > 14) {
        return false;
    }
    if (layout != m_layout.load()) {
        m_layout.store(layout);
        m_page.store(0);
    } else if (!m_single.load()) {
        const int pages = (16 + kTiles[layout] - 1) / kTiles[layout];
        m_page.store((m_page.load() + 1) % pages);
    }
    UpdateVisible();
    return m_availableMask.load() != 0;
}

bool CVideoPlaceholder::ShowSingleChannel(int channel) {
    if (channel < 0 || channel > 15) {
        return false;
    }
    m_layout.store(0);
    m_page.store(channel);
    m_arrangeLayout = 0;
    m_single.store(true);
    UpdateVisible();
    return true;
}

void CVideoPlaceholder::Repaint(bool erase) {
    Invalidate(erase ? TRUE : FALSE);
}

void CVideoPlaceholder::SetAvailableMask(DWORD mask, bool) {
    m_availableMask.store(mask);
    Invalidate(TRUE);
}

void CVideoPlaceholder::SetLayout(int tiles) {
    m_layout.store(LayoutOfTiles(tiles));
    m_page.store(0);
    UpdateVisible();
}

void CVideoPlaceholder::Redraw() {
    Invalidate(TRUE);
}

bool CVideoPlaceholder::IsSelectedChannel(int channel) const {
    return m_layout.load() == 0 && m_page.load() == channel;
}

BOOL CVideoPlaceholder::OnEraseBkgnd(CDC* pDC) {
    if (pDC != nullptr) {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, kBackground);
    }
    return TRUE;
}
