#include "protocol/ReassemblyArea.h"

#include <cstring>

CReassemblyArea::CReassemblyArea(std::size_t capacity) : m_capacity(capacity) {}

std::span<BYTE> CReassemblyArea::Reserve(std::size_t length) {
    m_reserved = length;
    m_reservedInArea = !m_discarding && length <= m_capacity - m_fill;
    if (m_reservedInArea) {
        if (!m_area) {
            // Taken when the first fragment arrives: most connections never use most areas.
            m_area = std::make_unique_for_overwrite<BYTE[]>(m_capacity);
        }
        return {m_area.get() + m_fill, length};
    }
    if (m_scratchSize < length) {
        m_scratch = std::make_unique_for_overwrite<BYTE[]>(length);
        m_scratchSize = length;
    }
    return {m_scratch.get(), length};
}

void CReassemblyArea::Commit(std::size_t length) {
    if (length > m_reserved) {
        length = m_reserved;
    }
    if (m_reservedInArea) {
        m_fill += length;
    } else {
        m_discarding = true;
        m_fill = 0;
    }
    m_reserved = 0;
    m_reservedInArea = false;
}

void CReassemblyArea::Append(std::span<const BYTE> data) {
    std::span<BYTE> target = Reserve(data.size());
    if (!data.empty()) {
        std::memcpy(target.data(), data.data(), data.size());
    }
    Commit(data.size());
}

void CReassemblyArea::Reset() {
    m_fill = 0;
    m_reserved = 0;
    m_reservedInArea = false;
    m_discarding = false;
}
