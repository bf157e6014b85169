#pragma once
// Index files (.idx) of downloaded backup sets as the download writer lays them out, for the tests
// of what reads them back: the header with its tag, the summary with a record count that may claim
// more records than are written, and the segment records.

#include "protocol/BackupFileSet.h"
#include "tests/support/UtcTime.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

namespace indexfile {

struct Segment {
    DWORD start;
    DWORD end;
    DWORD mask;
    BYTE type;
};

inline DWORD At(int year, int month, int day, int hour = 12) {
    return Utc(year, month, day, hour);
}

inline std::vector<BYTE> IndexFile(const std::vector<Segment>& segments, DWORD count, const char* tag = "kelo1040") {
    std::vector<BYTE> bytes(kIdxRecordsOffset + segments.size() * sizeof(IndexRecord));
    DownloadFileHeader header = MakeFileHeader(0);
    std::memset(header.tag, 0, sizeof header.tag);
    std::memcpy(header.tag, tag, std::strlen(tag));
    std::memcpy(bytes.data(), &header, sizeof header);
    const IndexSummary summary = MakeIndexSummary(segments.empty() ? 0 : segments.front().start, 0, count);
    std::memcpy(bytes.data() + kIdxSummaryOffset, &summary, sizeof summary);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        IndexRecord r = MakeIndexRecord();
        r.start = segments[i].start;
        r.end = segments[i].end;
        r.channel_mask = segments[i].mask;
        r.attributes[2] = segments[i].type;
        std::memcpy(bytes.data() + kIdxRecordsOffset + i * sizeof r, &r, sizeof r);
    }
    return bytes;
}

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/kelo-archive-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    void Write(const std::filesystem::path& name, const std::vector<BYTE>& bytes) const {
        std::filesystem::create_directories((path / name).parent_path());
        std::ofstream out(path / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::filesystem::path path;
};

} // namespace indexfile
