#pragma once
// A gathering area for one kind of fragmented message (live frames, playback frames, backup frames,
// the setup record). Fragments are appended until the one that carries the last-fragment bit; the
// whole block is then handed to its handler.
//
// The area never grows past its capacity: a fragment that does not fit is read into scratch space,
// the partial block is discarded, and everything up to the next last fragment is discarded with it,
// so a recorder that never ends a block or sends an oversized one cannot overrun it.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <memory>
#include <span>

class CReassemblyArea {
public:
    explicit CReassemblyArea(std::size_t capacity);
    CReassemblyArea(const CReassemblyArea&) = delete;
    CReassemblyArea& operator=(const CReassemblyArea&) = delete;

    // Where the next fragment's length bytes are to be read: behind the bytes gathered so far, or a
    // scratch buffer when they do not fit (the block is then being discarded). Read into it, then
    // call Commit.
    std::span<BYTE> Reserve(std::size_t length);
    void Commit(std::size_t length);
    // Reserve + copy + Commit, for data already in memory.
    void Append(std::span<const BYTE> data);

    // After the last fragment's Commit: false when the block was discarded. Either way the caller
    // resets the area after using the block.
    bool IsComplete() const { return !m_discarding; }
    std::span<const BYTE> Block() const { return {m_area.get(), m_fill}; }
    std::size_t GetFill() const { return m_fill; }
    std::size_t GetCapacity() const { return m_capacity; }
    void Reset();

private:
    const std::size_t m_capacity;
    std::unique_ptr<BYTE[]> m_area;
    std::unique_ptr<BYTE[]> m_scratch;
    std::size_t m_scratchSize = 0;
    std::size_t m_fill = 0;
    std::size_t m_reserved = 0;
    bool m_reservedInArea = false;
    bool m_discarding = false;
};
