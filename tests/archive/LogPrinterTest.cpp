// Printing of the log lists: pages of 33 rows under a framed title with the page number at the foot,
// the cells in twips, and jobs that fail to start or to finish a page.

#include "archive/LogPrinter.h"
#include "tests/archive/RecordingPrintDevice.h"

#include <gtest/gtest.h>

namespace {

LogRow Row(int i) {
    LogRow row;
    row[0].Format("%05d", i);
    row[1] = "2008-03-01 12:00:00";
    row[2] = i % 2 == 0 ? " Kind" : "";
    return row;
}

int Print(RecordingDevice& device, int rows, const LogPrintLayout& layout = kRemoteLogPrintLayout) {
    return CLogPrinter::Print(device, layout, "Remote Log All", "Title", rows, Row);
}

} // namespace

TEST(LogPrinter, ThirtyThreeRowsAPageWithTitleAndPageNumbers) {
    struct Case {
        int rows;
        std::vector<std::string> footers;
        std::vector<std::size_t> cellsPerPage;
    };
    const Case cases[] = {
        {33, {"- 1 / 1 -"}, {33 * 5}},
        {34, {"- 1 / 2 -", "- 2 / 2 -"}, {33 * 5, 5}},
    };
    for (const Case& c : cases) {
        RecordingDevice device;
        EXPECT_EQ(Print(device, c.rows), int(c.footers.size()));
        EXPECT_EQ(device.docName, "Remote Log All");
        EXPECT_EQ(device.endDocs, 1);
        EXPECT_EQ(device.aborts, 0);
        ASSERT_EQ(device.pageStarts.size(), c.footers.size());
        for (std::size_t p = 0; p < c.footers.size(); ++p) {
            const std::vector<DrawRecord> texts = device.OnPage(p, DrawRecord::Op::Text);
            ASSERT_FALSE(texts.empty());
            EXPECT_EQ(texts.front().text, "Title");
            EXPECT_EQ(texts.back().text, c.footers[p]);
            // One frame for the title, one for every cell.
            EXPECT_EQ(device.OnPage(p, DrawRecord::Op::Rectangle).size(), 1 + c.cellsPerPage[p]) << c.rows;
        }
    }
    // Printed again, the same list gives the same pages.
    RecordingDevice again;
    EXPECT_EQ(Print(again, 34), 2);
    EXPECT_EQ(again.OnPage(1, DrawRecord::Op::Text).back().text, "- 2 / 2 -");
}

TEST(LogPrinter, CellsLieInTwipsBelowTheTitle) {
    for (const LogPrintLayout* layout : {&kRemoteLogPrintLayout, &kLocalLogPrintLayout}) {
        RecordingDevice device;
        Print(device, 2, *layout);
        const std::vector<DrawRecord> frames = device.OnPage(0, DrawRecord::Op::Rectangle);
        ASSERT_EQ(frames.size(), 11u);
        EXPECT_EQ(frames[0].rect.left, layout->title.left);
        EXPECT_EQ(frames[0].rect.top, -900);
        EXPECT_EQ(frames[0].rect.bottom, -1400);
        EXPECT_EQ(frames[0].penWidth, 5);
        // Row 0's first cell, then row 1's last: the edges shifted 300 to the right, 400 a row.
        EXPECT_EQ(frames[1].rect.left, layout->edges[0] + 300);
        EXPECT_EQ(frames[1].rect.right, layout->edges[1] + 300);
        EXPECT_EQ(frames[1].rect.top, -1800);
        EXPECT_EQ(frames[1].rect.bottom, -2200);
        EXPECT_EQ(frames[10].rect.right, layout->edges[5] + 300);
        EXPECT_EQ(frames[10].rect.top, -2200);
        EXPECT_EQ(frames[10].rect.bottom, -2600);
    }
    RecordingDevice device;
    Print(device, 2);
    // Empty cells are framed but carry no text: row 1 has no kind text.
    const std::vector<DrawRecord> texts = device.OnPage(0, DrawRecord::Op::Text);
    std::vector<std::string> drawn;
    for (const DrawRecord& t : texts) {
        drawn.push_back(t.text);
    }
    EXPECT_EQ(drawn, (std::vector<std::string>{"Title", "00000", "2008-03-01 12:00:00", " Kind", "00001",
                                               "2008-03-01 12:00:00", "- 1 / 1 -"}));
    EXPECT_EQ(texts[0].fontHeight, -400);
    EXPECT_EQ(texts[1].fontHeight, -200);
}

TEST(LogPrinter, EmptyListsAndFailedJobs) {
    // An empty list starts no job at all: a job without pages still feeds a blank sheet.
    RecordingDevice empty;
    EXPECT_EQ(Print(empty, 0), 0);
    EXPECT_TRUE(empty.docName.empty());
    EXPECT_TRUE(empty.pageStarts.empty());
    EXPECT_EQ(empty.endDocs + empty.aborts, 0);

    RecordingDevice refused;
    refused.startDoc = 0;
    EXPECT_EQ(Print(refused, 40), 0);
    EXPECT_TRUE(refused.pageStarts.empty());
    EXPECT_EQ(refused.aborts, 1);
    EXPECT_EQ(refused.endDocs, 0);

    RecordingDevice failing;
    failing.failingPage = 1;
    EXPECT_EQ(Print(failing, 100), 0);
    EXPECT_EQ(failing.pageStarts.size(), 1u) << "no page after a failed one";
    EXPECT_EQ(failing.aborts, 1);
    EXPECT_EQ(failing.endDocs, 0);
}
