#include "archive/RecordingScan.h"

#include "archive/BackupSet.h"
#include "platform/base/FindFile.h"

#include <algorithm>
#include <utility>

std::vector<RecordingSetEntry> CRecordingScan::FindSets(const std::string& folder) {
    std::vector<RecordingSetEntry> sets;
    CFindFile find;
    const std::string pattern = folder + "*.idx";
    for (bool more = find.FindFirst(pattern.c_str()); more && sets.size() < kMaxSets; more = find.FindNext()) {
        if (find.IsDirectory()) {
            continue;
        }
        RecordingSetEntry set;
        set.idx_path = folder + find.GetFileName();
        char tag[16] = {};
        if (!CBackupSet::ReadVidTag(CBackupSet::SiblingPath(set.idx_path, "vid"), tag) ||
            !CBackupSet::HasProgramTag(tag)) {
            continue;
        }
        // A set whose index cannot give its stamps could neither be ordered nor played.
        CBackupSet::Stamps stamps;
        if (!CBackupSet::ReadStamps(set.idx_path, stamps)) {
            continue;
        }
        set.header_stamp = stamps.header;
        set.trailer_stamp = stamps.trailer;
        set.earliest_start = stamps.earliest;
        sets.push_back(std::move(set));
    }
    SortByEarliest(sets);
    LinkContinuations(sets);
    MarkContinuations(sets);
    return sets;
}

void CRecordingScan::SortByEarliest(std::vector<RecordingSetEntry>& sets) {
    for (std::size_t i = 0; i + 1 < sets.size(); ++i) {
        for (std::size_t j = i; j < sets.size(); ++j) {
            if (sets[i].earliest_start > sets[j].earliest_start) {
                std::swap(sets[i], sets[j]);
            }
        }
    }
}

void CRecordingScan::LinkContinuations(std::vector<RecordingSetEntry>& sets) {
    for (std::size_t i = 0; i + 1 < sets.size(); ++i) {
        const DWORD stamp = sets[i].trailer_stamp;
        if (stamp == 0) {
            continue;
        }
        for (std::size_t j = i + 1; j < sets.size(); ++j) {
            if (sets[j].header_stamp != stamp) {
                continue;
            }
            if (j != i + 1) {
                std::rotate(sets.begin() + std::ptrdiff_t(i) + 1, sets.begin() + std::ptrdiff_t(j),
                            sets.begin() + std::ptrdiff_t(j) + 1);
            }
            break;
        }
    }
}

void CRecordingScan::MarkContinuations(std::vector<RecordingSetEntry>& sets) {
    for (std::size_t i = 0; i < sets.size(); ++i) {
        RecordingSetEntry& s = sets[i];
        s.continues_before = i > 0 && s.header_stamp != 0 && sets[i - 1].trailer_stamp == s.header_stamp;
        s.continues_after = i + 1 < sets.size() && s.trailer_stamp != 0 && s.trailer_stamp == sets[i + 1].header_stamp;
    }
}

std::vector<PlayListNode> CRecordingScan::BuildPlayList(const std::vector<RecordingSetEntry>& sets,
                                                        LocalSearchKind kind, DWORD t1, DWORD t2) {
    m_startFound = false;
    m_endFound = false;
    Builder builder = Builder::Range;
    if (kind == LocalSearchKind::Time) {
        builder = t2 == 0 ? Builder::FromTime : Builder::Event;
    }
    std::vector<PlayListNode> nodes;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        AddSet(sets[i], builder, i + 1 == sets.size(), t1, t2, nodes);
    }
    return nodes;
}

std::optional<std::size_t> CRecordingScan::FindStartNode(const std::vector<PlayListNode>& nodes, DWORD t1) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!(nodes[i].segment_start <= t1 && t1 >= nodes[i].segment_end)) {
            return i;
        }
    }
    return std::nullopt;
}

PlayListNode CRecordingScan::MakeNode(const BackupSegment& segment, const std::string& vidPath) {
    PlayListNode node;
    node.audio_present = segment.audio_present;
    node.index_slot = segment.slot;
    node.vid_path = vidPath;
    node.vih_path = CBackupSet::SiblingPath(vidPath, "vih");
    node.segment_start = segment.start;
    node.play_time = segment.start;
    node.segment_end = segment.end;
    node.play_offset = segment.first_record;
    node.channel_mask = segment.channel_mask;
    node.audio_mask = segment.audio_present;
    node.segment_first_offset = segment.first_record;
    node.segment_end_offset = segment.end_record;
    node.range_kind = kRangeWhole;
    return node;
}

void CRecordingScan::PlayFrom(CBackupSet& files, const BackupSegment& segment, DWORD t, bool after,
                              PlayListNode& node) {
    DWORD offset = 0;
    DWORD time = 0;
    if (files.FindFrameFrom(segment, t, after, offset, time)) {
        node.play_offset = offset;
        node.play_time = time;
    } else {
        node.play_offset = segment.end_record;
        node.play_time = segment.end;
    }
}

void CRecordingScan::AddSet(const RecordingSetEntry& set, Builder builder, bool lastSet, DWORD t1, DWORD t2,
                            std::vector<PlayListNode>& out) {
    CBackupSet files;
    std::vector<BackupSegment> segments;
    if (!files.Open(set.idx_path) || !files.LoadSegments(segments)) {
        return;
    }
    const std::string vidPath = CBackupSet::SiblingPath(set.idx_path, "vid");
    const std::size_t n = segments.size();
    for (std::size_t k = 0; k < n; ++k) {
        const BackupSegment& s = segments[k];
        // A segment whose frame records are damaged (random bytes over the .vih) has nothing to
        // show: it is not played, so a set without a readable picture finds nothing.
        if (!files.HasReadableFrame(s)) {
            continue;
        }
        PlayListNode node = MakeNode(s, vidPath);
        node.continues_before = BYTE(k == 0 && set.continues_before);
        node.continues_after = BYTE(k + 1 == n && set.continues_after);
        switch (builder) {
        case Builder::FromTime:
            if (!m_startFound && s.start <= t1 && t1 <= s.end) {
                m_startFound = true;
                PlayFrom(files, s, t1, false, node);
                node.play_time = t1;
            }
            break;
        case Builder::Event:
            if (m_startFound || s.start != t1 || s.end != t2) {
                continue;
            }
            m_startFound = true;
            PlayFrom(files, s, t1, false, node);
            break;
        case Builder::Range:
            if (!(s.start < t2 && s.end > t1)) {
                continue;
            }
            if (!m_startFound && s.start <= t1) {
                m_startFound = true;
                PlayFrom(files, s, t1, false, node);
                node.range_kind = kRangeStartsAt;
            } else if (!m_endFound && (t2 <= s.end || (lastSet && k + 1 == n))) {
                m_endFound = true;
                if (t2 <= s.end) {
                    PlayFrom(files, s, t2, true, node);
                } else {
                    node.play_time = s.end;
                    node.play_offset = s.end_record;
                }
                node.range_kind = kRangeEndsAt;
            } else {
                node.range_kind = kRangeInside;
            }
            break;
        }
        out.push_back(std::move(node));
    }
}
