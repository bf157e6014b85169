// Arbitrary bytes through everything that reads recorder replies and downloaded index files: the
// month and segment records with the calendar, timeline and event list over them, and an index file
// with the local calendar's month block and the local event list built from it.
#include "archive/ArchiveRecords.h"
#include "archive/CalendarMath.h"
#include "archive/EventTable.h"
#include "archive/LocalIndexFile.h"
#include "archive/LocalMonthBlock.h"
#include "archive/TimelineMath.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::span<const BYTE> bytes(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: {
        const std::vector<RecMonthInfo> months = ParseMonthRecords(bytes);
        for (const RecMonthInfo& record : months) {
            const int year = int(record.Year() % 4000);
            const int latest = LatestMonthWithData(&record, year);
            if (latest >= 0) {
                const MonthLayout layout = GetMonthLayout(year, latest);
                for (int d = 0; d < layout.days; ++d) {
                    (void)DayGridCell(layout.firstWeekday, d);
                }
            }
        }
        (void)FindMonthRecord(months, 2008);
        break;
    }
    case 1: {
        const std::vector<RecSegment> segments = ParseSegments(bytes);
        CEventTable table;
        table.LoadSegments(segments);
        for (int row = 0; row < 4; ++row) {
            (void)table.Find(table.FirstFilter(), row);
        }
        for (const RecSegment& s : segments) {
            int x1 = 0;
            int x2 = 0;
            if (DayBarColumns(s.Start(), s.End(), 2008, 2, 4, x1, x2)) {
                (void)SegmentBarRect(15, x1, x2);
            }
            (void)LowestRecordType(s.type);
            (void)FormatRecordTime(LONGLONG(LONG(s.Start())), s.type % 4);
            (void)ChannelListText(s.ChannelMask());
        }
        break;
    }
    default: {
        IndexFileContents contents;
        if (!ParseIndexFile(bytes, contents)) {
            break;
        }
        CLocalMonthBlock block;
        CEventTable table;
        for (const IndexSegment& segment : contents.segments) {
            const RecorderFields s = SplitRecorderTimeOrEpoch(segment.start);
            const RecorderFields e = SplitRecorderTimeOrEpoch(segment.end);
            block.MarkFileDays(s, e, segment, s.year);
            table.Add(segment.channelMask, segment.eventType, segment.start, segment.end);
        }
        (void)block.AsMonthRecord();
        break;
    }
    }
    return 0;
}
