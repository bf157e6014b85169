#include "protocol/BackupFileSet.h"

#include <cstdio>
#include <cstring>

namespace {

template <typename Record>
Record Tagged(DWORD magic) {
    Record record{};
    std::memcpy(record.tag, kFileTag, sizeof(kFileTag) - 1);
    record.magic = magic;
    return record;
}

} // namespace

DownloadFileHeader MakeFileHeader(DWORD stamp) {
    auto header = Tagged<DownloadFileHeader>(kFileHeaderMagic);
    header.stamp = stamp;
    return header;
}

DownloadFileTrailer MakeFileTrailer(DWORD stamp, DWORD lastRecordOffset) {
    auto trailer = Tagged<DownloadFileTrailer>(kFileTrailerMagic);
    trailer.stamp = stamp;
    trailer.last_record_offset = lastRecordOffset;
    return trailer;
}

IndexSummary MakeIndexSummary(DWORD earliestStart, DWORD latestEnd, DWORD count) {
    auto summary = Tagged<IndexSummary>(kIndexSummaryMagic);
    summary.earliest_start = earliestStart;
    summary.latest_end = latestEnd;
    summary.record_count = count;
    return summary;
}

IndexRecord MakeIndexRecord() {
    auto record = Tagged<IndexRecord>(kIndexRecordMagic);
    record.one = 1;
    return record;
}

std::filesystem::path BackupSetPath(const std::filesystem::path& folder, DWORD base, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof(name), "%x.%s", unsigned(base), extension);
    return folder / name;
}
