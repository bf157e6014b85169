#pragma once
// A small reader of backup file sets written from the file layout alone (byte offsets and magic
// values), independent of the writer's record definitions. It checks the set's structure as it
// reads and reports the first inconsistency it finds.

#include "platform/base/WinTypes.h"
#include "protocol/ByteOrder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace backupset {

inline DWORD Le32(const std::vector<BYTE>& v, std::size_t at) {
    if (at + 4 > v.size()) {
        return 0xFFFFFFFF;
    }
    return ReadLE32(v.data() + at);
}

inline std::vector<BYTE> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Segment {
    DWORD start = 0;
    DWORD end = 0;
    DWORD firstEntryOffset = 0;
    DWORD mask = 0;
    DWORD mask2 = 0;
    DWORD one = 0;
    BYTE attributes[4] = {};
    DWORD channelBytes[16] = {};
};

struct Frame {
    DWORD vihOffset = 0;
    std::vector<BYTE> record; // 192 bytes as stored (with the writer's links)
    std::vector<BYTE> frame;  // frame header, picture and audio
};

struct Set {
    std::filesystem::path idxPath;
    DWORD headerStamp[3] = {}; // idx, vih, vid
    DWORD trailerStamp = 0;
    DWORD earliest = 0;
    DWORD latest = 0;
    std::vector<Segment> segments;
    std::vector<DWORD> entries; // .vih offsets
    std::vector<Frame> frames;
};

inline bool HasTag(const std::vector<BYTE>& v, std::size_t at) {
    static const BYTE tag[16] = {'k', 'e', 'l', 'o', '1', '0', '4', '0'};
    return at + 16 <= v.size() && std::memcmp(v.data() + at, tag, 16) == 0;
}

// Reads the set whose .idx is given. Returns an empty string, or what is wrong with the set.
inline std::string Read(const std::filesystem::path& idxPath, Set& set) {
    set = Set{};
    set.idxPath = idxPath;
    std::filesystem::path base = idxPath;
    const std::vector<BYTE> idx = ReadFile(idxPath);
    const std::vector<BYTE> vih = ReadFile(base.replace_extension("vih"));
    const std::vector<BYTE> vid = ReadFile(base.replace_extension("vid"));
    const std::vector<BYTE>* files[3] = {&idx, &vih, &vid};
    for (int i = 0; i < 3; ++i) {
        const std::vector<BYTE>& f = *files[i];
        if (f.size() < 128 || !HasTag(f, 0) || Le32(f, 16) != 0x20070516 || !HasTag(f, f.size() - 64) ||
            Le32(f, f.size() - 48) != 0x19720505) {
            return "header or trailer of file " + std::to_string(i);
        }
        set.headerStamp[i] = Le32(f, 32);
    }
    if (idx.size() < 0x400C0 + 64 || (idx.size() - 0x400C0 - 64) % 8 != 0) {
        return "idx size";
    }
    set.trailerStamp = Le32(idx, idx.size() - 32);
    if (!HasTag(idx, 0x40) || Le32(idx, 0x40 + 16) != 0xCAFECAFE) {
        return "summary";
    }
    set.earliest = Le32(idx, 0x40 + 24);
    set.latest = Le32(idx, 0x40 + 28);
    const DWORD count = Le32(idx, 0x40 + 32);
    if (count > 1024) {
        return "record count";
    }
    for (DWORD k = 0; k < count; ++k) {
        const std::size_t at = 0xC0 + k * 256;
        if (!HasTag(idx, at) || Le32(idx, at + 16) != 0xBC987302) {
            return "index record " + std::to_string(k);
        }
        Segment s;
        s.start = Le32(idx, at + 24);
        s.end = Le32(idx, at + 28);
        s.firstEntryOffset = Le32(idx, at + 32);
        s.mask = Le32(idx, at + 36);
        s.one = Le32(idx, at + 40);
        s.mask2 = Le32(idx, at + 44);
        std::memcpy(s.attributes, idx.data() + at + 48, 4);
        for (int ch = 0; ch < 16; ++ch) {
            s.channelBytes[ch] = Le32(idx, at + 80 + 4 * ch);
        }
        set.segments.push_back(s);
    }
    if (count < 1024 && Le32(idx, 0xC0 + count * 256 + 16) != 0) {
        return "slot behind the last record is not empty";
    }
    for (std::size_t at = 0x400C0; at + 64 < idx.size(); at += 8) {
        if (Le32(idx, at + 4) != 0) {
            return "entry second word";
        }
        set.entries.push_back(Le32(idx, at));
    }

    DWORD previous = 64;
    std::size_t vidAt = 64;
    for (std::size_t at = 64; at + 64 < vih.size(); at += 192) {
        if (at + 192 + 64 > vih.size() || !HasTag(vih, at)) {
            return "frame record at " + std::to_string(at);
        }
        if (Le32(vih, at + 32) != previous) {
            return "back link at " + std::to_string(at);
        }
        if (Le32(vih, at + 44) != vidAt) {
            return "vid offset at " + std::to_string(at);
        }
        if (vidAt + 40 > vid.size() - 64 || Le32(vid, vidAt) != 0x1FF) {
            return "frame header at vid " + std::to_string(vidAt);
        }
        const std::size_t length = std::size_t(vid[vidAt + 9] >> 4) | (std::size_t(vid[vidAt + 10]) << 4) |
                                   (std::size_t(vid[vidAt + 11]) << 12);
        if (vidAt + length > vid.size() - 64) {
            return "frame length at vid " + std::to_string(vidAt);
        }
        Frame frame;
        frame.vihOffset = DWORD(at);
        frame.record.assign(vih.begin() + at, vih.begin() + at + 192);
        frame.frame.assign(vid.begin() + vidAt, vid.begin() + vidAt + length);
        set.frames.push_back(std::move(frame));
        previous = DWORD(at);
        vidAt += length;
    }
    if (vidAt != vid.size() - 64) {
        return "vid holds bytes no record points to";
    }
    if (Le32(vih, vih.size() - 28) != previous || Le32(vid, vid.size() - 28) != previous) {
        return "trailer link to the last record";
    }
    return {};
}

} // namespace backupset
