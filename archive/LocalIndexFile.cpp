#include "archive/LocalIndexFile.h"

#include "protocol/BackupFileSet.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <system_error>

namespace {

constexpr const char kBackupTag[] = "kelo1040";
constexpr std::size_t kTagCompared = 5;

} // namespace

bool IsBackupFileTag(const char* tag, std::size_t size) {
    if (tag == nullptr) {
        return false;
    }
    for (std::size_t i = 0; i < kTagCompared; ++i) {
        const char c = i < size ? tag[i] : '\0';
        if (std::tolower(static_cast<unsigned char>(c)) != std::tolower(static_cast<unsigned char>(kBackupTag[i]))) {
            return false;
        }
        if (c == '\0') {
            return true; // both ended together
        }
    }
    return true;
}

bool ParseIndexFile(std::span<const BYTE> bytes, IndexFileContents& out) {
    out = IndexFileContents{};
    if (bytes.size() < sizeof(DownloadFileHeader)) {
        return false;
    }
    DownloadFileHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (!IsBackupFileTag(header.tag, sizeof header.tag)) {
        return false;
    }
    if (bytes.size() < kIdxSummaryOffset + sizeof(IndexSummary)) {
        return true; // a tagged file without a summary holds no segments
    }
    IndexSummary summary;
    std::memcpy(&summary, bytes.data() + kIdxSummaryOffset, sizeof summary);
    out.earliestStart = summary.earliest_start;
    const std::size_t present = (bytes.size() - kIdxRecordsOffset) / sizeof(IndexRecord);
    const std::size_t count = std::min<std::size_t>({summary.record_count, present, kMaxIndexRecords});
    out.segments.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        IndexRecord record;
        std::memcpy(&record, bytes.data() + kIdxRecordsOffset + i * sizeof(IndexRecord), sizeof record);
        IndexSegment segment;
        segment.start = record.start;
        segment.end = record.end;
        segment.channelMask = record.channel_mask;
        segment.eventType = record.attributes[2];
        out.segments.push_back(segment);
    }
    return true;
}

bool ReadIndexFile(const std::filesystem::path& path, IndexFileContents& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    // Only the fixed part is read: header, summary and the record slots.
    constexpr std::size_t kFixedPart = kIdxRecordsOffset + kMaxIndexRecords * sizeof(IndexRecord);
    std::vector<BYTE> bytes(kFixedPart);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    return ParseIndexFile(bytes, out);
}

std::vector<std::filesystem::path> ListIndexFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        std::error_code typeError;
        if (p.extension() == ".idx" && !it->is_directory(typeError)) {
            files.push_back(p);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::filesystem::path DownloadFolder(const std::filesystem::path& base) {
    return base / "Download";
}
