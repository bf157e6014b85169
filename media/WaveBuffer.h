#pragma once
// A buffer of wave data: either its own zero-filled memory or a view of someone else's.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <memory>

class CWaveBuffer {
public:
    // Its own memory of `size` bytes, zero-filled.
    explicit CWaveBuffer(std::size_t size);
    // A view of `size` bytes at `data`, which stay the caller's.
    CWaveBuffer(BYTE* data, std::size_t size);
    CWaveBuffer(const CWaveBuffer&) = delete;
    CWaveBuffer& operator=(const CWaveBuffer&) = delete;

    BYTE* GetData() const { return m_data; }
    std::size_t GetSize() const { return m_size; }
    std::size_t GetCapacity() const { return m_capacity; }
    bool OwnsData() const { return m_owned != nullptr; }
    // The bytes in use; never more than the buffer holds.
    void SetSize(std::size_t size) { m_size = size < m_capacity ? size : m_capacity; }
    void Clear();

private:
    std::unique_ptr<BYTE[]> m_owned;
    BYTE* m_data;
    std::size_t m_size;
    std::size_t m_capacity;
};
