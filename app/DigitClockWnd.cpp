#include "app/DigitClockWnd.h"

#include "controls/SkinHelper.h"
#include "platform/gdi/DC.h"

#include <cstring>
#include <ctime>

CDigitClockWnd::CDigitClockWnd(CWnd* pMain, int mode, std::function<DWORD()> dateFormat, TimeSource source, bool tick)
    : m_hMain(pMain != nullptr ? pMain->GetSafeHwnd() : nullptr), m_nMode(mode), m_dateFormat(std::move(dateFormat)),
      m_source(std::move(source)) {
    m_bmLarge.LoadBitmap(kClockStripLarge);
    m_bmSmall.LoadBitmap(kClockStripSmall);
    m_bmPlayTime.LoadBitmap(kClockStripPlayTime);
    m_bmPlayDate.LoadBitmap(kClockStripPlayDate);
    m_bmPlayMark.LoadBitmap(kClockStripPlayMark);
    if (tick) {
        m_thread.Start([this] {
            Run();
            return 0u;
        });
    }
}

CDigitClockWnd::~CDigitClockWnd() {
    DestroyWindow();
}

BOOL CDigitClockWnd::DestroyWindow() {
    m_bStop.store(true);
    m_wake.Set();
    m_thread.Join();
    return CWnd::DestroyWindow();
}

void CDigitClockWnd::Run() {
    while (!m_bStop.load()) {
        Tick();
        m_wake.Wait(100);
    }
}

ClockCells CDigitClockWnd::ComputeCells() const {
    LONG shown = 0;
    const bool sourced = m_source && m_source(&shown);
    std::tm tm{};
    if (m_nMode == 0 && !sourced) {
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &tm);
    } else {
        if (m_nMode == 1 && !sourced) {
            shown = m_nTime.load();
        }
        const std::time_t t = shown < 0 ? 0 : std::time_t(shown);
        gmtime_r(&t, &tm);
    }
    return CClockFace::CellsOfTm(tm);
}

void CDigitClockWnd::Tick() {
    const ClockCells cells = ComputeCells();
    const DWORD format = m_dateFormat ? m_dateFormat() : 0;
    bool changed = false;
    {
        std::lock_guard<std::mutex> lock(m_cellLock);
        changed = !m_haveCells || std::memcmp(&cells, &m_cells, sizeof cells) != 0 || format != m_drawnFormat;
        m_cells = cells;
        m_drawnFormat = format;
        m_haveCells = true;
    }
    if (changed && m_hMain != nullptr) {
        for (const RECT& area : CClockFace::Areas(m_nMode)) {
            ::InvalidateRect(m_hMain, &area, TRUE);
        }
    }
}

HBITMAP CDigitClockWnd::StripOf(UINT id) const {
    switch (id) {
    case kClockStripLarge:
        return m_bmLarge;
    case kClockStripSmall:
        return m_bmSmall;
    case kClockStripPlayTime:
        return m_bmPlayTime;
    case kClockStripPlayDate:
        return m_bmPlayDate;
    case kClockStripPlayMark:
        return m_bmPlayMark;
    default:
        return nullptr;
    }
}

void CDigitClockWnd::Draw(CDC* pDC) {
    ClockCells cells{};
    DWORD format = 0;
    {
        std::lock_guard<std::mutex> lock(m_cellLock);
        if (!m_haveCells) {
            return;
        }
        cells = m_cells;
        format = m_drawnFormat;
    }
    for (const ClockDraw& d : CClockFace::DrawList(m_nMode, cells, format)) {
        CSkinHelper::DrawBitmap(pDC, StripOf(d.strip), d.rect.left, d.rect.top, d.rect.right, d.rect.bottom, FALSE,
                                d.cell);
    }
}
