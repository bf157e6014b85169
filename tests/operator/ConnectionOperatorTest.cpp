// The connection as the operator meets it when the recorder misbehaves: a peer that never answers the
// login, a recorder of another product, a live stream that never completes, a recorder that sends no
// picture (the clock). What is checked is what the face shows: the notices read back from their
// boxes, in the order they open, the Connect button and the digit clock.
#include "app/ClockFace.h"
#include "app/NoticeTable.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "tests/operator/LiveFixture.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

using namespace livetest;
using namespace std::chrono_literals;

namespace {

// A listener that takes connections (the system completes them) but never reads or answers.
class SilentListener {
public:
    SilentListener() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_fd, 4) != 0) {
            return;
        }
        socklen_t length = sizeof address;
        if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    ~SilentListener() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    int Port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

QMessageBox* OpenMessageBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// Every line of a notice box, as the operator reads it.
std::string NoticeText(const CMsgBoxDlg& box) {
    std::string text;
    for (int i = 0; i < box.m_nLineCount && i < 3; ++i) {
        text += (i > 0 ? "\n" : "") + std::string(box.m_szLine[i]);
    }
    return text;
}

// The clock's text as drawn on the face: "h:mm:ss AM YYYY-MM-DD" (date format 0), a cell that matches
// no cell of its strip as "?".
std::string ClockText(const QImage& face) {
    std::string text;
    const std::vector<ClockDraw> cells = CClockFace::DrawList(0, ClockCells{}, 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const ClockDraw& d = cells[i];
        const QImage strip = LoadResBitmap(d.strip).convertToFormat(QImage::Format_RGB32);
        const int w = d.rect.right - d.rect.left;
        const int h = d.rect.bottom - d.rect.top;
        const QImage shown = face.copy(d.rect.left, d.rect.top, w, h);
        int found = -1;
        for (int cell = 0; (cell + 1) * w <= strip.width() && found < 0; ++cell) {
            if (shown == strip.copy(cell * w, 0, w, h)) {
                found = cell;
            }
        }
        if (i == 1 || i == 9) {
            text += i == 1 ? "" : " "; // hour after the mark; date after the time
        }
        if (found < 0) {
            text += "?";
        } else if (d.strip == kClockStripLarge && found == kCellBlank) {
            // a blank hour tens
        } else if (d.strip == kClockStripLarge && (found == kCellAm || found == kCellPm)) {
            text += found == kCellAm ? "AM" : "PM";
        } else if (d.strip == kClockStripLarge && found == kCellColon) {
            text += ":";
        } else if (d.strip == kClockStripSmall && found == kCellSeparator) {
            text += "-";
        } else {
            text += char('0' + found);
        }
    }
    // The mark is drawn first, left of the hour: read it where the operator expects it, after the time.
    const std::size_t mark = text.find_first_of("AP");
    if (mark == 0 && text.size() > 2) {
        const std::size_t timeEnd = text.find(' ');
        text = text.substr(2, timeEnd - 2) + " " + text.substr(0, 2) + text.substr(timeEnd);
    }
    return text;
}

// The same text for a time broken down as the clock does.
std::string ClockTextOf(const std::tm& tm) {
    const ClockCells c = CClockFace::CellsOfTm(tm);
    std::string text;
    if (c.hour[0] != kCellBlank) {
        text += char('0' + c.hour[0]);
    }
    text += char('0' + c.hour[1]);
    text += ":" + std::string(1, char('0' + c.minute[0])) + char('0' + c.minute[1]);
    text += ":" + std::string(1, char('0' + c.second[0])) + char('0' + c.second[1]);
    text += c.mark == kCellAm ? " AM " : " PM ";
    text += std::string{char('0' + c.year[0]), char('0' + c.year[1]), char('0' + c.year[2]), char('0' + c.year[3])};
    text += "-" + std::string{char('0' + c.month[0]), char('0' + c.month[1])};
    text += "-" + std::string{char('0' + c.day[0]), char('0' + c.day[1])};
    return text;
}

class ConnectionOperatorTest : public LiveFixture {
protected:
    // The first line of the notice (category, code), as the resource library words it.
    std::string NoticeLine(WORD category, WORD code) const {
        NoticeContent content;
        if (!CNoticeTable::LookUp(category, code, NoticeContext{}, content) || content.lineCount == 0) {
            return "";
        }
        return std::string(CNoticeTable::RenderLine(content.lines[0], [this](UINT id) {
            CString text;
            main->LoadResString(text, id);
            return text;
        }));
    }

    // The main window with these client timings, its connect dialog answered with the port.
    void OpenAndConnect(int port, const DvrClientTiming& timing) {
        main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
        main->SetClientTiming(timing);
        ModalScript script;
        script.Expect<CConnectDlg>([port](CConnectDlg& d) {
            d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0);
            d.SetDlgItemText(IDC_CONNECT_PORT, std::to_string(port).c_str());
            d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
            d.SetDlgItemText(IDC_CONNECT_PASSWORD, "1234");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ASSERT_TRUE(main->Create(CClientDlg::IDD));
        ASSERT_TRUE(script.Done());
    }
    // The simulator with these options, then the main window connecting to it.
    void StartAndConnect(const std::vector<std::string>& options, const DvrClientTiming& timing) {
        ASSERT_TRUE(sim.Start(options));
        OpenAndConnect(sim.Port(), timing);
    }

    // From now on every notice box is read whole and answered OK as soon as it shows.
    void ReadNotices() {
        m_reader = std::make_unique<QTimer>();
        QObject::connect(m_reader.get(), &QTimer::timeout, [this] {
            if (CMsgBoxDlg* box = FindModal<CMsgBoxDlg>()) {
                notices.push_back(NoticeText(*box));
                box->EndDialog(IDOK);
            }
        });
        m_reader->start(20);
    }
    std::vector<std::string> notices;

    CSkinButton& ConnectButton() const { return MainButton(*main, IDC_CONNECT); }

    QImage GrabFace() const { return main->GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void TearDown() override {
        m_reader.reset();
        LiveFixture::TearDown();
    }

private:
    std::unique_ptr<QTimer> m_reader;
};

} // namespace

// ---- a peer that never answers the login

struct SilentPeerCase {
    const char* name;
    bool simulator; // the simulator told to drop HELLO, else a listener that never reads
};

void PrintTo(const SilentPeerCase& c, std::ostream* os) {
    *os << c.name;
}

class SilentPeerTest : public ConnectionOperatorTest, public ::testing::WithParamInterface<SilentPeerCase> {};

TEST_P(SilentPeerTest, IsToldAsATimedOutConnectAndTheConnectButtonGoesOut) {
    EXPECT_EQ(DvrClientTiming{}.loginDeadline, 20000ms); // the 20 s of any unfinished message
    DvrClientTiming timing;
    timing.loginDeadline = 2000ms;
    SilentListener listener;
    if (GetParam().simulator) {
        ASSERT_NO_FATAL_FAILURE(StartAndConnect(SixteenChannels({"--fault", "drop:HELLO"}), timing));
    } else {
        ASSERT_GT(listener.Port(), 0);
        ASSERT_NO_FATAL_FAILURE(OpenAndConnect(listener.Port(), timing));
    }
    ReadNotices();
    ASSERT_TRUE(
        WaitUntil([&] { return main->GetClient() != nullptr && main->GetClient()->GetSocketThreadId() != 0; }, 30000));
    EXPECT_EQ(ConnectButton().GetState(), kButtonOn); // connecting
    ASSERT_TRUE(WaitUntil([&] { return !notices.empty(); }, 90000)) << "the operator is never told";
    EXPECT_EQ(notices, std::vector<std::string>{NoticeLine(1, 0)});
    EXPECT_EQ(notices.front(), "Connection timed out.");
    EXPECT_EQ(main->GetClient(), nullptr);
    EXPECT_EQ(ConnectButton().GetState(), kButtonNormal);
    EXPECT_FALSE(MainButton(*main, IDC_LIVE).IsWindowEnabled());
    // Logged as a connect that failed, never as a login.
    const auto entries = LogEntries(main->GetLocation());
    EXPECT_EQ(std::count(entries.begin(), entries.end(), std::make_pair(2u, 4u)), 1);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), std::make_pair(2u, 1u)), 0);
    if (GetParam().simulator) {
        EXPECT_NE(sim.Log().find("recv HELLO"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Peers, SilentPeerTest,
                         ::testing::Values(SilentPeerCase{"SilentListener", false},
                                           SilentPeerCase{"SimulatorDroppingHello", true}),
                         [](const ::testing::TestParamInfo<SilentPeerCase>& info) { return info.param.name; });

// ---- a recorder of another product

TEST_F(ConnectionOperatorTest, NotKelo1000IsReadBeforeTheConnectionClosedNotice) {
    ASSERT_NO_FATAL_FAILURE(StartAndConnect(SixteenChannels({"--product", "5"}), DvrClientTiming{}));
    std::vector<std::string> shown; // each box's text as it opens, in order
    bool bothOpen = false;
    bool done = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QMessageBox* box = OpenMessageBox();
        CMsgBoxDlg* notice = FindModal<CMsgBoxDlg>();
        bothOpen = bothOpen || (box != nullptr && notice != nullptr);
        if (notice != nullptr) {
            shown.push_back(NoticeText(*notice));
            MouseClick(notice->m_btnOK);
        } else if (box != nullptr && main->GetClient() == nullptr) {
            // The connection has ended under the box: whatever it leads to has been posted.
            shown.push_back(box->text().toStdString());
            box->button(QMessageBox::Ok)->click();
        } else if (box == nullptr && shown.size() >= 2) {
            done = true;
        }
    });
    timer.start(20);
    ASSERT_TRUE(WaitUntil([&] { return done; }, 90000)) << shown.size() << " boxes read";
    EXPECT_FALSE(bothOpen) << "the closed notice opened over the cause";
    EXPECT_EQ(shown, (std::vector<std::string>{"Not KELO1000 !", NoticeLine(2, 0)}));
    EXPECT_EQ(NoticeLine(2, 0), "Connection closed.");
    EXPECT_EQ(ConnectButton().GetState(), kButtonNormal);
}

// ---- a live stream that never completes

struct BrokenStreamCase {
    const char* name;
    const char* fault;
    bool ends; // the connection ends with the closed notice; else it stays, silent, as the recorder is
};

void PrintTo(const BrokenStreamCase& c, std::ostream* os) {
    *os << c.name;
}

class BrokenStreamTest : public ConnectionOperatorTest, public ::testing::WithParamInterface<BrokenStreamCase> {};

TEST_P(BrokenStreamTest, EndsWithTheClosedNoticeOnlyWhereAMessageCanNeverComplete) {
    EXPECT_EQ(DvrClientTiming{}.recvDeadline, 20000ms);
    DvrClientTiming timing;
    timing.recvDeadline = 3000ms;
    ASSERT_NO_FATAL_FAILURE(StartAndConnect(SixteenChannels({"--fault", GetParam().fault}), timing));
    ReadNotices();
    ASSERT_TRUE(SimSaw("recv LIVE_REQ"));
    if (GetParam().ends) {
        ASSERT_TRUE(WaitUntil([&] { return !notices.empty(); }, 90000)) << "grey tiles and no word";
        EXPECT_EQ(notices, std::vector<std::string>{NoticeLine(2, 0)});
        EXPECT_EQ(main->GetClient(), nullptr);
        EXPECT_EQ(ConnectButton().GetState(), kButtonNormal);
        return;
    }
    // A recorder that sends nothing is waited for, as it always was: no notice, still connected.
    EXPECT_FALSE(WaitUntil([&] { return !notices.empty(); }, 4 * int(timing.recvDeadline.count()))) << notices.front();
    ASSERT_NE(main->GetClient(), nullptr);
    EXPECT_TRUE(main->IsConnected());
    EXPECT_EQ(ConnectButton().GetState(), kButtonOn);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BrokenStreamTest,
    ::testing::Values(BrokenStreamCase{"FramesWithoutLastFragment", "no-last:LIVE_DATA", true},
                      BrokenStreamCase{"FramesShorterThanTheirHeaders", "size:LIVE_DATA:-30", true},
                      BrokenStreamCase{"ChannelInfoWithoutItsMask", "bytes:LIVE_CHANNEL_INFO:2", true},
                      BrokenStreamCase{"LiveRequestNeverAnswered", "drop:LIVE_REQ", false}),
    [](const ::testing::TestParamInfo<BrokenStreamCase>& info) { return info.param.name; });

// ---- the clock before the recorder has sent a time

TEST_F(ConnectionOperatorTest, TheClockShowsTheComputersTimeUntilTheRecorderSendsOne) {
    // Sixteen channels without a camera: live view runs, and no picture (so no recorder time) comes.
    ASSERT_NO_FATAL_FAILURE(StartAndConnect(SixteenChannels({"--video-loss", "65535"}), DvrClientTiming{}));
    ASSERT_TRUE(WaitUntil([&] { return main->IsConnected() && main->GetClient()->IsLive(); }, 90000));
    std::string shown;
    std::string expected;
    const bool matches = WaitUntil(
        [&] {
            const std::time_t before = std::time(nullptr);
            shown = ClockText(GrabFace());
            const std::time_t after = std::time(nullptr);
            std::tm tm{};
            for (std::time_t t : {before, after}) {
                localtime_r(&t, &tm);
                expected = ClockTextOf(tm);
                if (shown == expected) {
                    return true;
                }
            }
            return false;
        },
        30000);
    EXPECT_TRUE(matches) << "the clock shows " << shown << ", the computer's time is " << expected;
    EXPECT_EQ(shown.find("1970"), std::string::npos) << shown;
    EXPECT_TRUE(main->GetClient()->IsLive());
}

// With pictures the clock shows the recorder's time (its clock stands a day behind the computer's).
TEST_F(ConnectionOperatorTest, TheClockShowsTheRecordersTimeOnceAPictureBringsIt) {
    ASSERT_NO_FATAL_FAILURE(StartAndConnect(SixteenChannels(), DvrClientTiming{}));
    std::string shown;
    EXPECT_TRUE(WaitUntil(
        [&] {
            shown = ClockText(GrabFace());
            return shown.size() > 10 && shown.substr(shown.size() - 10) == "2026-12-10";
        },
        90000))
        << shown;
}
