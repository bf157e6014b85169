#include "media/WaveBuffer.h"

#include <cstring>

CWaveBuffer::CWaveBuffer(std::size_t size)
    : m_owned(std::make_unique<BYTE[]>(size)), m_data(m_owned.get()), m_size(size), m_capacity(size) {}

CWaveBuffer::CWaveBuffer(BYTE* data, std::size_t size) : m_data(data), m_size(size), m_capacity(size) {}

void CWaveBuffer::Clear() {
    if (m_data != nullptr && m_capacity > 0) {
        std::memset(m_data, 0, m_capacity);
    }
}
