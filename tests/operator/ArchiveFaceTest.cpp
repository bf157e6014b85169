// What the remote search frame's pages show, grabbed as the operator sees them: list rows stay out
// of the corner between a list's two scroll bars, the backup calendar's title band lies whole inside its page, the time
// picker's sliders show the position 0, and the printed log keeps long names clear of their cells' frames.
#include "archive/BackupCalendarDlg.h"
#include "archive/BackupDateTimeDlg.h"
#include "archive/RemoteLogAllDlg.h"
#include "archive/TimePickerDlg.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/window/WndHost.h"
#include "res/TextIds.h"
#include "tests/operator/ArchiveOperatorSupport.h"

#include <QImage>
#include <QScrollBar>

#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <set>

using namespace archiveop;

namespace {

QScrollBar* Bar(CListCtrl& list, Qt::Orientation orientation) {
    for (QScrollBar* bar : list.GetHost()->findChildren<QScrollBar*>()) {
        if (bar->orientation() == orientation) {
            return bar;
        }
    }
    return nullptr;
}

// The colours of a rectangle of a picture.
std::set<QRgb> ColoursIn(const QImage& image, const QRect& area) {
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

// What pdftotext reads of a PDF file: each word and its box, in points.
struct PdfWord {
    int page;
    std::string text;
    double xMin, yMin, xMax, yMax;
};

std::vector<PdfWord> PdfWords(const fs::path& pdf) {
    const std::string html = PdfToText("-bbox", pdf);
    const std::regex word(
        R"rx(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)rx");
    std::vector<PdfWord> words;
    int page = 0;
    for (std::size_t at = html.find("<page "); at != std::string::npos; ++page) {
        const std::size_t next = html.find("<page ", at + 1);
        const std::string part = html.substr(at, next == std::string::npos ? std::string::npos : next - at);
        for (auto it = std::sregex_iterator(part.begin(), part.end(), word); it != std::sregex_iterator(); ++it) {
            const std::smatch& m = *it;
            words.push_back({page, m[5].str(), std::stod(m[1].str()), std::stod(m[2].str()), std::stod(m[3].str()),
                             std::stod(m[4].str())});
        }
        at = next;
    }
    return words;
}

class ArchiveFaceTest : public ArchiveOperatorTest {
protected:
    // No printer, whatever the machine has: Print writes a PDF file into the Auto Save folder.
    ScopedEnv m_noPrinter{"CUPS_SERVER", (m_env.Root() / "no-print-server.sock").c_str()};
};

TEST_F(ArchiveFaceTest, ALogListWithBothScrollBarsLeavesTheirCornerClean) {
    Connect({"--log-entries", "300"});
    bool bothBars = false;
    std::set<QRgb> corner;
    std::set<QRgb> rows;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 432); // Log: the All page
        auto* all = WaitPage<CRemoteLogAllDlg>(frame, kSlotLogAll);
        if (all == nullptr || !WaitUntil([&] { return all->m_list.GetItemCount() == 300; })) {
            return;
        }
        CListCtrl& list = all->m_list;
        QScrollBar* down = Bar(list, Qt::Vertical);
        QScrollBar* across = Bar(list, Qt::Horizontal);
        bothBars = down != nullptr && across != nullptr && !down->isHidden() && !across->isHidden();
        if (!bothBars) {
            return;
        }
        const QImage face = list.GetHost()->grab().toImage();
        const QRect box(face.width() - down->width(), face.height() - across->height(), down->width(),
                        across->height());
        corner = ColoursIn(face, box);
        // The rows beside it do carry text: the same box one bar's width to the left.
        rows = ColoursIn(face, box.translated(-down->width(), 0));
    }));
    ASSERT_TRUE(bothBars);
    EXPECT_EQ(corner.size(), 1u) << "row text painted into the corner between the scroll bars";
    EXPECT_GT(rows.size(), 1u);
}

TEST_F(ArchiveFaceTest, PrintedLogKeepsLongNamesClearOfTheirCellFrames) {
    ASSERT_EQ(std::system("command -v pdftotext >/dev/null"), 0) << "pdftotext (poppler-utils) is needed";
    Connect({"--log-entries", "300"});
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 432);
        auto* all = WaitPage<CRemoteLogAllDlg>(frame, kSlotLogAll);
        if (all == nullptr || !WaitUntil([&] { return all->m_list.GetItemCount() == 300; })) {
            return;
        }
        BoxAnswer box;
        MouseClick(all->m_btnPrint);
        WaitUntil([&] { return box.script.Done(); });
    }));
    const std::vector<fs::path> pdfs = PdfFiles(m_env.Home());
    ASSERT_EQ(pdfs.size(), 1u);

    // Words by printed row: a row starts with its five-digit number; a word belongs to the row whose
    // number it stands level with (a smaller font prints a little lower), left to right.
    const std::vector<PdfWord> words = PdfWords(pdfs[0]);
    std::map<std::pair<int, double>, std::vector<PdfWord>> lines; // by page and the middle of the row's number
    auto middle = [](const PdfWord& w) { return (w.yMin + w.yMax) / 2; };
    for (const PdfWord& w : words) {
        if (std::regex_match(w.text, std::regex(R"(\d{5})"))) {
            lines[{w.page, middle(w)}];
        }
    }
    for (const PdfWord& w : words) {
        for (auto& [row, line] : lines) {
            if (row.first == w.page && std::fabs(middle(w) - row.second) < 4) {
                line.push_back(w);
            }
        }
    }
    // The kind cell is 1850 twips wide; the number and the time cells' centres lie 1450 twips apart,
    // which gives the scale of the page.
    constexpr double kKindCell = 1850;
    constexpr double kNumberToTime = 1450;
    constexpr double kClearance = 40; // twips, 2 points
    int checked = 0;
    for (auto& [row, line] : lines) {
        std::vector<PdfWord>& words = line;
        std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
        if (words.size() < 5) {
            continue;
        }
        for (const auto& [first, second] : {std::pair{"Recording", "Stopped"}, std::pair{"Overwrite", "Started"}}) {
            if (words[3].text != first || words[4].text != second) {
                continue;
            }
            SCOPED_TRACE(words[0].text + " " + first + " " + second);
            const double numberCentre = (words[0].xMin + words[0].xMax) / 2;
            const double timeCentre = (words[1].xMin + words[2].xMax) / 2;
            const double pointsPerTwip = (timeCentre - numberCentre) / kNumberToTime;
            ASSERT_GT(pointsPerTwip, 0);
            const double textWidth = (words[4].xMax - words[3].xMin) / pointsPerTwip;
            // Centred in its cell: the room left on each side.
            EXPECT_GE((kKindCell - textWidth) / 2, kClearance) << "text " << textWidth << " twips wide";
            ++checked;
        }
    }
    EXPECT_GE(checked, 2) << "no long record names were printed";
}

TEST_F(ArchiveFaceTest, TheBackupCalendarsTitleBandLiesWholeInsideItsPage) {
    Connect();
    QImage face;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 431); // Backup
        if (WaitPage<CWnd>(frame, kSlotBackupMenu) == nullptr) {
            return;
        }
        Press(*frame.Page(kSlotBackupMenu), 452); // Calendar
        if (auto* calendar = WaitPage<CBackupCalendarDlg>(frame, kSlotBackupCalendar)) {
            face = calendar->GetHost()->grab().toImage();
        }
    }));
    ASSERT_EQ(face.width(), 403);
    // Across the band's middle row: the page's border, the page's colour, the band, and the page's
    // colour again for as many pixels before the border on the right as on the left.
    const int y = 14;
    const int right = face.width() - 1;
    EXPECT_EQ(face.pixel(right, y), face.pixel(0, y)) << "the band covers the page's right border";
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(face.pixel(right - k, y), face.pixel(k, y)) << "the band runs " << k << " px from the border";
    }
    EXPECT_NE(face.pixel(6, y), face.pixel(5, y));
    EXPECT_NE(face.pixel(right - 6, y), face.pixel(right - 5, y));
}

TEST_F(ArchiveFaceTest, TheTimePickersSlidersShowThePositionZero) {
    Connect();
    std::map<int, QImage> grabbed; // by position
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 431); // Backup: the date/time page first
        auto* page = WaitPage<CBackupDateTimeDlg>(frame, kSlotBackupDateTime);
        if (page == nullptr) {
            return;
        }
        MouseClick(page->Label(13)); // the end time
        CTimePickerDlg* picker = nullptr;
        if (!WaitUntil([&] { return (picker = frame.TimePicker()) != nullptr; })) {
            return;
        }
        CBitmapSlider& seconds = picker->Slider(2);
        CRect box;
        seconds.GetClientRect(&box);
        // The operator drags the thumb to either end.
        for (const auto& [x, end] : {std::pair{box.Width() + 20, 59}, std::pair{-20, 0}}) {
            const int position = end;
            seconds.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.Width() / 2, box.Height() / 2));
            seconds.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, box.Height() / 2));
            seconds.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, box.Height() / 2));
            if (WaitUntil([&] { return picker->Second() == position; })) {
                grabbed[position] = seconds.GetHost()->grab().toImage();
            }
        }
    }));
    ASSERT_EQ(grabbed.size(), 2u);
    const QImage& lit = grabbed[59];
    const QImage& zero = grabbed[0];
    const int y = zero.height() / 2;
    // At 0 the track's left end is lit as it is at 59, and the rest is not.
    EXPECT_EQ(zero.pixel(2, y), lit.pixel(2, y)) << "no thumb at 0";
    EXPECT_NE(zero.pixel(zero.width() / 2, y), lit.pixel(zero.width() / 2, y));
}

} // namespace
