// The firmware upgrade: which images the upgrade folder offers, the build date of boot loaders, the
// upload in chunks, the dialog's run through the recorder's answers (a scripted recorder), and the
// whole upload against the recorder simulator.
#include "app/FwUpgradeDlg.h"
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "tests/app/AppTestEnv.h"
#include "tests/app/ShellDialogTestSupport.h"
#include "tests/protocol/FakeMedia.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <atomic>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace shelltest;
namespace fs = std::filesystem;

constexpr const char* kBootName = "Boot_Loader"; // 11 characters, as a boot loader names itself

// An image file: its 64-byte header at the start, or at the end behind the 0xEA000014 mark.
std::string Image(const char* part, DWORD version, std::size_t size, bool headerAtEnd = false) {
    std::string bytes(size, '\x5A');
    const std::size_t at = headerAtEnd ? size - 64 : 0;
    std::memset(bytes.data() + at, 0, 64);
    BYTE be[4];
    WriteBE32(be, version);
    std::memcpy(bytes.data() + at + 8, be, 4);
    std::memcpy(bytes.data() + at + 32, part, std::strlen(part));
    if (headerAtEnd) {
        std::memcpy(bytes.data(), "\x14\x00\x00\xEA", 4);
    }
    return bytes;
}

// A boot loader: "VBoot" at 3, its name from 4, and its build date somewhere in the first 256 bytes.
std::string BootLoader(const std::string& date, std::size_t dateAt = 40) {
    std::string bytes(400, '\0');
    std::memcpy(bytes.data(), "abcVBoot_Loader", 15);
    std::memcpy(bytes.data() + dateAt, date.data(), std::min(date.size(), bytes.size() - dateAt));
    return bytes;
}

DWORD Utc(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return DWORD(timegm(&t));
}

// The recorder's parts as the client keeps them: rows 0-4 stand for entries 0, 3, 4, 5, 6.
HelloInfo Recorder() {
    HelloInfo hello{};
    const std::pair<int, const char*> names[] = {{0, kBootName}, {3, "KERNEL"}, {4, "WEB"}, {5, "APP"}, {6, "FRONT"}};
    for (const auto& [entry, name] : names) {
        std::strncpy(hello.FirmName[entry], name, 31);
    }
    hello.FirmVer[0] = Utc(2009, 1, 1, 0, 0, 0);
    hello.FirmVer[3] = 4;
    hello.FirmVer[4] = 10;
    hello.FirmVer[5] = 10;
    hello.FirmVer[6] = 10;
    return hello;
}

class FwFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main.Make());
        host.main = &main;
        host.hello = Recorder();
        host.location = env.Location();
        host.connection = peer.client;
    }
    void TearDown() override {
        main.DestroyWindow();
        Flush();
    }
    fs::path Upgrade() const { return fs::path(env.Location()) / "Upgrade"; }
    void Put(const std::string& name, const std::string& bytes) { AppTestEnv::WriteBytes(Upgrade() / name, bytes); }

    AppTestEnv env;
    MainStandIn main;
    FakeShellHost host;
    ScriptedPeer peer;
};

// ---- images

TEST(FwBuildDate, ReadsTheDateAfterTheFirstParenthesis) {
    struct Case {
        const char* text;
        int result;
        DWORD time;
    };
    const Case cases[] = {
        {"v1.2 (Jan 15 2008 - 12:34:56) build", 0, Utc(2008, 1, 15, 12, 34, 56)},
        {"(Dec 31 2037 - 23:59:59)", 0, Utc(2037, 12, 31, 23, 59, 59)},
        {"(Feb  5 2009 - 01:02:03)", 0, Utc(2009, 2, 5, 1, 2, 3)}, // a one-digit day as compilers write it
        {"(jan 15 2008 - 12:34:56)", -1, 0},                       // month names in exact case only
        {"(Jun 15 2008 - 12:34:56)", 0, Utc(2008, 6, 15, 12, 34, 56)},
        {"no date at all", -1, 0},
        {"x (Foo 15 2008 - 12:34:56) (Jan 1 2008 - 00:00:00)", -1, 0}, // only the first '(' counts
    };
    for (const Case& c : cases) {
        BYTE head[256] = {};
        std::memcpy(head, c.text, std::strlen(c.text));
        DWORD time = 0xDEADBEEF;
        EXPECT_EQ(CFwUpgradeDlg::ParseBuildDate(head, sizeof head, &time), c.result) << c.text;
        if (c.result == 0) {
            EXPECT_EQ(time, c.time) << c.text;
        }
    }
}

TEST(FwBuildDate, ADateCutOffByTheEndOfTheHeadIsRefused) {
    // The '(' lies so close to the end that the seconds would be read past the 256 bytes.
    BYTE head[256] = {};
    const char* date = "(Jan 15 2008 - 12:34:56)";
    std::memcpy(head + 256 - 22, date, 22);
    DWORD time = 0;
    EXPECT_EQ(CFwUpgradeDlg::ParseBuildDate(head, sizeof head, &time), -1);
    std::memcpy(head + 256 - 23, date, 23); // exactly fits
    EXPECT_EQ(CFwUpgradeDlg::ParseBuildDate(head, sizeof head, &time), 0);
    EXPECT_EQ(time, Utc(2008, 1, 15, 12, 34, 56));
}

TEST(FwRows, RowsStandForEntriesZeroAndThreeToSix) {
    const int entries[] = {0, 3, 4, 5, 6};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(CFwUpgradeDlg::GetIdxToType(row), entries[row]);
        EXPECT_EQ(CFwUpgradeDlg::GetTypeToIdx(entries[row]), row);
    }
    for (int bad : {-1, 1, 2, 7, 19, 20}) {
        EXPECT_EQ(CFwUpgradeDlg::GetTypeToIdx(bad), -1) << bad;
    }
    EXPECT_EQ(CFwUpgradeDlg::GetIdxToType(5), -1);
    EXPECT_EQ(CFwUpgradeDlg::GetIdxToType(-1), -1);
}

TEST_F(FwFixture, TheScanOffersOnlyImagesNewerThanTheRecorderAndTheRowsOtherImages) {
    Put("kernel_a.bin", Image("KERNEL", 5, 100));
    Put("kernel_b.bin", Image("KERNEL", 7, 100)); // of 5 and 7 against 4, only 7 is offered
    Put("app_equal.bin", Image("APP", 10, 100));  // equal to the recorder's: not offered
    Put("web_end.bin", Image("WEB", 11, 300, true));
    Put("short.bin", Image("WEB", 12, 64).substr(0, 40)); // shorter than a header
    Put("noname.bin", Image("", 99, 100));                // matches an empty entry without a row
    Put("boot.bin", BootLoader("(Mar 14 2010 - 08:09:10)"));
    Put("Front_2.bin", Image("FRONT", 20, 100));
    Put("front_1.bin", Image("FRONT", 20, 100)); // equal images: the first by name wins, whatever the case
    fs::create_directories(Upgrade() / "folder.bin");

    CFwUpgradeDlg dlg(host, 255);
    EXPECT_EQ(dlg.ScanUpgradeFolder(), 5); // boot, front_1, kernel_a, kernel_b, web_end

    const auto version = [&](int row) { return ReadBE32(dlg.Slot(row).request.version); };
    ASSERT_EQ(dlg.Slot(0).offered, 1);
    EXPECT_EQ(version(0), Utc(2010, 3, 14, 8, 9, 10));
    EXPECT_EQ(std::string(dlg.Slot(0).request.name, 15), "abcVBoot_Loader");
    ASSERT_EQ(dlg.Slot(1).offered, 1);
    EXPECT_EQ(version(1), 7u);
    EXPECT_EQ(fs::path(dlg.Slot(1).path).filename(), "kernel_b.bin");
    ASSERT_EQ(dlg.Slot(2).offered, 1);
    EXPECT_EQ(version(2), 11u);
    EXPECT_EQ(dlg.Slot(3).offered, 0);
    ASSERT_EQ(dlg.Slot(4).offered, 1);
    EXPECT_EQ(fs::path(dlg.Slot(4).path).filename(), "front_1.bin");

    // The announcement as it goes out: version big-endian at 4, the entry at 16, the name at 21.
    const auto* body = reinterpret_cast<const BYTE*>(&dlg.Slot(1).request);
    const BYTE expected[8] = {0, 0, 0, 0, 0, 0, 0, 7};
    EXPECT_EQ(std::memcmp(body, expected, 8), 0);
    EXPECT_EQ(body[16], 3);
    EXPECT_STREQ(reinterpret_cast<const char*>(body + 21), "KERNEL");
    EXPECT_EQ(body[53] | body[54] | body[55], 0);
}

TEST_F(FwFixture, BootLoadersNeedTheirNameADateAndANewerBuild) {
    struct Case {
        const char* what;
        std::string bytes;
        bool offered;
    };
    std::string otherName = BootLoader("(Mar 14 2010 - 08:09:10)");
    otherName[10] = 'X';
    const Case cases[] = {
        {"newer", BootLoader("(Mar 14 2010 - 08:09:10)"), true},
        {"older than the recorder", BootLoader("(Mar 14 2008 - 08:09:10)"), false},
        {"no month", BootLoader("(Foo 14 2010 - 08:09:10)"), false},
        {"another loader's name", otherName, false},
        {"too short for its name", BootLoader("").substr(0, 12), false},
    };
    for (const Case& c : cases) {
        fs::remove_all(Upgrade());
        Put("boot.bin", c.bytes);
        CFwUpgradeDlg dlg(host, 255);
        EXPECT_EQ(dlg.ScanUpgradeFolder(), c.offered ? 1 : 0) << c.what;
        EXPECT_EQ(dlg.Slot(0).offered, c.offered ? 1 : 0) << c.what;
    }
}

// ---- the upload

TEST(FwProgress, PercentagesOfLargeImagesDoNotOverflow) {
    EXPECT_EQ(CFwUpgradeDlg::ProgressPercent(0, 100), 0);
    EXPECT_EQ(CFwUpgradeDlg::ProgressPercent(50, 100), 50);
    EXPECT_EQ(CFwUpgradeDlg::ProgressPercent(8000, 8001), 99);
    EXPECT_EQ(CFwUpgradeDlg::ProgressPercent(3000000000ULL, 4000000000ULL), 75);
    EXPECT_EQ(CFwUpgradeDlg::ProgressPercent(5, 0), 0);
}

TEST_F(FwFixture, AnImageGoesOutInChunksOfAtMost8000BytesTheLastOneMarked) {
    struct Case {
        std::size_t size;
        std::vector<DWORD> chunks;
    };
    const Case cases[] = {
        {1, {1}},
        {8000, {8000}},
        {8001, {8000, 1}},
        {20000, {8000, 8000, 4000}},
    };
    for (const Case& c : cases) {
        std::string bytes(c.size, '\0');
        for (std::size_t i = 0; i < c.size; ++i) {
            bytes[i] = char(i * 7 + c.size);
        }
        const fs::path path = env.Root() / "image.bin";
        AppTestEnv::WriteBytes(path, bytes);
        std::atomic<bool> abort{false};
        std::vector<int> progress;
        CFwUpgradeDlg::UploadResult result = CFwUpgradeDlg::kUploadFailed;
        std::thread sender([&] {
            result = CFwUpgradeDlg::SendImage(*peer.client, path.c_str(), abort, [&](int p) { progress.push_back(p); });
        });
        std::string received;
        for (std::size_t k = 0; k < c.chunks.size(); ++k) {
            auto m = peer.Read();
            ASSERT_TRUE(m) << c.size;
            EXPECT_EQ(m->id, Msg::FW_DATA);
            EXPECT_EQ(m->length, c.chunks[k]) << c.size << " chunk " << k;
            EXPECT_EQ(m->last, k + 1 == c.chunks.size()) << c.size << " chunk " << k;
            received.append(m->payload.begin(), m->payload.end());
        }
        sender.join();
        EXPECT_EQ(result, CFwUpgradeDlg::kUploadSent);
        EXPECT_EQ(received, bytes) << c.size;
        ASSERT_EQ(progress.size(), c.chunks.size());
        EXPECT_EQ(progress.back(), 100);
        EXPECT_TRUE(peer.Quiet(50));
    }
}

TEST_F(FwFixture, NothingGoesOutForAnAbortedEmptyOrMissingImage) {
    const fs::path image = env.Root() / "image.bin";
    AppTestEnv::WriteBytes(image, std::string(9000, 'x'));
    const fs::path empty = env.Root() / "empty.bin";
    AppTestEnv::WriteBytes(empty, "");
    std::atomic<bool> abort{true};
    std::atomic<bool> go{false};
    EXPECT_EQ(CFwUpgradeDlg::SendImage(*peer.client, image.c_str(), abort, {}), CFwUpgradeDlg::kUploadAborted);
    EXPECT_EQ(CFwUpgradeDlg::SendImage(*peer.client, empty.c_str(), go, {}), CFwUpgradeDlg::kUploadFailed);
    EXPECT_EQ(CFwUpgradeDlg::SendImage(*peer.client, (env.Root() / "none").c_str(), go, {}),
              CFwUpgradeDlg::kUploadFailed);
    EXPECT_TRUE(peer.Quiet(50));
}

// ---- the dialog against a scripted recorder

class FwDialog : public FwFixture {
protected:
    void Open() {
        dlg = std::make_unique<CFwUpgradeDlg>(host, 255);
        dlg->ScanUpgradeFolder();
        ASSERT_TRUE(dlg->Create(CFwUpgradeDlg::IDD, &main));
        Flush();
    }
    void TearDown() override {
        if (dlg) {
            dlg->DestroyWindow();
            dlg.reset();
        }
        FwFixture::TearDown();
    }
    void Answer(UINT message, WPARAM wParam = 0) {
        dlg->SendMessage(message, wParam, 0);
        Flush();
    }
    // Reads the announcement of the next image; its part.
    int ReadAnnouncement() {
        auto m = peer.Read();
        if (!m || m->id != Msg::FW_UPDATE_REQ || m->length != 56) {
            return -1;
        }
        return m->payload[16];
    }
    std::string RowText(int row) { return TextOf(dlg->m_rowStatus[std::size_t(row)]); }
    bool WaitUploadEnded() {
        return PumpUntil([&] { return !dlg->IsUploading(); });
    }

    std::unique_ptr<CFwUpgradeDlg> dlg;
};

TEST_F(FwDialog, OfferedRowsAreCheckedAndStartFollowsTheChecks) {
    Put("kernel.bin", Image("KERNEL", 5, 100));
    Put("web.bin", Image("WEB", 11, 100));
    Open();
    EXPECT_EQ(host.registered[ClientWindow::FirmwareDialog], dlg->GetSafeHwnd());
    const bool offered[6] = {false, true, true, false, false, false};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(dlg->m_check[std::size_t(r)].GetCheck() != 0, offered[r]) << r;
        EXPECT_EQ(dlg->m_check[std::size_t(r)].IsWindowEnabled() != FALSE, offered[r]) << r;
    }
    EXPECT_FALSE(Visible(dlg->m_check[5]));
    EXPECT_TRUE(dlg->m_btnStart.IsWindowEnabled());

    Click(dlg->m_check[1]);
    EXPECT_TRUE(dlg->m_btnStart.IsWindowEnabled());
    Click(dlg->m_check[2]); // every offered row unchecked
    EXPECT_FALSE(dlg->m_btnStart.IsWindowEnabled());
    Click(dlg->m_check[2]);
    EXPECT_TRUE(dlg->m_btnStart.IsWindowEnabled());
}

TEST_F(FwDialog, CheckedImagesGoOneAfterTheOtherThroughTheRecordersAnswers) {
    std::string kernel = Image("KERNEL", 5, 8001);
    Put("kernel.bin", kernel);
    Put("web.bin", Image("WEB", 11, 100));
    Open();

    Click(dlg->m_btnStart);
    ASSERT_EQ(ReadAnnouncement(), 3);
    EXPECT_FALSE(Visible(dlg->m_btnStart));
    EXPECT_TRUE(Visible(dlg->m_btnStop));

    // A duplicate ACK never starts a second upload of the image.
    Answer(WM_KELO_FW_UPDATE_ACK);
    Answer(WM_KELO_FW_UPDATE_ACK);
    EXPECT_EQ(dlg->Status(), CFwUpgradeDlg::kStatusSending);
    std::string received;
    for (;;) {
        auto m = peer.Read();
        ASSERT_TRUE(m);
        ASSERT_EQ(m->id, Msg::FW_DATA);
        received.append(m->payload.begin(), m->payload.end());
        if (m->last) {
            break;
        }
    }
    EXPECT_EQ(received, kernel);
    ASSERT_TRUE(WaitUploadEnded());
    Flush();
    EXPECT_TRUE(peer.Quiet(100));
    EXPECT_EQ(dlg->m_progress[1].GetPos(), 100);
    EXPECT_FALSE(dlg->m_btnClose.IsWindowEnabled());

    Answer(WM_KELO_FW_DATA_RX_DONE);
    EXPECT_EQ(dlg->Status(), CFwUpgradeDlg::kStatusReceived);
    Answer(WM_KELO_FW_UPDATE_DONE);
    EXPECT_EQ(RowText(1), "Done");
    EXPECT_EQ(dlg->FinishedCount(), 1);

    // The next checked image is announced at once; the recorder refuses it.
    ASSERT_EQ(ReadAnnouncement(), 4);
    Answer(WM_KELO_FW_UPDATE_NACK, 17);
    EXPECT_EQ(RowText(2), "Wrong image");
    EXPECT_EQ(dlg->Status(), CFwUpgradeDlg::kStatusIdle);
    // Nothing is left: Start shows but cannot start, Close can close.
    EXPECT_TRUE(Visible(dlg->m_btnStart));
    EXPECT_FALSE(dlg->m_btnStart.IsWindowEnabled());
    EXPECT_FALSE(Visible(dlg->m_btnStop));
    EXPECT_TRUE(dlg->m_btnClose.IsWindowEnabled());
    EXPECT_TRUE(peer.Quiet(50));

    // Closing after a finished upgrade offers to restart the recorder.
    Click(dlg->m_btnClose);
    ASSERT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(host.notices[0], LPARAM(kNoticeFirmwareAskRestart));
}

TEST_F(FwDialog, RefusalsAndFailuresNameTheirReasonOnTheRow) {
    struct Case {
        UINT message;
        WPARAM reason;
        const char* text;
    };
    const Case cases[] = {
        {WM_KELO_FW_UPDATE_NACK, 1, "Request refused."},
        {WM_KELO_FW_UPDATE_NACK, 18, "Recorder busy"},
        {WM_KELO_FW_UPDATE_NACK, 99, ""},
        {WM_KELO_FW_DATA_RX_FAIL, 3, "Failed"},
        {WM_KELO_FW_UPDATE_FAIL, 3, "Failed"},
    };
    Put("kernel.bin", Image("KERNEL", 5, 100));
    for (const Case& c : cases) {
        Open();
        Click(dlg->m_btnStart);
        ASSERT_EQ(ReadAnnouncement(), 3);
        Answer(c.message, c.reason);
        EXPECT_EQ(RowText(1), c.text) << c.message << " " << c.reason;
        EXPECT_EQ(dlg->FinishedCount(), 0);
        EXPECT_TRUE(dlg->m_btnClose.IsWindowEnabled());
        dlg->DestroyWindow();
        dlg.reset();
        Flush();
    }
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(FwDialog, AnAnswerAfterStopStartsNoUpload) {
    Put("kernel.bin", Image("KERNEL", 5, 100));
    Open();
    Click(dlg->m_btnStart);
    ASSERT_EQ(ReadAnnouncement(), 3);
    Click(dlg->m_btnStop);
    EXPECT_EQ(RowText(1), "Stopped");
    EXPECT_TRUE(dlg->m_btnClose.IsWindowEnabled());
    Answer(WM_KELO_FW_UPDATE_ACK);
    EXPECT_FALSE(dlg->IsUploading());
    EXPECT_TRUE(peer.Quiet(100));
}

TEST_F(FwDialog, AnImageGoneBeforeItsUploadFailsOnItsRow) {
    Put("kernel.bin", Image("KERNEL", 5, 100));
    Open();
    fs::remove(Upgrade() / "kernel.bin");
    Click(dlg->m_btnStart);
    ASSERT_EQ(ReadAnnouncement(), 3);
    Answer(WM_KELO_FW_UPDATE_ACK);
    ASSERT_TRUE(WaitUploadEnded());
    ASSERT_TRUE(PumpUntil([&] { return RowText(1) == "Failed"; }));
    EXPECT_EQ(dlg->Status(), CFwUpgradeDlg::kStatusIdle);
    EXPECT_TRUE(dlg->m_btnClose.IsWindowEnabled());
    EXPECT_TRUE(peer.Quiet(50));
}

TEST_F(FwDialog, ClosingDuringAnUploadStopsItsThread) {
    Put("kernel.bin", Image("KERNEL", 5, 2'000'000));
    Open();
    Click(dlg->m_btnStart);
    ASSERT_EQ(ReadAnnouncement(), 3);
    Answer(WM_KELO_FW_UPDATE_ACK);
    ASSERT_TRUE(peer.Read()); // the upload is under way; the recorder stops reading
    dlg->DestroyWindow();     // returns once the thread has ended
    EXPECT_FALSE(dlg->IsUploading());
    EXPECT_EQ(host.registered[ClientWindow::FirmwareDialog], nullptr);
    dlg.reset();
}

TEST_F(FwDialog, EnterIsAPlainKeyEscapeCancelsAndAltF4IsSwallowed) {
    Put("kernel.bin", Image("KERNEL", 5, 100));
    Open();
    dlg->ShowWindow(SW_SHOW);
    Flush();
    const HWND hwnd = dlg->GetSafeHwnd();
    MSG enter{hwnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_FALSE(dlg->PreTranslateMessage(&enter)); // on to the focused control
    MSG altF4{hwnd, WM_SYSKEYDOWN, VK_F4, 0, 0, {0, 0}};
    EXPECT_TRUE(dlg->PreTranslateMessage(&altF4));
    Flush();
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(host.registered[ClientWindow::FirmwareDialog], hwnd);

    MSG escape{hwnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(dlg->PreTranslateMessage(&escape)); // Cancel, as in any dialog
    Flush();
    EXPECT_FALSE(dlg->IsWindowVisible());
}

// ---- against the recorder simulator

class RoutingHost : public IClientHost {
public:
    void PostNotice(LPARAM, ClientWindow) override {}
    void PostToWindow(ClientWindow target, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (target == ClientWindow::FirmwareDialog && dialog.load() != nullptr) {
            ::PostMessage(dialog.load(), message, wParam, lParam);
        }
    }
    void ReportEvent(ClientEvent, int) override {}
    void WriteLocalLog(int, int, const char*, const char*) override {}
    void PostConnectFailed(LPARAM) override {}
    void PostWrongProduct() override {}
    void DeliverSearchReply(UINT, std::vector<BYTE>, DWORD) override {}
    void ClearSearchBusy() override {}
    std::atomic<HWND> dialog{nullptr};
};

class FwAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built");
        ASSERT_TRUE(main.Make());
        host.main = &main;
        host.location = env.Location();
    }
    void TearDown() override {
        if (dlg) {
            dlg->DestroyWindow();
            dlg.reset();
        }
        if (client) {
            client->Disconnect();
            client.reset();
        }
        main.DestroyWindow();
        Flush();
    }
    // Logs in to a simulator started with the options and opens the dialog over an 8001-byte kernel.
    void Run(std::vector<std::string> options) {
        options.insert(options.end(), {"--resolution", "cif", "--loop-seconds", "1"});
        ASSERT_TRUE(sim.Start(options));
        client = std::make_unique<CDvrClient>(DvrClientSeams{&routing, &video, nullptr});
        client->Login().SetConnectParams("127.0.0.1", DWORD(sim.Port()), "admin", "1234");
        ASSERT_TRUE(client->Connect());
        ASSERT_TRUE(PumpUntil([&] { return client->Login().IsConnected(); }));
        host.connection = client->GetConnection();
        host.hello = client->Login().GetHello();
        // The simulator names its kernel part "KERNEL" and dates every part around 2008.
        AppTestEnv::WriteBytes(fs::path(env.Location()) / "Upgrade" / "kernel.bin", Image("KERNEL", 0xF0000000, 8001));
        dlg = std::make_unique<CFwUpgradeDlg>(host, 255);
        ASSERT_EQ(dlg->ScanUpgradeFolder(), 1);
        ASSERT_TRUE(dlg->Create(CFwUpgradeDlg::IDD, &main));
        routing.dialog = dlg->GetSafeHwnd();
        Click(dlg->m_btnStart);
    }
    std::string RowText() { return TextOf(dlg->m_rowStatus[1]); }

    AppTestEnv env;
    SimProcess sim;
    MainStandIn main;
    FakeShellHost host;
    RoutingHost routing;
    RecordingVideoView video;
    std::unique_ptr<CDvrClient> client;
    std::unique_ptr<CFwUpgradeDlg> dlg;
};

TEST_F(FwAgainstSimulator, TheRecorderTakesTheImageInTwoChunksAndReportsItDone) {
    Run({});
    ASSERT_TRUE(PumpUntil([&] { return !RowText().empty(); }, 60000));
    EXPECT_EQ(RowText(), "Done");
    EXPECT_EQ(dlg->FinishedCount(), 1);
    EXPECT_TRUE(sim.WaitLog("recv FW_UPDATE_REQ len=56"));
    EXPECT_TRUE(sim.WaitLog("recv FW_DATA len=8000\n"));
    EXPECT_TRUE(sim.WaitLog("recv FW_DATA len=1 last"));
    EXPECT_EQ(dlg->Status(), CFwUpgradeDlg::kStatusIdle);
}

TEST_F(FwAgainstSimulator, AnUpdateTheRecorderFailsShowsFailed) {
    Run({"--refuse", "FW_UPDATE_FAIL:5"});
    ASSERT_TRUE(PumpUntil([&] { return !RowText().empty(); }, 60000));
    EXPECT_EQ(RowText(), "Failed");
    EXPECT_EQ(dlg->FinishedCount(), 0);
    EXPECT_TRUE(dlg->m_btnClose.IsWindowEnabled());
}

} // namespace
