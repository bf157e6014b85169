#include "archive/LocalEvents.h"

#include "archive/LocalIndexFile.h"

#include <algorithm>

bool LoadLocalEvents(const std::filesystem::path& downloadFolder, CEventTable& table) {
    table.Clear();
    std::vector<IndexFileContents> files;
    for (const std::filesystem::path& path : ListIndexFiles(downloadFolder)) {
        if (files.size() >= kLocalEventFileLimit) {
            break;
        }
        IndexFileContents contents;
        if (ReadIndexFile(path, contents)) {
            files.push_back(std::move(contents));
        }
    }
    std::stable_sort(files.begin(), files.end(), [](const IndexFileContents& a, const IndexFileContents& b) {
        return a.earliestStart < b.earliestStart;
    });
    for (const IndexFileContents& file : files) {
        for (const IndexSegment& segment : file.segments) {
            if (!table.Add(segment.channelMask, segment.eventType, segment.start, segment.end)) {
                return table.HasListedEvents();
            }
        }
    }
    return table.HasListedEvents();
}
