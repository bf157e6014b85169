// The main window on the offscreen platform without a recorder: start-up and shut-down, the
// face, notices, commands and the messages other threads send it.
#include "app/MsgBoxDlg.h"
#include "app/ProgressPopupDlg.h"
#include "platform/base/WindowsPath.h"
#include "protocol/ReasonCodes.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "tests/app/MainWindowSupport.h"

#include <QCloseEvent>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

using MainWindowTest = MainWindowFixture;

class FakePlayer : public ILocalPlayer {
public:
    int GetMode() const override { return mode; }
    int GetPrevMode() const override { return prevMode; }
    void SetSeekState(int state) override { seekState = state; }
    DWORD GetStartTime() const override { return 1000; }
    void SetSeekTarget(DWORD seconds) override { target = seconds; }
    void SetChannelChange(BYTE changed) override { channelChange = changed; }
    void SetMode(int m) override { setModes.push_back(m); }
    void Stop() override { calls->push_back("Stop"); }
    void Close() override { calls->push_back("Close"); }
    int mode = 1, prevMode = 1, seekState = 0;
    DWORD target = 0;
    BYTE channelChange = 0;
    std::vector<int> setModes;
    // Outlives the player, which the main window deletes.
    std::shared_ptr<std::vector<std::string>> calls = std::make_shared<std::vector<std::string>>();
};

class FakeSaver : public IStillImageSaver {
public:
    explicit FakeSaver(std::function<void()> onJoin = {}) : m_onJoin(std::move(onJoin)) {}
    bool IsDone() const override { return done.load(); }
    void Join() override {
        if (m_onJoin) {
            m_onJoin();
        }
    }
    std::atomic<bool> done{false};

private:
    std::function<void()> m_onJoin;
};

CString Res(UINT id) {
    CString t;
    LoadResString(t, id);
    return t;
}

TEST_F(MainWindowTest, StartsFromTheStartupFileAndLogsStartAndEnd) {
    AppTestEnv::WriteBytes(m_env.Root() / "cwd" / "ClientD1.bin", "Lobby cams\rStore\rDD-MM-YYYY\rRGB");
    char old[4096] = {};
    ASSERT_NE(::getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(::chdir((m_env.Root() / "cwd").c_str()), 0);
    Open();
    ASSERT_EQ(::chdir(old), 0);

    CString caption;
    main->GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "Lobby cams");
    CRect client;
    main->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 928);
    EXPECT_EQ(client.Height(), 698);
    const std::string location = (m_env.Home() / "Store").string();
    EXPECT_EQ(std::string(main->GetLocation()), location);
    EXPECT_EQ(main->GetSettings().DateFormat, 2u);
    EXPECT_EQ(Video()->GetDrawMode(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(location + "/Upgrade"));
    EXPECT_FALSE(MainButton(*main, IDC_LIVE).IsWindowEnabled());
    EXPECT_EQ(MainButton(*main, IDC_LIVE).GetState(), kButtonDisabled);
    EXPECT_EQ(MainButton(*main, IDC_SPLIT_FIRST + 8).GetState(), kButtonOn);
    EXPECT_EQ(Video()->GetLayout(), 14);

    auto log = LogBytes();
    ASSERT_EQ(log.size(), 8u + 184u);
    EXPECT_EQ(ReadLe32(log, 8 + 8), 1u);
    EXPECT_EQ(ReadLe32(log, 8 + 12), 1u);

    Close();
    log = AppTestEnv::ReadBytes(CLocalLog::PathOf(location.c_str()));
    ASSERT_EQ(log.size(), 8u + 2 * 184u);
    EXPECT_EQ(ReadLe32(log, 8 + 184 + 8), 1u);
    EXPECT_EQ(ReadLe32(log, 8 + 184 + 12), 2u);
}

TEST_F(MainWindowTest, FromRemovableMediaTheLocalSearchOpensAndNothingIsWritten) {
    ScopedEnv removable("KELO_REMOVABLE_MEDIA", "1");
    int localSearches = 0;
    parts.runLocalSearch = [&](CClientDlg&, BYTE) {
        ++localSearches;
        return INT_PTR(IDCANCEL);
    };
    bool connectShown = false;
    Open([&](CConnectDlg& d) {
        connectShown = true;
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(WaitUntil([&] { return localSearches == 1; }, 5000));
    Pump(100);
    EXPECT_FALSE(connectShown);
    Click(IDC_CONNECT);
    EXPECT_FALSE(connectShown);
    EXPECT_FALSE(std::filesystem::exists(m_env.Home() / "H264"));
    Close();
    EXPECT_FALSE(std::filesystem::exists(m_env.Home() / "H264"));
}

TEST_F(MainWindowTest, FaceIsCutByTheKeyColourInTheCornersOnly) {
    Open();
    const QImage face = main->GetHost()->grab().toImage();
    EXPECT_FALSE(main->IsRegionPending());
    EXPECT_TRUE(CClientDlg::IsCornerBlock(0, 0));
    EXPECT_TRUE(CClientDlg::IsCornerBlock(927, 697));
    EXPECT_FALSE(CClientDlg::IsCornerBlock(54, 10));
    EXPECT_FALSE(CClientDlg::IsCornerBlock(10, 51));
    // The frame drawn at its places: the centre piece stretched over the video surround.
    EXPECT_EQ(face.width(), 928);
    EXPECT_EQ(face.height(), 698);
    // The corner's key pixels are out of the window's shape; the face inside it stays in.
    EXPECT_FALSE(main->GetHost()->InShape(QPoint(0, 0)));
    EXPECT_TRUE(main->GetHost()->InShape(QPoint(464, 349)));
    EXPECT_TRUE(main->GetHost()->InShape(QPoint(60, 60)));
}

TEST_F(MainWindowTest, TooltipsFollowTheTable) {
    Open();
    const struct {
        UINT id;
        CString text;
    } rows[] = {
        {300, Res(IDS_CHANNEL) + " 1"},
        {315, Res(IDS_CHANNEL) + " 16"},
        {320, Res(IDS_1)},
        {321, Res(IDS_4)},
        {322, "6"},
        {328, "16"},
        {329, Res(IDS_FULL_SCREEN)},
        {340, "Step Backward"},
        {341, "Play Backward"},
        {342, "Play Forward"},
        {343, Res(IDS_PAUSE)},
        {344, ""},
        {345, Res(IDS_STOP)},
        {346, "Step Forward"},
        {355, Res(IDS_PAN_TILT)},
        {356, Res(IDS_ZOOM_FOCUS)},
        {360, Res(IDS_CONNECT)},
        {361, Res(IDS_REMOTE_SEARCH)},
        {364, Res(IDS_LOCAL_SETUP)},
        {365, Res(IDS_QUIT)},
        {366, Res(IDS_MUTE)},
        {369, Res(IDS_LIVE)},
        {373, Res(IDS_OPEN_IMAGE)},
        {374, Res(IDS_FIRMWARE_UPGRADE)},
        {376, Res(IDS_TALK)},
        {377, Res(IDS_MINIMIZE)},
        {378, Res(IDS_AUDIO)},
        {421, Res(IDS_VOLUME)},
        {420, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(std::string(main->TooltipText(row.id)), std::string(row.text)) << row.id;
    }
    EXPECT_FALSE(Res(IDS_CHANNEL).IsEmpty());
}

TEST_F(MainWindowTest, ANoticeArrivingWhileABoxIsOpenIsDropped) {
    Open();
    CString firstLine;
    int lines = 0, mode = 0;
    bool secondBoxDuringFirst = false;
    ModalScript script;
    script.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& box) {
        firstLine = box.m_szLine[0];
        lines = box.m_nLineCount;
        mode = box.m_nButtonMode;
        main->PostMessage(WM_KELO_NOTICE, WPARAM(main->GetSafeHwnd()), kNoticeRefused);
        Pump(100);
        secondBoxDuringFirst = main->GetNoticeBox() != &box;
        box.EndDialog(IDOK);
    });
    main->PostMessage(WM_KELO_NOTICE, WPARAM(main->GetSafeHwnd()), kNoticeTalkInUse);
    ASSERT_TRUE(WaitUntil([&] { return script.Done() && main->GetNoticeBox() == nullptr; }));
    Pump(300);
    EXPECT_EQ(FindModal<CMsgBoxDlg>(), nullptr);
    EXPECT_FALSE(secondBoxDuringFirst);
    EXPECT_EQ(std::string(firstLine), std::string(Res(IDS_TALK_IS_IN_USE_BY_ANOTHER)));
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(mode, 1);

    // An unknown notice shows nothing; a stale parent handle falls back to the main window.
    main->PostMessage(WM_KELO_NOTICE, 0, MakeNotice(NoticeCategory::RecorderClosed, 8));
    Pump(200);
    EXPECT_EQ(FindModal<CMsgBoxDlg>(), nullptr);
    ModalScript stale;
    stale.Expect<CMsgBoxDlg>([](CMsgBoxDlg& box) { box.EndDialog(IDCANCEL); });
    main->PostMessage(WM_KELO_NOTICE, WPARAM(0x7FFFFF), kNoticeNotAllowed);
    EXPECT_TRUE(WaitUntil([&] { return stale.Done(); }, 5000));
}

TEST_F(MainWindowTest, SplitButtonsSelectLayoutsAndPageOnWhenPressedAgain) {
    Open();
    Click(IDC_SPLIT_FIRST + 1);
    EXPECT_EQ(Video()->GetLayout(), 1);
    EXPECT_EQ(Video()->GetArrangeLayout(), 1);
    EXPECT_FALSE(Video()->IsSingleView());
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(MainButton(*main, IDC_SPLIT_FIRST + i).GetState(), i == 1 ? 1 : 0) << i;
    }
    EXPECT_EQ(Video()->GetPage(), 0);
    Click(IDC_SPLIT_FIRST + 1);
    EXPECT_EQ(Video()->GetPage(), 1);
    Click(IDC_SPLIT_FIRST + 7);
    EXPECT_EQ(Video()->GetLayout(), 13);

    main->SetDomeMenuActive(true);
    Click(IDC_SPLIT_FIRST);
    Click(IDC_CHANNEL_FIRST + 3);
    EXPECT_EQ(Video()->GetLayout(), 13);
    main->SetDomeMenuActive(false);
    Click(IDC_CHANNEL_FIRST + 3);
    EXPECT_EQ(Video()->GetLayout(), 0);
    EXPECT_TRUE(Video()->IsSelectedChannel(3));
}

TEST_F(MainWindowTest, SoundMutesAndTheVolumeSliderMovesTheVolume) {
    Open();
    EXPECT_EQ(MainSlider(*main, IDC_VOLUME).GetPos(), 40000);
    Click(IDC_SOUND);
    EXPECT_EQ(MainButton(*main, IDC_SOUND).GetState(), kButtonSecondOn);
    EXPECT_FALSE(MainSlider(*main, IDC_VOLUME).IsEnabled());
    Click(IDC_SOUND);
    EXPECT_EQ(MainButton(*main, IDC_SOUND).GetState(), kButtonNormal);
    EXPECT_TRUE(MainSlider(*main, IDC_VOLUME).IsEnabled());
    main->SendMessage(WM_SLIDER_MOVE, IDC_VOLUME, 1234);
    EXPECT_EQ(MainSlider(*main, IDC_VOLUME).GetPos(), 1234);
    main->SendMessage(WM_SLIDER_UP, IDC_VOLUME, 777);
    EXPECT_EQ(MainSlider(*main, IDC_VOLUME).GetPos(), 777);
}

TEST_F(MainWindowTest, SeekSliderDrivesTheLocalPlayerOnly) {
    Open();
    main->SendMessage(WM_SLIDER_UP, IDC_SEEK, 30); // no player: nothing happens
    auto player = std::make_unique<FakePlayer>();
    FakePlayer* p = player.get();
    main->AdoptLocalPlayer(std::move(player));
    main->SendMessage(WM_SLIDER_DOWN, IDC_SEEK, 0);
    EXPECT_EQ(p->seekState, 1);
    main->SendMessage(WM_SLIDER_MOVE, IDC_SEEK, 10);
    EXPECT_EQ(p->seekState, 2);
    p->mode = 4;
    p->prevMode = 5;
    main->SendMessage(WM_SLIDER_UP, IDC_SEEK, 30);
    EXPECT_EQ(p->seekState, 3);
    EXPECT_EQ(p->target, 1030u);
    p->prevMode = 3;
    main->SendMessage(WM_SLIDER_UP, IDC_SEEK, 31);
    EXPECT_EQ(p->setModes, (std::vector<int>{7, 1}));

    // Stop: the player is stopped, then its window ended, then it goes.
    Video()->SetPlaySource(3);
    const auto calls = p->calls;
    Click(IDC_PLAY_STOP);
    EXPECT_EQ(*calls, (std::vector<std::string>{"Stop", "Close"}));
    EXPECT_EQ(main->GetLocalPlayer(), nullptr);
}

TEST_F(MainWindowTest, LocalPlayBarFollowsThePlayerMode) {
    Open();
    auto player = std::make_unique<FakePlayer>();
    FakePlayer* p = player.get();
    main->AdoptLocalPlayer(std::move(player));
    Video()->SetPlaySource(3);
    p->mode = 1;
    Click(IDC_PLAY_FIRST);     // play: only while paused
    Click(IDC_PLAY_FIRST + 3); // pause: only in modes 2 and 3
    Click(IDC_PLAY_FIRST + 6); // step: only while paused
    p->mode = 4;
    Click(IDC_PLAY_FIRST);
    Click(IDC_PLAY_FIRST + 6);
    Click(IDC_PLAY_FIRST + 1);
    p->mode = 3;
    Click(IDC_PLAY_FIRST + 3);
    EXPECT_EQ(p->setModes, (std::vector<int>{1, 7, 2, 4}));
    Video()->SetPlaySource(0);
    Click(IDC_PLAY_FIRST + 2);
    EXPECT_EQ(p->setModes.size(), 4u);
}

TEST_F(MainWindowTest, BackupPopupFollowsTheWritersMessages) {
    Open();
    main->PostMessage(WM_KELO_BACKUP_CREATE, 1000); // without a client: ignored
    main->PostMessage(WM_KELO_BACKUP_PROGRESS, 10);
    Pump(100);
    EXPECT_EQ(main->GetProgressPopup(), nullptr);

    main->SetClient(std::make_unique<CDvrClient>(DvrClientSeams{main.get(), Video(), Video()}));
    main->PostMessage(WM_KELO_BACKUP_CREATE, 1000);
    ASSERT_TRUE(WaitUntil([&] { return main->GetProgressPopup() != nullptr; }));
    main->PostMessage(WM_KELO_BACKUP_PROGRESS, 400);
    Pump(100);
    EXPECT_EQ(main->GetProgressPopup()->m_progress.GetPos(), 400);

    // Escape does not close it.
    CProgressPopupDlg* popup = main->GetProgressPopup();
    MSG escape{popup->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(popup->PreTranslateMessage(&escape));

    // A second start replaces it with a fresh one at position 0.
    main->PostMessage(WM_KELO_BACKUP_CREATE, 2000);
    Pump(100);
    ASSERT_NE(main->GetProgressPopup(), nullptr);
    EXPECT_EQ(main->GetProgressPopup()->m_progress.GetPos(), 0);
    EXPECT_TRUE(main->GetProgressPopup()->IsWindowVisible());

    main->PostMessage(WM_KELO_BACKUP_CLOSE);
    Pump(100);
    EXPECT_EQ(main->GetProgressPopup(), nullptr);
}

TEST_F(MainWindowTest, SaveWaitsForTheStillImagesAndQuitJoinsThemFirst) {
    Open();
    Click(IDC_SAVE); // nothing shown: nothing to save
    EXPECT_TRUE(MainButton(*main, IDC_SAVE).IsWindowEnabled());

    Video()->SetPlaySource(1);
    Click(IDC_SAVE);
    EXPECT_FALSE(MainButton(*main, IDC_SAVE).IsWindowEnabled());
    EXPECT_EQ(main->GetTimerInterval(kSaveReapTimer), 1000u);
    auto saver = std::make_unique<FakeSaver>();
    FakeSaver* s = saver.get();
    main->AddSaveThread(std::move(saver));
    Pump(1300);
    EXPECT_FALSE(MainButton(*main, IDC_SAVE).IsWindowEnabled()) << "a saver still runs";
    s->done = true;
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_SAVE).IsWindowEnabled() != FALSE; }, 5000));
    EXPECT_EQ(main->GetTimerInterval(kSaveReapTimer), 0u);
    const auto log = LogBytes();
    ASSERT_GE(log.size(), 8u + 2 * 184u);
    EXPECT_EQ(ReadLe32(log, 8 + 184 + 8), 8u);
    EXPECT_EQ(ReadLe32(log, 8 + 184 + 12), 2u);

    // A saver added from another thread restarts the reaping; Quit joins it while the video
    // window still exists.
    bool videoAliveAtJoin = false;
    std::thread decoder([&] {
        main->AddSaveThread(std::make_unique<FakeSaver>([&] { videoAliveAtJoin = Video()->IsWindow() != FALSE; }));
    });
    decoder.join();
    EXPECT_TRUE(WaitUntil([&] { return main->GetTimerInterval(kSaveReapTimer) == 1000u; }, 5000));
    main->StopEverything();
    EXPECT_TRUE(videoAliveAtJoin);
    EXPECT_EQ(main->PendingSaveThreads(), 0u);
}

TEST_F(MainWindowTest, FullScreenUsesTheMonitorUnderTheWindowOrTheNearest) {
    Open();
    CRect window;
    main->GetWindowRect(&window);
    const CPoint centre((window.left + window.right) / 2, (window.top + window.bottom) / 2);
    Video()->useTable = true;
    auto& table = Video()->monitorTable;
    table[0].cbSize = table[1].cbSize = sizeof(MONITORINFOEX);
    table[0].rcWork = RECT{centre.x + 5000, centre.y, centre.x + 6000, centre.y + 100};
    table[1].rcWork = RECT{centre.x - 10, centre.y - 10, centre.x + 10, centre.y + 10};
    Click(IDC_FULL);
    EXPECT_EQ(Video()->fullScreenOn, 1);

    // No work area holds the centre: the nearest monitor rather than a record past the table.
    table[1].rcWork = RECT{centre.x + 100, centre.y, centre.x + 200, centre.y + 100};
    Click(IDC_FULL);
    EXPECT_EQ(Video()->fullScreenOn, 1);
}

TEST_F(MainWindowTest, CloseRequestsNeverEndTheProgram) {
    Open();
    QCloseEvent close;
    QApplication::sendEvent(main->GetHost(), &close);
    main->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    main->SendMessage(WM_CLOSE);
    MSG altF4{main->GetSafeHwnd(), WM_SYSKEYDOWN, VK_F4, 0, 0, {0, 0}};
    EXPECT_TRUE(main->PreTranslateMessage(&altF4));
    MSG escape{main->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(main->PreTranslateMessage(&escape));
    Pump(100);
    EXPECT_TRUE(main->IsWindow());
    EXPECT_TRUE(main->IsWindowVisible());
}

TEST_F(MainWindowTest, LocalSetupOkAppliesAndSavesCancelRestoresTheBlock) {
    const std::string elsewhere = (m_env.Root() / "elsewhere").string();
    int runs = 0;
    parts.runLocalSetup = [&](CClientDlg&, LocalSetupEdit& edit, WebSetupEdit& web, BYTE alpha) {
        ++runs;
        EXPECT_EQ(alpha, 255);
        edit.DateFormat = 1;
        edit.DrawMode = 1;
        edit.Opacity[8] = 0;
        std::strcpy(edit.Location, elsewhere.c_str());
        web.WebInterval = 9;
        return INT_PTR(runs == 1 ? IDOK : IDCANCEL);
    };
    Open();
    RecordingVideo* before = Video();
    Click(IDC_LSETUP);
    EXPECT_EQ(main->GetSettings().DateFormat, 1u);
    EXPECT_EQ(std::string(main->GetLocation()), elsewhere);
    EXPECT_EQ(main->GetSettings().WebInterval, 9u);
    EXPECT_EQ(main->Opacity(kOpacityNoticeBox), 100) << "applied no lower than 100";
    EXPECT_EQ(Video(), before) << "a new draw mode switches the window the decoders draw into";
    EXPECT_EQ(Video()->GetDrawMode(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(elsewhere + "/Upgrade"));
    const auto log = AppTestEnv::ReadBytes(CLocalLog::PathOf(elsewhere.c_str()));
    ASSERT_EQ(log.size(), 8u + 184u);
    EXPECT_EQ(ReadLe32(log, 8 + 8), 8u);
    EXPECT_EQ(ReadLe32(log, 8 + 12), 1u);
    CLocalSettings stored;
    stored.LoadLocalSetup(StartupStrings{});
    EXPECT_EQ(stored.DateFormat, 1u);
    EXPECT_EQ(stored.Opacity[8], 0);

    Click(IDC_LSETUP); // edits the block, then cancels
    EXPECT_EQ(main->GetAppliedSetup().DateFormat, 1);
    EXPECT_EQ(main->GetAppliedSetup().Opacity[8], 0);
    EXPECT_EQ(main->GetAppliedWebSetup().WebInterval, 9u);
    EXPECT_EQ(MainButton(*main, IDC_LSETUP).GetState(), kButtonNormal);
}

TEST_F(MainWindowTest, AudioStateOfAChannelNeedsItsSource) {
    Open();
    EXPECT_EQ(main->GetChannelAudioState(1, 0), -1);
    EXPECT_EQ(main->GetChannelAudioState(3, 0), -1);
    EXPECT_EQ(main->GetChannelAudioState(0, 0), -1);
    main->SetClient(std::make_unique<CDvrClient>(DvrClientSeams{main.get(), Video(), Video()}));
    EXPECT_EQ(main->GetChannelAudioState(2, 0), 0);
}

} // namespace
