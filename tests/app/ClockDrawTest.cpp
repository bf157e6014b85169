// The clock drawn with the real digit strips, read back cell by cell from the picture.
#include "app/DigitClockWnd.h"
#include "platform/gdi/DC.h"
#include "res/ResLibrary.h"
#include "res/ResStrings.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

class ClockDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_library.Load()) << "the resource library is built beside the tests";
        CResLibrary::SetCurrent(&m_library);
    }
    void TearDown() override { CResLibrary::SetCurrent(nullptr); }

    // Draws a clock of the mode showing time t with the date format into a face-sized picture.
    QImage Draw(int mode, LONG t, DWORD format) {
        CDigitClockWnd clock(
            nullptr, mode, [format] { return format; },
            [t](LONG* out) {
                *out = t;
                return true;
            },
            false);
        clock.Tick();
        QImage face(928, 698, QImage::Format_RGB32);
        face.fill(0xFF123456);
        CDC dc;
        dc.AttachImage(&face);
        clock.Draw(&dc);
        dc.ReleaseTarget();
        return face;
    }

    // The cell of the strip whose pixels equal the picture's at (x, y); -1 when none does. Only the
    // first `compared` columns count (0: all), for cells whose neighbours overlap them.
    static int CellAt(const QImage& face, UINT strip, int x, int y, int width, int height, int compared = 0) {
        const QImage cells = LoadResBitmap(strip).convertToFormat(QImage::Format_RGB32);
        const int w = compared > 0 ? compared : width;
        for (int cell = 0; cell * width < cells.width(); ++cell) {
            if (face.copy(x, y, w, height) == cells.copy(cell * width, 0, w, height)) {
                return cell;
            }
        }
        return -1;
    }

    static std::vector<int> Row(const QImage& face, UINT strip, const std::vector<int>& lefts, int y, int width,
                                int height, int compared = 0) {
        std::vector<int> cells;
        for (int x : lefts) {
            cells.push_back(CellAt(face, strip, x, y, width, height, compared));
        }
        return cells;
    }

    CResLibrary m_library;
};

constexpr LONG At(int hour, int minute, int second) {
    return 1252540800 + hour * 3600 + minute * 60 + second; // 2009-09-10
}

TEST_F(ClockDrawTest, TimeRowShowsTheTwelveHourClock) {
    const std::vector<int> lefts = {66, 79, 92, 105, 118, 131, 144, 157, 170};
    struct Case {
        LONG time;
        std::vector<int> cells; // mark, hour, colon, minute, colon, second; 10 AM, 11 PM, 12 colon, 13 blank
    };
    const Case cases[] = {
        {At(0, 5, 9), {10, 1, 2, 12, 0, 5, 12, 0, 9}},
        {At(13, 0, 0), {11, 13, 1, 12, 0, 0, 12, 0, 0}},
        {At(23, 59, 59), {11, 1, 1, 12, 5, 9, 12, 5, 9}},
        {At(12, 30, 45), {11, 1, 2, 12, 3, 0, 12, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        const QImage face = Draw(0, c.time, 0);
        EXPECT_EQ(Row(face, kClockStripLarge, lefts, 643, 13, 18), c.cells);
    }
}

TEST_F(ClockDrawTest, DateRowFollowsTheDateFormat) {
    std::vector<int> lefts;
    for (int i = 0; i < 10; ++i) {
        lefts.push_back(111 + 7 * i);
    }
    const int S = 10;
    const std::vector<int> expected[3] = {
        {2, 0, 0, 9, S, 0, 9, S, 1, 0},
        {0, 9, S, 1, 0, S, 2, 0, 0, 9},
        {1, 0, S, 0, 9, S, 2, 0, 0, 9},
    };
    for (DWORD format = 0; format < 3; ++format) {
        SCOPED_TRACE(format);
        const QImage face = Draw(0, At(10, 0, 0), format);
        EXPECT_EQ(Row(face, kClockStripSmall, lefts, 663, 7, 11), expected[format]);
    }
    // Any other format draws no date: the background stays.
    const QImage none = Draw(0, At(10, 0, 0), 7);
    EXPECT_EQ(none.pixel(115, 668), 0xFF123456u);
}

TEST_F(ClockDrawTest, PlaybackRowDrawsABlankHourAsItsOwnCell) {
    const QImage face = Draw(1, At(7, 8, 9), 0);
    EXPECT_EQ(CellAt(face, kClockStripPlayMark, 518, 632, 18, 9), 0); // AM
    EXPECT_EQ(Row(face, kClockStripPlayTime, {538, 545, 557, 564, 583}, 632, 7, 9, 6),
              (std::vector<int>{11, 7, 0, 8, 9}));
    // The year comes first; separators overlap the digits beside them by a pixel, so only the
    // digits are read back.
    EXPECT_EQ(Row(face, kClockStripPlayDate, {600, 607, 614, 621, 633, 640, 652, 659}, 632, 7, 9, 6),
              (std::vector<int>{2, 0, 0, 9, 0, 9, 1, 0}));
}

TEST_F(ClockDrawTest, NegativeTimesShowAsTheStartOfTime) {
    const QImage face = Draw(1, -500, 0);
    EXPECT_EQ(Row(face, kClockStripPlayDate, {600, 607, 614, 621}, 632, 7, 9, 6), (std::vector<int>{1, 9, 7, 0}));
}

} // namespace
