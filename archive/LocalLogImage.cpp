#include "archive/LocalLogImage.h"

#include "res/TextIds.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace {

DWORD LittleEndianAt(std::span<const BYTE> bytes, std::size_t at) {
    return DWORD(bytes[at]) | (DWORD(bytes[at + 1]) << 8) | (DWORD(bytes[at + 2]) << 16) | (DWORD(bytes[at + 3]) << 24);
}

CString FieldText(const char* field, std::size_t size) {
    return CString(std::string_view(field, strnlen(field, size)));
}

} // namespace

std::vector<LocalLogRecord> LoadLocalLogImage(std::span<const BYTE> image) {
    std::vector<LocalLogRecord> records;
    constexpr std::size_t kHeader = 8;
    if (image.size() < kHeader + 8) {
        return records;
    }
    const DWORD wrapped = LittleEndianAt(image, 0);
    const DWORD next = LittleEndianAt(image, 4);
    const DWORD stride = LittleEndianAt(image, kHeader + 4);
    if (stride == 0 || stride > sizeof(LocalLogRecord) || next >= kLocalLogSlots) {
        return records;
    }
    const std::size_t count = std::min<std::size_t>((image.size() - kHeader) / stride, kLocalLogSlots);
    auto copy = [&](std::size_t slot) {
        if (slot >= count) {
            return;
        }
        const auto bytes = image.subspan(kHeader + slot * stride, stride);
        // A slot never written (a hole left by a damaged header), or emptied by the writer's repair
        // (nothing but its slot number and size), is not a row.
        constexpr std::size_t kFraming = offsetof(LocalLogRecord, index_main);
        if (std::all_of(bytes.begin() + std::ptrdiff_t(std::min<std::size_t>(kFraming, bytes.size())), bytes.end(),
                        [](BYTE b) { return b == 0; })) {
            return;
        }
        LocalLogRecord record{};
        std::memcpy(&record, bytes.data(), stride);
        records.push_back(record);
    };
    if (wrapped != 0) {
        for (std::size_t s = next; s < kLocalLogSlots; ++s) {
            copy(s);
        }
        for (std::size_t s = 0; s < next; ++s) {
            copy(s);
        }
    } else {
        for (std::size_t s = 0; s < count; ++s) {
            copy(s);
        }
    }
    return records;
}

LogRow FormatLocalLogRow(const LocalLogRecord& record, int number, int dateFormat, const TextSource& text) {
    static constexpr UINT kTexts[4][3] = {{IDS_PROGRAM_START, IDS_PROGRAM_END, 0},
                                          {IDS_LOGIN_LOCAL_LOG, IDS_DISCONNECT_LOG, IDS_LOGIN_FAILED},
                                          {IDS_LOCAL_PLAY_START, IDS_LOCAL_PLAY_END, 0},
                                          {IDS_LOCAL_SETUP, IDS_SNAPSHOT, 0}};
    static constexpr int kSubBits[4] = {2, 3, 2, 2};
    LogRow row;
    row[0].Format("%04d", number);
    row[1] = FormatLogDateTime(record.time, dateFormat);
    const int kind = LowestBit(record.index_main, 3);
    if (kind < 0) {
        return row;
    }
    const int sub = LowestBit(record.index_sub, kSubBits[kind] - 1);
    if (sub >= 0) {
        row[2] = text(kTexts[kind][sub]);
    }
    if (kind == 1) {
        row[3] = FieldText(record.user_id, sizeof record.user_id);
        row[4] = FieldText(record.address, sizeof record.address);
    }
    return row;
}
