#pragma once
// Reading the index files (.idx) of the downloaded backup sets back: the tag check, the summary and
// the segment records that the local calendar and the local event list build on. Everything read is
// bounded by the file: a record count larger than the records present, or than the 1024 slots a set
// has, reads only the records that are there.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

struct IndexSegment {
    DWORD start = 0;
    DWORD end = 0;
    DWORD channelMask = 0; // the record's first channel mask
    BYTE eventType = 0;
};

struct IndexFileContents {
    DWORD earliestStart = 0;
    std::vector<IndexSegment> segments;
};

// The first five characters of a file tag, lower-cased, against those of the backup file tag.
bool IsBackupFileTag(const char* tag, std::size_t size);
// The contents of an index file's bytes (as many as the file has, or at least its fixed part); false
// when the bytes are too short for a header or the tag does not match.
bool ParseIndexFile(std::span<const BYTE> bytes, IndexFileContents& out);
// The same from a file; false when it cannot be read or is not a backup index.
bool ReadIndexFile(const std::filesystem::path& path, IndexFileContents& out);

// The index files of a download folder (names ending ".idx"), in name order.
std::vector<std::filesystem::path> ListIndexFiles(const std::filesystem::path& folder);
// The download folder: "<base>/Download/".
std::filesystem::path DownloadFolder(const std::filesystem::path& base);
