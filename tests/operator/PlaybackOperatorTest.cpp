// Remote and local playback as an operator drives them: the remote search frame's Play, the local
// search over a backup the program downloaded itself, then the play bar's buttons pressed one after
// another, each checked on the grabbed tiles (pictures, the playback indicator, the blank picture
// after Stop), the play bar's button states and what the simulator received.
#include "app/LocalLog.h"
#include "app/LocalPlayerAdapter.h"
#include "archive/BackupCalendarDlg.h"
#include "archive/BackupSet.h"
#include "archive/BackupTimelineDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/LocalCalendarDlg.h"
#include "archive/LocalDayTimelineDlg.h"
#include "archive/LocalIndexFile.h"
#include "archive/LocalSearchDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/SearchPage.h"
#include "media/FullScreenVideoDlg.h"
#include "res/BitmapIds.h"
#include "res/ResLibrary.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "sim/TestPattern.h"
#include "tests/app/BackupPicking.h"
#include "tests/app/WiredFixture.h"
#include "tests/support/SmallDisk.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

using namespace wiredtest;

namespace {

// Today on the recorder: 2026-12-10 (Utc counts months and days from 0). The simulator's clock
// stands at noon and it has recordings of today and yesterday.
DWORD Today(int hour, int minute = 0, int second = 0) {
    return Utc(2026, 11, 9, hour, minute, second);
}
constexpr int kTodayButton = 9; // the calendar's day 10

// The play bar's buttons by their place (340-346 less the record button), and Stop.
enum PlayButton : UINT {
    kStepBack = IDC_PLAY_FIRST + 0,
    kReverse = IDC_PLAY_FIRST + 1,
    kForward = IDC_PLAY_FIRST + 2,
    kPause = IDC_PLAY_FIRST + 3,
    kStepForward = IDC_PLAY_FIRST + 6,
};

// The glyphs' colours as the skin draws them: the arrows and the pause bars.
constexpr QRgb kArrowColour = qRgb(0x00, 0xFF, 0x7F);
constexpr QRgb kPauseColour = qRgb(0xFF, 0xD0, 0x30);

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The test picture's flat colour of a channel as the converter shows it (BT.601, studio range).
QRgb ChannelColour(int channel) {
    const ksim::ChannelColour c = ksim::CTestPattern::Colour(channel);
    const double y = 1.164 * (c.y - 16);
    const double u = c.u - 128;
    const double v = c.v - 128;
    auto clamp = [](double x) { return std::clamp(int(x + 0.5), 0, 255); };
    return qRgb(clamp(y + 1.596 * v), clamp(y - 0.813 * v - 0.391 * u), clamp(y + 2.018 * u));
}

// The playback indicator as it shows on a tile's bottom line: the pause bars, or arrows whose
// count and direction give the speed step. An arrow cut by its cell is narrower than a whole one.
struct Indicator {
    bool shown = false;
    int step = 0;
    bool whole = true;
};

std::ostream& operator<<(std::ostream& out, const Indicator& i) {
    return out << (i.shown ? "" : "no indicator, ") << "step " << i.step << (i.whole ? "" : ", cut arrows");
}

Indicator IndicatorOf(const QImage& image, const RECT& tile) {
    constexpr int kGlyphHeight = 16;
    constexpr int kWholeArrowColumns = 5;
    const int top = tile.bottom - 18;
    std::vector<int> heights;
    int pausePixels = 0;
    for (int x = tile.left; x < tile.right && x < image.width(); ++x) {
        int arrow = 0;
        for (int y = top; y < top + kGlyphHeight && y < image.height(); ++y) {
            const QRgb p = image.pixel(x, y);
            arrow += Near(p, kArrowColour, 24) ? 1 : 0;
            pausePixels += Near(p, kPauseColour, 24) ? 1 : 0;
        }
        heights.push_back(arrow);
    }
    Indicator result;
    if (pausePixels >= 12) {
        result.shown = true;
        return result;
    }
    int arrows = 0;
    int direction = 0;
    for (std::size_t x = 0; x < heights.size();) {
        if (heights[x] == 0) {
            ++x;
            continue;
        }
        std::size_t end = x;
        while (end < heights.size() && heights[end] != 0) {
            ++end;
        }
        // An arrow pointing right is tall at its left end.
        direction = heights[x] > heights[end - 1] ? 1 : -1;
        result.whole = result.whole && int(end - x) >= kWholeArrowColumns;
        ++arrows;
        x = end;
    }
    result.shown = arrows > 0;
    result.step = direction * arrows;
    return result;
}

class PlaybackOperatorTest : public WiredFixture {
protected:
    // Sixteen channels of full-size pictures, the recorder's clock at noon today.
    void ConnectToday(std::vector<std::string> more = {}) {
        simClock = Today(12);
        simChannels = "16";
        simResolution = "d1";
        Connect(std::move(more));
    }

    // What the screen shows of the main window there: the picture last put on the screen, nothing
    // painted for the asking.
    QImage OnScreen(const QRect& area) {
        QApplication::processEvents();
        return QGuiApplication::primaryScreen()
            ->grabWindow(main->GetHost()->winId(), area.x(), area.y(), area.width(), area.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // Whether the screen shows the playback strip under the play bar, the bare face, or neither;
    // looked at left of the play clock.
    enum class Strip { Shown, Gone, Neither };
    Strip PlayStripOnScreen() {
        const QRect area(250, 630, 268, 14);
        const QImage shown = OnScreen(area);
        const CResLibrary* library = CResLibrary::Current();
        if (shown.size() != area.size() || library == nullptr) {
            return Strip::Neither;
        }
        const QImage strip =
            library->LoadBitmap(IDB_PLAYBACK_STRIP_UNDER_PLAY_BAR).convertToFormat(QImage::Format_RGB32);
        const QImage face = library->LoadBitmap(IDB_MAIN_WINDOW_FACE_BOTTOM).convertToFormat(QImage::Format_RGB32);
        bool isStrip = true;
        bool isFace = true;
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                const QRgb p = shown.pixel(x, y);
                isStrip = isStrip && p == strip.pixel(x, y);
                isFace = isFace && p == face.pixel(area.x() - 86 + x, area.y() - 626 + y);
            }
        }
        return isStrip ? Strip::Shown : isFace ? Strip::Gone : Strip::Neither;
    }

    CFullScreenVideoDlg& Video() { return *main->GetVideoWindow()->MediaWindow(); }

    QImage Grab() {
        QApplication::processEvents();
        return Video().GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Pictures drawn into the tiles so far, over every channel.
    std::uint64_t Drawn() {
        std::uint64_t n = 0;
        for (int ch = 0; ch < 16; ++ch) {
            n += Video().Stats().Of(ch).drawn.load();
        }
        return n;
    }
    bool MorePictures(std::uint64_t since, std::uint64_t count, int timeoutMs = 180000) {
        return WaitUntil([&] { return Drawn() >= since + count; }, timeoutMs);
    }

    // The first visible slot whose channel has a picture; not a green one, where the cyan bottom
    // text's soft edge takes the arrows' colour.
    int PlayingSlot() {
        const WORD decoded = Video().GetDecodedMask();
        for (int slot = 0; slot < 16; ++slot) {
            const int ch = Video().GetTileChannel(slot);
            if (ch >= 0 && (decoded & (1u << ch)) != 0 && !Near(ChannelColour(ch), qRgb(0, 255, 0), 80)) {
                return slot;
            }
        }
        return -1;
    }

    // Waits until the indicator of a playing tile shows the step; what it showed last.
    Indicator WaitForIndicator(int step) {
        Indicator shown;
        WaitUntil(
            [&] {
                const int slot = PlayingSlot();
                if (slot < 0) {
                    return false;
                }
                Video().Invalidate();
                shown = IndicatorOf(Grab(), Video().GetSlotRect(slot));
                return shown.shown && shown.step == step;
            },
            60000);
        return shown;
    }

    // Slots whose tile shows its channel's picture (its flat colour at two points).
    WORD SlotsShowingTheirChannel() {
        const QImage image = Grab();
        WORD shown = 0;
        for (int slot = 0; slot < 16; ++slot) {
            const int ch = Video().GetTileChannel(slot);
            const RECT r = Video().GetSlotRect(slot);
            if (ch < 0 || r.right <= r.left) {
                continue;
            }
            const int x = r.left + (r.right - r.left) * 8 / 10;
            if (Near(image.pixel(x, r.top + (r.bottom - r.top) * 3 / 10), ChannelColour(ch), 24) &&
                Near(image.pixel(x, r.top + (r.bottom - r.top) * 6 / 10), ChannelColour(ch), 24)) {
                shown = WORD(shown | (1u << slot));
            }
        }
        return shown;
    }

    // True when every tile of the sixteen shows the blank picture (sampled where it is flat).
    bool AllTilesBlank() {
        const char* bin = std::getenv("KELO_BIN_DIR");
        const QImage blank = QImage(QString::fromStdString(std::string(bin != nullptr ? bin : ".") + "/ComMark.bmp"))
                                 .convertToFormat(QImage::Format_RGB32);
        if (blank.isNull() || Video().GetLayout() != 14) {
            return false;
        }
        const QImage image = Grab();
        constexpr double kAt[][2] = {{0.1, 0.1}, {0.9, 0.1}, {0.1, 0.9}, {0.9, 0.9}, {0.5, 0.55}};
        for (int slot = 0; slot < 16; ++slot) {
            const RECT r = Video().GetSlotRect(slot);
            for (const auto& at : kAt) {
                const QRgb shown =
                    image.pixel(r.left + int((r.right - r.left) * at[0]), r.top + int((r.bottom - r.top) * at[1]));
                const QRgb expected = blank.pixel(int(blank.width() * at[0]), int(blank.height() * at[1]));
                if (!Near(shown, expected, 8)) {
                    return false;
                }
            }
        }
        return true;
    }

    std::array<int, 3> PlayButtons() {
        return {MainButton(*main, IDC_PLAY_FIRST + 1).GetState(), MainButton(*main, IDC_PLAY_FIRST + 2).GetState(),
                MainButton(*main, IDC_PLAY_FIRST + 3).GetState()};
    }

    // Remote playback started as the operator starts it: RSearch, Search, today on the calendar, a
    // time on the day's timeline, Play. The time played from, or 0.
    DWORD PlayFromTheRemoteSearch() {
        DWORD played = 0;
        ModalScript script;
        script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
            Press(*frame.Page(kSlotSearchMenu), 452);
            CPlayCalendarDlg* calendar = nullptr;
            CDayTimelineDlg* timeline = nullptr;
            if (!WaitUntil([&] { return (calendar = dynamic_cast<CPlayCalendarDlg*>(frame.Page(kSlotPlayCalendar))); },
                           60000) ||
                calendar->DayButton(kTodayButton).m_bMarked != 1) {
                Press(frame, 435);
                return;
            }
            Press(*calendar, CPlayCalendarDlg::kIdFirstDay + kTodayButton);
            if (!WaitUntil([&] { return (timeline = dynamic_cast<CDayTimelineDlg*>(frame.Page(kSlotDayTimeline))); },
                           60000)) {
                Press(frame, 435);
                return;
            }
            // The middle of today's longest stretch: room to play backward at every speed.
            const DWORD dayStart = Today(0);
            DWORD from = 0;
            DWORD longest = 0;
            for (const RecSegment& seg : frame.DayRecords()) {
                const DWORD begin = std::max(seg.Start(), dayStart);
                if (seg.End() > begin && seg.End() - begin > longest && begin < Today(12)) {
                    from = begin;
                    longest = seg.End() - begin;
                }
            }
            if (longest < 600) {
                Press(frame, 435);
                return;
            }
            played = from + longest / 2;
            const RecorderFields f = SplitRecorderTimeOrEpoch(played);
            timeline->OnTimePicked(0, f.hour, f.minute, f.second);
            Press(*timeline, CDayTimelineDlg::kIdPlay);
        });
        Click(IDC_RSEARCH);
        EXPECT_TRUE(script.Done());
        return played;
    }

    // A backup of `seconds` of today, chosen on the backup calendar and timelines of the remote
    // search frame and downloaded by the program into its save location. The first set written.
    fs::path DownloadTodaysBackup(DWORD seconds) {
        bool started = false;
        ModalScript script;
        script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
            started = PickAndStartBackup(frame, {kTodayButton, Today(0), Today(12), seconds + 10, seconds});
            if (!started && FindModal<CRemoteSearchDlg>() != nullptr) {
                Press(frame, 435);
            }
        });
        Click(IDC_RSEARCH);
        EXPECT_TRUE(started);
        if (!started || !SimSaw("sim: recv TRANS_DATA_REQ")) {
            return {};
        }
        EXPECT_TRUE(WaitUntil([&] { return !main->GetClient()->IsBackup(); }, 180000));
        // A failed writer is released later, with the next backup.
        WaitUntil([&] { return !main->GetClient()->HasDownloadWriter(); }, 30000);
        const std::vector<fs::path> sets = ListIndexFiles(DownloadFolder(SaveFolder()));
        return sets.empty() ? fs::path() : sets.front();
    }

    // Local playback started as the operator starts it: LSearch, Search, Calendar, today, a time on
    // the day's timeline, Play.
    bool PlayFromTheLocalSearch(DWORD from) {
        bool played = false;
        ModalScript local;
        local.Expect<CLocalSearchDlg>([&](CLocalSearchDlg& frame) {
            played = PickLocalTime(frame, from);
            if (!played) {
                Press(frame, 435);
            }
        });
        Click(IDC_LSEARCH);
        return local.Done() && played && WaitUntil([&] { return main->HasLocalPlayer(); }, 30000);
    }

    static bool PickLocalTime(CLocalSearchDlg& frame, DWORD from) {
        if (frame.Page(kLocalSlotSearchMenu) == nullptr) {
            return false;
        }
        Press(*frame.Page(kLocalSlotSearchMenu), 452);
        CLocalCalendarDlg* calendar = nullptr;
        if (!WaitUntil([&] { return (calendar = dynamic_cast<CLocalCalendarDlg*>(frame.Page(kLocalSlotCalendar))); },
                       30000) ||
            calendar->DayButton(kTodayButton).m_bMarked != 1) {
            return false;
        }
        Press(*calendar, CLocalCalendarDlg::kIdFirstDay + kTodayButton);
        CLocalDayTimelineDlg* timeline = nullptr;
        if (!WaitUntil(
                [&] { return (timeline = dynamic_cast<CLocalDayTimelineDlg*>(frame.Page(kLocalSlotDayTimeline))); },
                30000)) {
            return false;
        }
        const RecorderFields f = SplitRecorderTimeOrEpoch(from);
        timeline->OnTimePicked(0, f.hour, f.minute, f.second);
        Press(*timeline, CLocalDayTimelineDlg::kIdPlay);
        return true;
    }
};

// The ink of a button's picture: its light pixels inside the button's edge, cut to their bounds.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<bool> on; // row by row
    bool At(int x, int y) const { return on[std::size_t(y * width + x)]; }
};

Ink InkOf(const QImage& face) {
    constexpr int kEdge = 4;
    auto light = [&](int x, int y) { return qGray(face.pixel(x, y)) > 150; };
    int left = face.width(), right = -1, top = face.height(), bottom = -1;
    for (int y = kEdge; y < face.height() - kEdge; ++y) {
        for (int x = kEdge; x < face.width() - kEdge; ++x) {
            if (light(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    Ink ink;
    if (right < left) {
        return ink;
    }
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            ink.on.push_back(light(x, y));
        }
    }
    return ink;
}

// Pixels where one picture differs from the other seen in a mirror; -1 when their sizes differ.
int MirrorMismatches(const Ink& a, const Ink& b) {
    if (a.width != b.width || a.height != b.height || a.width == 0) {
        return -1;
    }
    int wrong = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            wrong += a.At(x, y) != b.At(a.width - 1 - x, y) ? 1 : 0;
        }
    }
    return wrong;
}

// Separate strokes a quarter down the picture: one for a single arrow, two for an arrow beside a
// bar or a second arrow.
int StrokesAcross(const Ink& ink) {
    const int y = ink.height / 4;
    int strokes = 0;
    for (int x = 0; x < ink.width; ++x) {
        strokes += ink.At(x, y) && (x == 0 || !ink.At(x - 1, y)) ? 1 : 0;
    }
    return strokes;
}

// The (kind, sub-kind) of every record of the program's own log under a save location.
std::vector<std::pair<DWORD, DWORD>> LocalLogEntries(const std::string& location) {
    std::ifstream in(CLocalLog::PathOf(location.c_str()), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::pair<DWORD, DWORD>> entries;
    for (std::size_t at = sizeof(LocalLogHeader); at + sizeof(LocalLogRecord) <= bytes.size();
         at += sizeof(LocalLogRecord)) {
        LocalLogRecord record;
        std::memcpy(&record, bytes.data() + at, sizeof(record));
        if (record.size != 0) {
            entries.emplace_back(record.index_main, record.index_sub);
        }
    }
    return entries;
}

// One press of the play bar and what follows it: the line the simulator logs (remote), the
// reverse / forward / pause button states, the indicator's step, and whether pictures flow on.
struct Press_ {
    UINT button;
    const char* recorderGets;
    std::array<int, 3> buttons;
    int indicator;
    std::uint64_t pictures;
};

std::string Describe(const Press_& p, std::size_t i) {
    std::ostringstream out;
    out << "press " << i << " (button " << p.button << ")";
    return out.str();
}

TEST_F(PlaybackOperatorTest, RemotePlaybackPlayPauseStepReverseSpeedsAndStopBackToLive) {
    ConnectToday();
    AnswerBoxes();
    ASSERT_NE(PlayFromTheRemoteSearch(), 0u);
    ASSERT_TRUE(SimSaw("sim: recv PLAY_ON_REQ"));
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->IsRemotePlay(); }, 60000));
    EXPECT_EQ(main->GetVideoWindow()->GetPlaySource(), 2);
    // The recorded pictures reach the tiles, forward at normal speed. The last live pictures show
    // their channels too until played ones replace them: the indicator tells played ones apart.
    const Indicator start = WaitForIndicator(1);
    EXPECT_EQ(start.step, 1) << start;
    EXPECT_NE(SlotsShowingTheirChannel(), 0);
    // The client lights the play bar through the window's queue, behind the flag that playback
    // runs: the face shows it once that queue has been worked off.
    EXPECT_TRUE(WaitUntil(
        [&] {
            return PlayButtons() == std::array<int, 3>{0, 1, 0};
        },
        30000))
        << PlayButtons()[0] << PlayButtons()[1] << PlayButtons()[2];

    // The recorder's speed codes: reverse at normal speed shows the pause glyph, each faster
    // reverse one more backward arrow; forward shows one arrow per speed step.
    const std::vector<Press_> presses = {
        {kPause, "sim: recv PLAY_PAUSE", {0, 0, 1}, 0, 0},
        // Playing on after a pause seeks to the paused time and plays on from there.
        {kForward, "sim: recv PLAY_FORWARD len=24", {0, 1, 0}, 1, 50},
        {kForward, "sim: recv PLAY_FORWARD len=0", {0, 1, 0}, 2, 4},
        {kPause, "sim: recv PLAY_PAUSE", {0, 0, 1}, 0, 0},
        {kStepForward, "sim: recv PLAY_NEXT_STEP", {0, 0, 1}, 0, 1},
        {kStepForward, "sim: recv PLAY_NEXT_STEP", {0, 0, 1}, 0, 1},
        {kStepBack, "sim: recv PLAY_PREV_STEP", {0, 0, 1}, 0, 1},
        // From a step the recorder plays on where it stands.
        {kForward, "sim: recv PLAY_FORWARD len=0", {0, 1, 0}, 1, 50},
        {kPause, "sim: recv PLAY_PAUSE", {0, 0, 1}, 0, 0},
        // Backward after a pause seeks as well.
        {kReverse, "sim: recv PLAY_BACKWARD len=24", {1, 0, 0}, 0, 2},
        {kReverse, "sim: recv PLAY_BACKWARD len=0", {1, 0, 0}, -1, 2},
        {kReverse, "sim: recv PLAY_BACKWARD len=0", {1, 0, 0}, -2, 2},
        {kPause, "sim: recv PLAY_PAUSE", {0, 0, 1}, 0, 0},
        {kForward, "sim: recv PLAY_FORWARD len=24", {0, 1, 0}, 1, 50},
    };
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const Press_& p = presses[i];
        const std::string what = Describe(p, i);
        const int seen = CountInLog(p.recorderGets);
        const std::uint64_t drawn = Drawn();
        Click(p.button);
        EXPECT_TRUE(WaitUntil([&] { return CountInLog(p.recorderGets) > seen; }, 120000)) << what << p.recorderGets;
        EXPECT_EQ(PlayButtons(), p.buttons) << what;
        if (p.pictures != 0) {
            EXPECT_TRUE(MorePictures(drawn, p.pictures)) << what << ": " << Drawn() - drawn << " pictures";
        }
        const Indicator shown = WaitForIndicator(p.indicator);
        EXPECT_EQ(shown.step, p.indicator) << what << ": " << shown;
        EXPECT_TRUE(shown.whole) << what << ": " << shown;
    }

    // Stop: the recorder is told, the play bar goes dark and the tiles show the blank picture while
    // the search frame opens again; after it, Live brings live view back.
    bool blankBehindTheFrame = false;
    ModalScript again;
    again.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
        blankBehindTheFrame = WaitUntil([&] { return AllTilesBlank(); }, 30000);
        Press(frame, 435);
    });
    const int lives = CountInLog("sim: recv LIVE_REQ");
    Click(IDC_PLAY_STOP);
    EXPECT_TRUE(SimSaw("sim: recv RPLAY_STOP"));
    EXPECT_TRUE(again.Done());
    EXPECT_TRUE(blankBehindTheFrame);
    EXPECT_FALSE(main->GetClient()->IsRemotePlay());
    EXPECT_EQ(main->GetVideoWindow()->GetPlaySource(), 0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(i != 4 && MainButton(*main, IDC_PLAY_FIRST + i).IsWindowEnabled()) << "play bar button " << i;
    }
    Click(IDC_LIVE);
    EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv LIVE_REQ") > lives; }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return main->GetClient()->IsLive(); }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return SlotsShowingTheirChannel() == 0xFFFF; }, 60000));
}

TEST_F(PlaybackOperatorTest, EachPlayBarButtonShowsAndNamesWhatItDoes) {
    ConnectToday();
    AnswerBoxes();
    ASSERT_NE(PlayFromTheRemoteSearch(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->IsRemotePlay(); }, 60000));
    // Playing forward as the face shows it (lit through the window's queue, behind the flag).
    ASSERT_TRUE(WaitUntil([&] { return PlayButtons() == std::array<int, 3>{0, 1, 0}; }, 30000));
    // Paused, every transport button but Pause shows its plain look.
    Click(kPause);
    ASSERT_TRUE(SimSaw("sim: recv PLAY_PAUSE"));
    ASSERT_TRUE(WaitUntil([&] { return PlayButtons() == std::array<int, 3>{0, 0, 1}; }, 30000));
    auto inkOf = [&](UINT id) {
        return InkOf(MainButton(*main, id).GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    };
    const Ink stepBack = inkOf(kStepBack);
    const Ink reverse = inkOf(kReverse);
    const Ink forward = inkOf(kForward);
    const Ink stepForward = inkOf(kStepForward);
    // Each direction's pictures mirror the other's: a step back is a step forward seen in a mirror.
    EXPECT_EQ(MirrorMismatches(stepBack, stepForward), 0);
    EXPECT_EQ(MirrorMismatches(reverse, forward), 0);
    EXPECT_NE(MirrorMismatches(stepBack, stepBack), 0) << "the step back picture points one way";
    // Play is one arrow, a step an arrow beside a bar.
    EXPECT_EQ(StrokesAcross(stepBack), 2);
    EXPECT_EQ(StrokesAcross(reverse), 1);
    EXPECT_EQ(StrokesAcross(forward), 1);
    EXPECT_EQ(StrokesAcross(stepForward), 2);

    const struct {
        UINT id;
        const char* tooltip;
    } names[] = {{kStepBack, "Step Backward"}, {kReverse, "Play Backward"},
                 {kForward, "Play Forward"},   {kPause, "Pause"},
                 {IDC_PLAY_STOP, "Stop"},      {kStepForward, "Step Forward"}};
    for (const auto& n : names) {
        EXPECT_EQ(std::string(main->TooltipText(n.id)), n.tooltip) << "button " << n.id;
    }

    // The first button steps back one picture and playback stays paused.
    const int steps = CountInLog("sim: recv PLAY_PREV_STEP");
    Click(kStepBack);
    EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv PLAY_PREV_STEP") > steps; }, 120000));
    EXPECT_EQ(CountInLog("sim: recv PLAY_FORWARD"), 0);
    EXPECT_EQ(PlayButtons(), (std::array<int, 3>{0, 0, 1}));
}

// How remote playback ends: the operator stops it, the recorder fails it, or the recorder goes.
enum class PlaybackEnd { Stop, RecorderFails, RecorderGone };

struct PlaybackEndCase {
    const char* name;
    PlaybackEnd end;
    std::vector<std::string> simOptions;
};

void PrintTo(const PlaybackEndCase& c, std::ostream* os) {
    *os << c.name;
}

class PlaybackStripTest : public PlaybackOperatorTest, public ::testing::WithParamInterface<PlaybackEndCase> {};

TEST_P(PlaybackStripTest, TheStripUnderThePlayBarGoesWhenRemotePlaybackEnds) {
    const PlaybackEndCase& c = GetParam();
    ConnectToday(c.simOptions);
    AnswerBoxes();
    ASSERT_NE(PlayFromTheRemoteSearch(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->IsRemotePlay(); }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return PlayStripOnScreen() == Strip::Shown; }, 60000));

    switch (c.end) {
    case PlaybackEnd::Stop: {
        // Stop opens the search again; the operator closes it.
        ModalScript again;
        again.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) { Press(frame, 435); });
        Click(IDC_PLAY_STOP);
        EXPECT_TRUE(again.Done());
        break;
    }
    case PlaybackEnd::RecorderFails:
        EXPECT_TRUE(SimSaw("sim: send PLAY_ON_FAIL", 180000));
        break;
    case PlaybackEnd::RecorderGone:
        sim.Stop();
        EXPECT_TRUE(WaitUntil([&] { return main->GetClient() == nullptr; }, 60000));
        break;
    }
    EXPECT_TRUE(WaitUntil([&] { return main->GetClient() == nullptr || !main->GetClient()->IsRemotePlay(); }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return PlayStripOnScreen() == Strip::Gone; }, 30000))
        << "the screen under the play bar still shows "
        << (PlayStripOnScreen() == Strip::Shown ? "the strip" : "something else");
}

// The recorder fails the playback after 4000 pictures, ten seconds of sixteen channels.
INSTANTIATE_TEST_SUITE_P(Ends, PlaybackStripTest,
                         ::testing::Values(PlaybackEndCase{"Stop", PlaybackEnd::Stop, {}},
                                           PlaybackEndCase{"PlayOnFail",
                                                           PlaybackEnd::RecorderFails,
                                                           {"--refuse", "PLAY_ON_FAIL:1", "--play-fail-after", "4000"}},
                                           PlaybackEndCase{"ConnectionLost", PlaybackEnd::RecorderGone, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlaybackOperatorTest, LocalPlaybackOfADownloadedBackupWithItsSpeedIndicator) {
    ConnectToday();
    AnswerBoxes();
    const fs::path set = DownloadTodaysBackup(180);
    ASSERT_FALSE(set.empty());
    IndexFileContents contents;
    ASSERT_TRUE(ReadIndexFile(set, contents));
    ASSERT_FALSE(contents.segments.empty());
    // From the middle of the backup: room to play forward and backward at every speed.
    ASSERT_TRUE(PlayFromTheLocalSearch(contents.segments.front().start + 90));
    auto* player = dynamic_cast<CLocalPlayerAdapter*>(main->GetLocalPlayer());
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(main->GetVideoWindow()->GetPlaySource(), 3);
    EXPECT_TRUE(WaitUntil([&] { return SlotsShowingTheirChannel() != 0; }, 60000));
    EXPECT_EQ(PlayButtons(), (std::array<int, 3>{0, 1, 0}));
    const Indicator start = WaitForIndicator(1);
    EXPECT_EQ(start.step, 1) << start;

    // Each press of Forward plays faster up to four steps, then normal again; reverse shows one
    // backward arrow fewer than its speed.
    const std::vector<Press_> presses = {
        {kPause, nullptr, {0, 0, 1}, 0, 0},    {kStepForward, nullptr, {0, 0, 1}, 0, 1},
        {kForward, nullptr, {0, 1, 0}, 1, 10}, {kForward, nullptr, {0, 1, 0}, 2, 2},
        {kForward, nullptr, {0, 1, 0}, 3, 2},  {kForward, nullptr, {0, 1, 0}, 4, 2},
        {kForward, nullptr, {0, 1, 0}, 1, 2},  {kReverse, nullptr, {1, 0, 0}, -1, 2},
        {kReverse, nullptr, {1, 0, 0}, -2, 2}, {kReverse, nullptr, {1, 0, 0}, -3, 2},
        {kPause, nullptr, {0, 0, 1}, 0, 0},    {kStepBack, nullptr, {0, 0, 1}, 0, 1},
        {kForward, nullptr, {0, 1, 0}, 1, 10},
    };
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const Press_& p = presses[i];
        const std::string what = Describe(p, i);
        const std::uint64_t drawn = Drawn();
        Click(p.button);
        EXPECT_TRUE(WaitUntil([&] { return PlayButtons() == p.buttons; }, 30000)) << what;
        if (p.pictures != 0) {
            EXPECT_TRUE(MorePictures(drawn, p.pictures)) << what << ": " << Drawn() - drawn << " pictures";
        }
        const Indicator shown = WaitForIndicator(p.indicator);
        EXPECT_EQ(shown.step, p.indicator)
            << what << ": " << shown << ", mode " << player->GetMode() << " speed " << player->Player().GetSpeed()
            << " clock " << player->Player().GetPlayClock() - player->Player().GetRangeStart() << " of "
            << player->Player().GetRangeEnd() - player->Player().GetRangeStart();
        EXPECT_TRUE(shown.whole) << what << ": " << shown;
    }

    // Stop: the play bar goes dark and no tile shows a played picture any more.
    // (The timeline's Play stopped live view; it stays stopped.)
    EXPECT_FALSE(main->GetClient()->IsLive());
    Click(IDC_PLAY_STOP);
    EXPECT_FALSE(main->HasLocalPlayer());
    EXPECT_EQ(main->GetVideoWindow()->GetPlaySource(), 0);
    EXPECT_TRUE(WaitUntil([&] { return SlotsShowingTheirChannel() == 0; }, 30000));
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(i != 4 && MainButton(*main, IDC_PLAY_FIRST + i).IsWindowEnabled()) << "play bar button " << i;
    }
}

// A downloaded set whose frame records were overwritten with random bytes has no picture to play:
// the local search says so, and no playback of nothing starts.
TEST_F(PlaybackOperatorTest, ABackupSetWithoutAReadablePictureFindsNoData) {
    ConnectToday();
    AnswerBoxes();
    const fs::path set = DownloadTodaysBackup(20);
    ASSERT_FALSE(set.empty());
    IndexFileContents contents;
    ASSERT_TRUE(ReadIndexFile(set, contents));
    ASSERT_FALSE(contents.segments.empty());
    fs::path vih = set;
    vih.replace_extension(".vih");
    const std::uintmax_t size = fs::file_size(vih);
    ASSERT_GT(size, 64u * 20u);
    std::mt19937 random(21);
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        b = char(random() & 0xFF);
    }
    std::ofstream(vih, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
    boxTexts.clear();

    bool picked = false;
    ModalScript local;
    local.Expect<CLocalSearchDlg>([&](CLocalSearchDlg& frame) {
        picked = PickLocalTime(frame, contents.segments.front().start + 5);
        if (!picked) {
            Press(frame, 435);
        }
    });
    Click(IDC_LSEARCH);
    ASSERT_TRUE(picked);
    ASSERT_TRUE(WaitUntil([&] { return !boxTexts.empty(); }, 30000)) << "the operator is told nothing";
    const std::vector<std::vector<std::string>> told = {{LoadResString(IDS_NO_DATA_FOUND).GetString()}};
    EXPECT_EQ(boxTexts, told);
    EXPECT_FALSE(main->HasLocalPlayer());
    EXPECT_NE(main->GetVideoWindow()->GetPlaySource(), 3);
}

TEST_F(PlaybackOperatorTest, ABackupThatCannotBeWrittenTellsTheOperatorAndLogsNoFailedConnection) {
    ConnectToday();
    AnswerBoxes();
    // A file stands where the download folder would be made: the first set cannot be created.
    const fs::path download = DownloadFolder(SaveFolder());
    fs::create_directories(download.parent_path());
    std::ofstream(download) << "not a folder";
    const auto before = LocalLogEntries(SaveFolder().string());

    EXPECT_TRUE(DownloadTodaysBackup(20).empty());
    EXPECT_TRUE(SimSaw("sim: recv TRANS_OFF_REQ"));
    EXPECT_TRUE(WaitUntil([&] { return !boxTexts.empty(); }, 30000)) << "the operator is told";
    // This computer's folder, not the recorder, is named.
    const std::vector<std::vector<std::string>> told = {
        {LoadResString(IDS_CANNOT_WRITE_TO).GetString(), (SaveFolder() / "Download").string()}};
    EXPECT_EQ(boxTexts, told);
    // The log page would show a failed connection for it: nothing is logged.
    const auto after = LocalLogEntries(SaveFolder().string());
    const std::pair<DWORD, DWORD> failedConnection{2, 4};
    EXPECT_EQ(std::count(after.begin(), after.end(), failedConnection),
              std::count(before.begin(), before.end(), failedConnection));
    EXPECT_TRUE(main->IsConnected());
}

// The download folder's disk fills during a backup: the operator is told that this computer is
// full and where, and the set cut there stays readable to the local search.
TEST_F(PlaybackOperatorTest, ABackupOntoAFullDiskNamesThisComputerAndKeepsTheSetReadable) {
    ConnectToday();
    AnswerBoxes();
    const fs::path download = SaveFolder() / "Download";
    kelotest::SmallDisk disk;
    std::string why;
    if (!disk.Mount(download, 3, why)) {
        GTEST_SKIP() << why;
    }
    const fs::path set = DownloadTodaysBackup(120);
    ASSERT_FALSE(set.empty());
    EXPECT_TRUE(SimSaw("sim: recv TRANS_OFF_REQ"));
    ASSERT_TRUE(WaitUntil([&] { return !boxTexts.empty(); }, 30000)) << "the operator is told";
    const std::vector<std::vector<std::string>> told = {
        {LoadResString(IDS_NOT_ENOUGH_SPACE_ON_THIS_COMPUTER).GetString(), download.string()}};
    EXPECT_EQ(boxTexts, told);
    EXPECT_LT(disk.FreeBytes(), 64u * 1024u);

    CBackupSet files;
    std::vector<BackupSegment> segments;
    ASSERT_TRUE(files.Open(set.string()));
    ASSERT_TRUE(files.LoadSegments(segments));
    ASSERT_FALSE(segments.empty());
    EXPECT_TRUE(files.HasReadableFrame(segments.front()));
    EXPECT_TRUE(main->IsConnected());
}

} // namespace
