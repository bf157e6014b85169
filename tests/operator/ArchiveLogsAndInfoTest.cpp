// The Log and Info tabs of the remote search frame as an operator uses them: the system page shows
// what was typed in the connect dialog, Print turns a log list into a PDF file where there is no
// printer (and says where), an empty list prints nothing, and a list whose columns are wider than
// itself scrolls sideways.
#include "app/LocalLog.h"
#include "app/LocalSetupDlg.h"
#include "archive/LocalLogDlg.h"
#include "archive/LocalSearchDlg.h"
#include "archive/RemoteLogAllDlg.h"
#include "archive/RemoteLogClientDlg.h"
#include "archive/RemoteLogPowerDlg.h"
#include "archive/RemoteSystemInfoDlg.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/window/WndHost.h"
#include "res/TextIds.h"
#include "tests/operator/ArchiveOperatorSupport.h"

#include <QScrollBar>

#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <regex>

using namespace archiveop;

namespace {

// The text pdftotext reads from a PDF file, pages separated by form feeds; empty when it cannot.
std::string PdfText(const fs::path& pdf) {
    return PdfToText("-layout", pdf);
}

std::string WithoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

using Row = std::vector<std::string>;

std::vector<Row> ListRows(CListCtrl& list, int columns) {
    std::vector<Row> rows;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        Row row;
        for (int c = 0; c < columns; ++c) {
            row.emplace_back(list.GetItemText(r, c).GetString());
        }
        rows.push_back(row);
    }
    return rows;
}

class ArchiveLogsAndInfoTest : public ArchiveOperatorTest {
protected:
    // No printer, whatever the machine has: the print system is asked at an address that serves none.
    ScopedEnv m_noPrinter{"CUPS_SERVER", (m_env.Root() / "no-print-server.sock").c_str()};

    // The Auto Save folder, chosen on the local setup's page as its folder browser does, then OK.
    void SetAutoSaveFolder(const std::string& folder) {
        ModalScript setup;
        setup.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& frame) {
            std::snprintf(frame.Web()->WebLocation, sizeof frame.Web()->WebLocation, "%s", folder.c_str());
            Press(frame, IDOK);
        });
        Click(IDC_LSETUP);
        ASSERT_TRUE(setup.Done());
    }
};

TEST_F(ArchiveLogsAndInfoTest, TheSystemPageShowsTheDescriptionTypedInTheConnectDialog) {
    connectDescription = "Warehouse East, loading bay 4: sixteen cameras along the outer fence";
    Connect();
    std::vector<Row> rows;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 433); // Info: the system page opens first
        if (auto* page = WaitPage<CRemoteSystemInfoDlg>(frame, kSlotSystemInfo)) {
            rows = ListRows(page->m_list, 3);
        }
    }));
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], (Row{Res(IDS_IP_ADDRESS), "127.0.0.1", ""}));
    EXPECT_EQ(rows[1], (Row{Res(IDS_PORT), std::to_string(sim.Port()), ""}));
    EXPECT_EQ(rows[2], (Row{Res(IDS_DESCRIPTION), connectDescription, ""}));
    EXPECT_EQ(rows[3][0], Res(IDS_MAC_ADDRESS));
}

TEST_F(ArchiveLogsAndInfoTest, PrintWithoutAPrinterWritesAPdfIntoTheAutoSaveFolderElseHome) {
    ASSERT_EQ(std::system("command -v pdftotext >/dev/null"), 0) << "pdftotext (poppler-utils) is needed";
    Connect({"--log-entries", "40"});
    const fs::path autoSave = m_env.Root() / "Auto Save pictures";
    fs::create_directories(autoSave);
    struct Case {
        std::string webLocation;
        fs::path folder;
    };
    const Case cases[] = {{autoSave.string(), autoSave}, {"", m_env.Home()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.string());
        SetAutoSaveFolder(c.webLocation);
        std::vector<Row> rows;
        std::vector<std::string> told;
        ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
            Press(frame, 432); // Log: the All page asks for the log
            auto* all = WaitPage<CRemoteLogAllDlg>(frame, kSlotLogAll);
            if (all == nullptr || !WaitUntil([&] { return all->m_list.GetItemCount() == 40; })) {
                return;
            }
            rows = ListRows(all->m_list, 5);
            BoxAnswer box;
            MouseClick(all->m_btnPrint);
            WaitUntil([&] { return box.script.Done(); });
            told = box.lines;
        }));
        ASSERT_EQ(rows.size(), 40u);

        const std::vector<fs::path> pdfs = PdfFiles(c.folder);
        ASSERT_EQ(pdfs.size(), 1u);
        const std::string name = pdfs[0].filename().string();
        EXPECT_TRUE(std::regex_match(name, std::regex(R"(Remote Log All \d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.pdf)")))
            << name;
        // The box says where: the folder (its start and end kept when long) and the file.
        ASSERT_EQ(told.size(), 3u);
        EXPECT_EQ(told[0], Res(IDS_THE_LIST_WAS_SAVED_AS_A));
        const std::string folder = c.folder.string();
        EXPECT_EQ(told[1].substr(0, 10), folder.substr(0, 10));
        EXPECT_EQ(told[1].substr(told[1].size() - 10), folder.substr(folder.size() - 10));
        EXPECT_EQ(told[2], name);

        // Two pages of 33 and 7 rows under the title, each with its page number at the foot.
        const std::string text = PdfText(pdfs[0]);
        const std::size_t pageBreak = text.find('\f');
        ASSERT_NE(pageBreak, std::string::npos) << text;
        const std::string first = text.substr(0, pageBreak);
        const std::string second = text.substr(pageBreak + 1);
        EXPECT_NE(first.find(Res(IDS_REMOTE_LOG_ALL)), std::string::npos);
        EXPECT_NE(second.find(Res(IDS_REMOTE_LOG_ALL)), std::string::npos);
        // The text tool closes up the footer's narrow blanks.
        EXPECT_NE(WithoutBlanks(first).find("-1/2-"), std::string::npos) << first;
        EXPECT_NE(WithoutBlanks(second).find("-2/2-"), std::string::npos) << second;
        for (int r : {0, 32}) {
            EXPECT_NE(first.find(rows[std::size_t(r)][0] + " "), std::string::npos) << r;
            EXPECT_NE(first.find(rows[std::size_t(r)][1]), std::string::npos) << r;
        }
        for (int r : {33, 39}) {
            EXPECT_NE(second.find(rows[std::size_t(r)][0] + " "), std::string::npos) << r;
            EXPECT_NE(second.find(rows[std::size_t(r)][1]), std::string::npos) << r;
        }
        fs::remove(pdfs[0]);
    }
}

TEST_F(ArchiveLogsAndInfoTest, AnEmptyListPrintsNothingAndSaysSo) {
    // One log entry: of the Power and Client lists at least one is empty.
    Connect({"--log-entries", "1"});
    SetAutoSaveFolder(m_env.Root().string());
    int printedRows = -1;
    std::vector<std::string> told;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 432);
        if (WaitPage<CRemoteLogAllDlg>(frame, kSlotLogAll) == nullptr) {
            return;
        }
        CRemoteLogListDlg* empty = nullptr;
        for (const auto& [button, slot] : {std::pair{451u, kSlotLogPower}, std::pair{454u, kSlotLogClient}}) {
            Press(*frame.Page(kSlotLogMenu), button);
            auto* page = WaitPage<CRemoteLogListDlg>(frame, slot);
            if (page != nullptr && page->m_list.GetItemCount() == 0) {
                empty = page;
                break;
            }
        }
        if (empty == nullptr) {
            return;
        }
        printedRows = 0;
        BoxAnswer box;
        MouseClick(empty->m_btnPrint);
        WaitUntil([&] { return box.script.Done(); });
        told = box.lines;
    }));
    ASSERT_EQ(printedRows, 0);
    EXPECT_EQ(told, std::vector<std::string>{Res(IDS_NOTHING_TO_PRINT)});
    EXPECT_TRUE(PdfFiles(m_env.Root()).empty());
    EXPECT_TRUE(PdfFiles(m_env.Home()).empty());
}

// Random bytes over the start of the program's own log (its header and first record): the records
// the program writes afterwards show on the local log page, newest first.
TEST_F(ArchiveLogsAndInfoTest, TheLocalLogShowsWhatWasWrittenAfterItsStartWasDamaged) {
    Connect();
    const fs::path log = CLocalLog::PathOf(main->GetLocation());
    ASSERT_TRUE(fs::exists(log));
    std::mt19937 random(7);
    std::array<char, 100> damage{};
    for (char& b : damage) {
        b = char(random() & 0xFF);
    }
    ASSERT_NE(std::memcmp(damage.data() + 12, "\xB8\0\0\0", 4), 0) << "the damage left slot 0's size word right";
    {
        std::fstream file(log, std::ios::in | std::ios::out | std::ios::binary);
        file.write(damage.data(), std::streamsize(damage.size()));
    }

    // A snapshot, then the local setup confirmed: two records written after the damage.
    Click(IDC_SAVE);
    ASSERT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_SAVE).IsWindowEnabled() != FALSE; }, 120000));
    ModalScript setup;
    setup.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& frame) { Press(frame, IDOK); });
    Click(IDC_LSETUP);
    ASSERT_TRUE(setup.Done());

    std::vector<Row> rows;
    ModalScript local;
    local.Expect<CLocalSearchDlg>([&](CLocalSearchDlg& frame) {
        Press(frame, 432); // Log: the menu page reads the log, the log page shows it
        CLocalLogDlg* page = nullptr;
        if (WaitUntil([&] { return (page = dynamic_cast<CLocalLogDlg*>(frame.Page(kLocalSlotLog))) != nullptr; })) {
            rows = ListRows(page->m_list, 5);
        }
        Press(frame, 435);
    });
    Click(IDC_LSEARCH);
    ASSERT_TRUE(local.Done());
    ASSERT_GE(rows.size(), 2u) << "the local log page shows nothing";
    EXPECT_EQ(rows[0][2], Res(IDS_LOCAL_SETUP));
    EXPECT_EQ(rows[1][2], Res(IDS_SNAPSHOT));
    char newest[8];
    std::snprintf(newest, sizeof newest, "%04d", int(rows.size()));
    EXPECT_EQ(rows[0][0], newest);
}

// Where the text of a cell was drawn when the list was last painted (x of its left edge), or -1.
int DrawnAt(CListCtrl& list, const std::string& text) {
    CDrawRecorder recorder;
    {
        CDrawRecorder::ThreadCapture capture(recorder);
        list.GetHost()->grab();
    }
    for (const DrawRecord& d : recorder.Of(DrawRecord::Op::Text)) {
        if (d.text == text) {
            return d.rect.left;
        }
    }
    return -1;
}

QScrollBar* SidewaysBar(CListCtrl& list) {
    for (QScrollBar* bar : list.GetHost()->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Horizontal) {
            return bar;
        }
    }
    return nullptr;
}

TEST_F(ArchiveLogsAndInfoTest, ALogListWiderThanItselfScrollsSidewaysToItsLastColumn) {
    Connect({"--log-entries", "300"});
    bool hidden = false;
    bool barShown = false;
    int before = 0;
    int after = -1;
    int width = 0;
    int firstColumnAfter = 0;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        Press(frame, 432);
        auto* all = WaitPage<CRemoteLogAllDlg>(frame, kSlotLogAll);
        if (all == nullptr || !WaitUntil([&] { return all->m_list.GetItemCount() == 300; })) {
            return;
        }
        CListCtrl& list = all->m_list;
        CRect client;
        list.GetClientRect(&client);
        // What the vertical scroll bar leaves of the rows.
        width = client.Width();
        for (QScrollBar* bar : list.GetHost()->findChildren<QScrollBar*>()) {
            if (bar->orientation() == Qt::Vertical && !bar->isHidden()) {
                width -= bar->width();
            }
        }
        // The first row's last column: the entry's text, past the list's right edge at first.
        int row = 0;
        while (row < 20 && list.GetItemText(row, 4).IsEmpty()) {
            ++row;
        }
        const std::string last = list.GetItemText(row, 4).GetString();
        const std::string first = list.GetItemText(row, 0).GetString();
        before = DrawnAt(list, last);
        hidden = before >= width;
        QScrollBar* bar = SidewaysBar(list);
        if (bar == nullptr) {
            return;
        }
        barShown = !bar->isHidden();
        bar->triggerAction(QAbstractSlider::SliderToMaximum); // the operator drags it to the end
        QCoreApplication::processEvents();
        after = DrawnAt(list, last);
        firstColumnAfter = DrawnAt(list, first);
    }));
    EXPECT_TRUE(hidden) << before << " within " << width << ", after " << after;
    EXPECT_TRUE(barShown);
    EXPECT_GE(after, 0);
    EXPECT_LT(after, width);
    EXPECT_LT(firstColumnAfter, 0) << "the first column moved out on the left";
}

} // namespace
