#pragma once
// An unsigned integer field stored little-endian, byte by byte, whatever the host's order. Frame
// headers, frame records and the backup files are little-endian; records built from these fields
// have no padding and read and write the same bytes on every host.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <type_traits>

template <typename T>
class LeField {
    static_assert(std::is_unsigned_v<T>);

public:
    LeField() = default;
    LeField(T value) { Set(value); }

    operator T() const { return Get(); }
    LeField& operator=(T value) {
        Set(value);
        return *this;
    }

    T Get() const {
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value |= T(T(m_bytes[i]) << (8 * i));
        }
        return value;
    }
    void Set(T value) {
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            m_bytes[i] = BYTE(value >> (8 * i));
        }
    }

private:
    BYTE m_bytes[sizeof(T)] = {};
};

using LeU16 = LeField<WORD>;
using LeU32 = LeField<DWORD>;

static_assert(sizeof(LeU16) == 2 && alignof(LeU16) == 1);
static_assert(sizeof(LeU32) == 4 && alignof(LeU32) == 1);
