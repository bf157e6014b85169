#pragma once
// The records of a backup file set: three files sharing one base name under the Download folder.
//   .idx  header, IndexSummary, 1024 IndexRecord slots, PerSecondEntry list, trailer
//   .vih  header, one FrameRecord per frame, trailer
//   .vid  header, the frames (FrameHeader, picture, audio), trailer
// All integers are little-endian. The local search and the local player read these files back.

#include "platform/base/WinTypes.h"
#include "protocol/FrameRecord.h"
#include "protocol/LeField.h"

#include <cstddef>
#include <filesystem>

constexpr DWORD kFileHeaderMagic = 0x20070516;
constexpr DWORD kFileTrailerMagic = 0x19720505;
constexpr DWORD kIndexSummaryMagic = 0xCAFECAFE;
constexpr DWORD kIndexRecordMagic = 0xBC987302;

constexpr DWORD kIdxSummaryOffset = 0x40;
constexpr DWORD kIdxRecordsOffset = 0xC0;
constexpr DWORD kMaxIndexRecords = 1024;
constexpr DWORD kIdxEntriesOffset = 0x400C0;
constexpr DWORD kFirstRecordOffset = 64;
// A set is split once the bytes received for it (frame records and frames) exceed this.
constexpr ULONGLONG kDefaultSplitSize = 681574400;

#pragma pack(push, 1)
struct DownloadFileHeader {
    char tag[16];        // 0: "kelo1040"
    LeU32 magic;         // 16: kFileHeaderMagic
    LeU32 zero;          // 20
    BYTE reserved24[8];  // 24
    LeU32 stamp;         // 32: continuation stamp, 0 = none
    BYTE reserved36[28]; // 36
};

struct DownloadFileTrailer {
    char tag[16];             // 0
    LeU32 magic;              // 16: kFileTrailerMagic
    LeU32 zero;               // 20
    BYTE reserved24[8];       // 24
    LeU32 stamp;              // 32: .idx only
    LeU32 last_record_offset; // 36: .vih and .vid only
    BYTE reserved40[24];      // 40
};

struct IndexSummary {
    char tag[16];         // 0
    LeU32 magic;          // 16: kIndexSummaryMagic
    LeU32 zero;           // 20
    LeU32 earliest_start; // 24
    LeU32 latest_end;     // 28
    LeU32 record_count;   // 32
    BYTE reserved36[92];  // 36
};

struct IndexRecord {
    char tag[16];             // 0
    LeU32 magic;              // 16: kIndexRecordMagic
    LeU32 zero;               // 20
    LeU32 start;              // 24: time of the segment's first frame
    LeU32 end;                // 28: time of the next segment's first frame, or of the last frame
    LeU32 first_entry_offset; // 32: .idx offset of the segment's first PerSecondEntry
    LeU32 channel_mask;       // 36
    LeU32 one;                // 40: always 1
    LeU32 channel_mask2;      // 44
    BYTE attributes[4];       // 48: bytes 48-51 of the segment's frame record (50 = event type)
    BYTE reserved52[28];      // 52
    LeU32 channel_bytes[16];  // 80: frame bytes written per channel (low 32 bits)
    BYTE reserved144[112];    // 144
};

struct PerSecondEntry {
    LeU32 vih_offset; // .vih offset of the first record with a new frame time
    LeU32 zero;
};
#pragma pack(pop)

static_assert(sizeof(DownloadFileHeader) == 64 && offsetof(DownloadFileHeader, stamp) == 32);
static_assert(sizeof(DownloadFileTrailer) == 64 && offsetof(DownloadFileTrailer, last_record_offset) == 36);
static_assert(sizeof(IndexSummary) == 128 && offsetof(IndexSummary, record_count) == 32);
static_assert(sizeof(IndexRecord) == 256 && offsetof(IndexRecord, attributes) == 48);
static_assert(offsetof(IndexRecord, channel_bytes) == 80);
static_assert(sizeof(PerSecondEntry) == 8);
static_assert(kIdxRecordsOffset + kMaxIndexRecords * sizeof(IndexRecord) == kIdxEntriesOffset);

// Tag-filled records with their magic, everything else zero.
DownloadFileHeader MakeFileHeader(DWORD stamp);
DownloadFileTrailer MakeFileTrailer(DWORD stamp, DWORD lastRecordOffset);
IndexSummary MakeIndexSummary(DWORD earliestStart, DWORD latestEnd, DWORD count);
IndexRecord MakeIndexRecord();

// <folder>/<base in lower-case hex>.<extension>
std::filesystem::path BackupSetPath(const std::filesystem::path& folder, DWORD base, const char* extension);
