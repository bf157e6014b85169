#include "protocol/SetupDatabase.h"

#include <bit>
#include <cstring>

namespace {

constexpr SetupIntegerField kIntegerFields[] = {
    {4, 4, 1}, {648, 2, 2}, {3504, 4, 2}, {4216, 2, 2}, {4320, 2, 64}, {4448, 4, 5}, {4600, 2, 512}, {6400, 2, 64},
};

void SwapFields(SetupDatabase& db) {
    if constexpr (std::endian::native == std::endian::big) {
        return;
    }
    BYTE* bytes = reinterpret_cast<BYTE*>(&db);
    for (const SetupIntegerField& field : kIntegerFields) {
        for (std::size_t i = 0; i < field.count; ++i) {
            BYTE* p = bytes + field.offset + i * field.width;
            for (std::size_t lo = 0, hi = field.width - 1; lo < hi; ++lo, --hi) {
                const BYTE t = p[lo];
                p[lo] = p[hi];
                p[hi] = t;
            }
        }
    }
}

} // namespace

// Both directions are the same swap; two names keep the callers' intent readable.
void DbToHostOrder(SetupDatabase& db) {
    SwapFields(db);
}
void DbToNetworkOrder(SetupDatabase& db) {
    SwapFields(db);
}
