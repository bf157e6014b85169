// The PTZ pads: where they may stand, the keypad's numbers and codes, the moves and presets they hand
// the main window, and the dome menu commands they send on the connection (a scripted recorder).
#include "app/PtzControlDlg.h"
#include "app/PtzDialogSet.h"
#include "app/PtzKeypadDlg.h"
#include "app/PtzMenuDlg.h"
#include "app/PtzPlacement.h"
#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "tests/app/ShellDialogTestSupport.h"

#include <tuple>
#include <vector>

namespace {

using namespace shelltest;

// ---- placement

WINDOWPOS At(int x, int y, int cx = 50, int cy = 100) {
    WINDOWPOS pos{};
    pos.x = x;
    pos.y = y;
    pos.cx = cx;
    pos.cy = cy;
    return pos;
}

TEST(PtzPlacement, PadsSnapToTheVideoEdgesAndNeverLeaveIt) {
    const RECT video{100, 100, 900, 700};
    struct Case {
        int x, y;
        int wantX, wantY;
    };
    const Case cases[] = {
        {400, 300, 400, 300},   // well inside: unchanged
        {119, 300, 100, 300},   // within 20 of the left edge
        {120, 300, 120, 300},   // just outside the snapping distance
        {400, 115, 400, 100},   // top
        {835, 300, 850, 300},   // right: x + 50 + 20 > 900
        {400, 585, 400, 600},   // bottom: y + 100 + 20 > 700
        {-500, -500, 100, 100}, // dragged off the video area: held at its corner
        {2000, 2000, 850, 600},
    };
    for (const Case& c : cases) {
        WINDOWPOS pos = At(c.x, c.y);
        PlacePtzWindow(video, nullptr, pos);
        EXPECT_EQ(pos.x, c.wantX) << c.x << "," << c.y;
        EXPECT_EQ(pos.y, c.wantY) << c.x << "," << c.y;
    }
}

TEST(PtzPlacement, TheMenuPadDocksBesideTheControlPad) {
    const RECT video{0, 0, 1000, 800};
    const RECT pad{400, 300, 547, 471}; // the control pad, 147 x 171
    struct Case {
        const char* what;
        RECT area;
        int x, y;
        int wantX, wantY;
    };
    const Case cases[] = {
        {"right, within reach", video, 560, 330, 547, 300},
        {"right, out of reach", video, 600, 330, 600, 330},
        {"left, within reach", video, 336, 330, 346, 300}, // x + 54 < 400 and (400 - 54) - x < 20
        {"left, out of reach", video, 250, 330, 250, 330},
        {"over it, centre right", video, 480, 350, 547, 300},
        {"over it, centre left", video, 410, 350, 346, 300},
        {"over it, no room right", RECT{0, 0, 560, 800}, 480, 350, 346, 300},
        {"over it, no room left", RECT{380, 0, 1000, 800}, 410, 350, 547, 300},
        {"above it", video, 480, 100, 480, 100},
    };
    for (const Case& c : cases) {
        WINDOWPOS pos = At(c.x, c.y, 54, 171);
        PlacePtzWindow(c.area, &pad, pos);
        EXPECT_EQ(pos.x, c.wantX) << c.what;
        EXPECT_EQ(pos.y, c.wantY) << c.what;
    }
}

// ---- keypad numbers

TEST(PtzKeypadNumbers, PresetsKeepTheirLastThreeDigitsLearnNumbersOne) {
    struct Case {
        const char* what;
        int mode;
        std::vector<int> keys; // 1-9, 10 for the 0 key
        int number;
    };
    const Case cases[] = {
        {"1 2 3 4", CPtzKeypadDlg::kModePreset, {1, 2, 3, 4}, 234},
        {"0 first", CPtzKeypadDlg::kModePreset, {10, 5}, 5},
        {"5 0 0", CPtzKeypadDlg::kModePreset, {5, 10, 10}, 500},
        {"5 0 0 0", CPtzKeypadDlg::kModePreset, {5, 10, 10, 10}, 0},
        {"learn keeps the last", CPtzKeypadDlg::kModeLearn, {3, 7}, 7},
        {"learn 0", CPtzKeypadDlg::kModeLearn, {3, 10}, 0},
    };
    for (const Case& c : cases) {
        int number = 0;
        for (int key : c.keys) {
            number = CPtzKeypadDlg::NextNumber(c.mode, number, key);
        }
        EXPECT_EQ(number, c.number) << c.what;
    }
    EXPECT_EQ(CPtzKeypadDlg::ActionCode(CPtzKeypadDlg::kModePreset, CPtzKeypadDlg::kActionCall), 1);
    EXPECT_EQ(CPtzKeypadDlg::ActionCode(CPtzKeypadDlg::kModePreset, CPtzKeypadDlg::kActionSet), 0);
    EXPECT_EQ(CPtzKeypadDlg::ActionCode(CPtzKeypadDlg::kModeLearn, CPtzKeypadDlg::kActionCall), 4);
    EXPECT_EQ(CPtzKeypadDlg::ActionCode(CPtzKeypadDlg::kModeLearn, CPtzKeypadDlg::kActionSet), 2);
}

// ---- the pads as windows

class PtzPads : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main.Make());
        host.main = &main;
        host.connection = peer.client;
        set = std::make_unique<CPtzDialogSet>(host);
    }
    void TearDown() override {
        set.reset();
        main.DestroyWindow();
        Flush();
    }
    CPtzControlDlg& Pad() {
        CPtzControlDlg* pad = set->ControlPad();
        EXPECT_NE(pad, nullptr);
        return *pad;
    }
    CPtzKeypadDlg& Keypad() {
        set->ShowPtzKeypad();
        Flush();
        CPtzKeypadDlg* keypad = set->Keypad();
        EXPECT_NE(keypad, nullptr);
        return *keypad;
    }
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> Moves() const { return main.Of(WM_KELO_PTZ_MOVE); }
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> Presets() const { return main.Of(WM_KELO_PTZ_KEYPAD); }
    // The dome command of the next PTZ_MOVE_REQ the recorder reads.
    int ReadDomeCommand() {
        auto m = peer.Read();
        if (!m || m->id != Msg::PTZ_MOVE_REQ || m->length != 4 || m->payload[1] != 0 || m->payload[2] != 0 ||
            m->payload[3] != 0) {
            return -1;
        }
        return m->payload[0];
    }

    MainStandIn main;
    FakeShellHost host;
    ScriptedPeer peer;
    std::unique_ptr<CPtzDialogSet> set;
};

TEST_F(PtzPads, DirectionsSendPressAndReleaseToTheMainWindowOnceTheCameraCanMove) {
    set->ShowPtzDlg(0);
    Flush();
    CPtzControlDlg& pad = Pad();
    EXPECT_EQ(host.registered[ClientWindow::PtzDialog], pad.GetSafeHwnd());
    // Before the recorder says the channel has PTZ, the arrows do nothing.
    Click(pad.m_btnUp);
    EXPECT_TRUE(Moves().empty());

    pad.SendMessage(WM_KELO_PTZ_AVAILABILITY, 2, 1);
    struct Case {
        CSkinButton CPtzControlDlg::*button;
        LPARAM direction;
    };
    const Case cases[] = {{&CPtzControlDlg::m_btnUp, 0},
                          {&CPtzControlDlg::m_btnDown, 1},
                          {&CPtzControlDlg::m_btnLeft, 2},
                          {&CPtzControlDlg::m_btnRight, 3},
                          {&CPtzControlDlg::m_btnCentrePan, 4}};
    for (const Case& c : cases) {
        main.messages.clear();
        Click(pad.*(c.button));
        const auto moves = Moves();
        ASSERT_EQ(moves.size(), 2u) << c.direction;
        EXPECT_EQ(moves[0], std::make_tuple(WM_KELO_PTZ_MOVE, WPARAM(0), c.direction)); // pressed
        EXPECT_EQ(moves[1], std::make_tuple(WM_KELO_PTZ_MOVE, WPARAM(1), c.direction)); // released
    }

    // A move held while the camera becomes unavailable is still released.
    main.messages.clear();
    pad.m_btnLeft.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    pad.SendMessage(WM_KELO_PTZ_AVAILABILITY, 1, 1);
    Flush();
    const auto moves = Moves();
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(std::get<1>(moves[1]), WPARAM(1));
    EXPECT_FALSE(pad.m_btnLeft.IsWindowEnabled());
}

TEST_F(PtzPads, ModesShowTheirCentreButtonAndTheModeButtonsToggleThroughTheMainWindow) {
    set->ShowPtzDlg(1);
    Flush();
    CPtzControlDlg& pad = Pad();
    EXPECT_FALSE(Visible(pad.m_btnCentrePan));
    EXPECT_TRUE(Visible(pad.m_btnCentreZoom));
    set->ShowPtzDlg(0); // an open pad takes the new mode
    Flush();
    EXPECT_EQ(set->ControlPad(), &pad);
    EXPECT_TRUE(Visible(pad.m_btnCentrePan));
    EXPECT_FALSE(Visible(pad.m_btnCentreZoom));

    Click(pad.m_btnPan); // already panning
    EXPECT_EQ(host.panCalls, 0);
    Click(pad.m_btnZoom);
    EXPECT_EQ(host.zoomCalls, 1);

    // X leaves PTZ through the main window's command of the current mode, which closes the pads.
    host.onPan = [&] { set->CloseAll(); };
    Click(pad.m_btnClose);
    EXPECT_EQ(host.panCalls, 1);
    Flush();
    EXPECT_EQ(set->ControlPad(), nullptr);
    EXPECT_EQ(host.registered[ClientWindow::PtzDialog], nullptr);
}

TEST_F(PtzPads, KeypadPresetsGoToTheMainWindowAndOnlyACalledPresetKeepsItOpen) {
    CPtzKeypadDlg& keypad = Keypad();
    for (int key : {1, 2, 3, 4}) {
        Click(keypad.m_btnDigit[std::size_t(key - 1)]);
    }
    EXPECT_EQ(keypad.GetNumber(), 234);
    Click(keypad.m_btnOk);
    ASSERT_EQ(Presets().size(), 1u);
    EXPECT_EQ(Presets()[0], std::make_tuple(WM_KELO_PTZ_KEYPAD, WPARAM(1), LPARAM(234)));
    EXPECT_EQ(set->Keypad(), &keypad);
    EXPECT_EQ(keypad.GetNumber(), 0);

    Click(keypad.m_btnOk); // nothing typed: nothing sent
    EXPECT_EQ(Presets().size(), 1u);
    Click(keypad.m_btnTour); // a tour is preset call 0
    ASSERT_EQ(Presets().size(), 2u);
    EXPECT_EQ(Presets()[1], std::make_tuple(WM_KELO_PTZ_KEYPAD, WPARAM(1), LPARAM(0)));

    Click(keypad.m_btnSet);
    EXPECT_FALSE(Visible(keypad.m_btnTour));
    Click(keypad.m_btnDigit[6]);
    Click(keypad.m_btnOk);
    ASSERT_EQ(Presets().size(), 3u);
    EXPECT_EQ(Presets()[2], std::make_tuple(WM_KELO_PTZ_KEYPAD, WPARAM(0), LPARAM(7)));
    EXPECT_EQ(set->Keypad(), nullptr); // a set preset closes the keypad
    EXPECT_TRUE(peer.Quiet(50));
}

TEST_F(PtzPads, LearnModeTakesOneDigitAndHidesZeroAndTour) {
    CPtzKeypadDlg& keypad = Keypad();
    Click(keypad.m_btnLearn);
    EXPECT_FALSE(Visible(keypad.m_btnDigit[9]));
    EXPECT_FALSE(Visible(keypad.m_btnTour));
    Click(keypad.m_btnDigit[2]);
    Click(keypad.m_btnDigit[4]);
    EXPECT_EQ(keypad.GetNumber(), 5);
    Click(keypad.m_btnSet);
    Click(keypad.m_btnDigit[3]);
    Click(keypad.m_btnOk);
    ASSERT_EQ(Presets().size(), 1u);
    EXPECT_EQ(Presets()[0], std::make_tuple(WM_KELO_PTZ_KEYPAD, WPARAM(2), LPARAM(4)));
}

TEST_F(PtzPads, ARestrictedAccountCannotSetPresets) {
    host.hello.account = 1;
    CPtzKeypadDlg& keypad = Keypad();
    EXPECT_FALSE(keypad.m_btnSet.IsWindowEnabled());
    keypad.SendMessage(WM_COMMAND, MAKEWPARAM(CPtzKeypadDlg::kIdSet, BN_CLICKED), 0);
    EXPECT_EQ(keypad.GetAction(), CPtzKeypadDlg::kActionCall);
}

TEST_F(PtzPads, WithoutAConnectionTheKeypadClosesInsteadOfSending) {
    peer.client->Close();
    CPtzKeypadDlg& keypad = Keypad();
    Click(keypad.m_btnDigit[0]);
    Click(keypad.m_btnOk);
    Flush();
    EXPECT_TRUE(Presets().empty());
    EXPECT_EQ(set->Keypad(), nullptr);
}

TEST_F(PtzPads, TheDomeMenuOpensAndClosesWithItsCommandsOnTheConnection) {
    set->ShowPtzDlg(0);
    Flush();
    CPtzKeypadDlg& keypad = Keypad();
    Click(keypad.m_btnDome);
    EXPECT_EQ(ReadDomeCommand(), 13);
    Flush();
    EXPECT_EQ(set->Keypad(), nullptr);
    ASSERT_NE(set->MenuPad(), nullptr);
    EXPECT_TRUE(Pad().IsDomeMenuOpen());
    EXPECT_TRUE(host.domeMenuActive);
    EXPECT_EQ(host.registered[ClientWindow::PtzMenu], set->MenuPad()->GetSafeHwnd());

    CPtzMenuDlg& menu = *set->MenuPad();
    Click(menu.m_btnSelect);
    EXPECT_EQ(ReadDomeCommand(), 14);
    Click(menu.m_btnPrev);
    EXPECT_EQ(ReadDomeCommand(), 15);
    Click(menu.m_btnClose);
    EXPECT_EQ(ReadDomeCommand(), 16);
    Flush();
    EXPECT_EQ(set->MenuPad(), nullptr);
    EXPECT_FALSE(Pad().IsDomeMenuOpen());
    EXPECT_FALSE(host.domeMenuActive);
}

TEST_F(PtzPads, TheMenuPadSwitchesAZoomingPadToPanAndTilt) {
    set->ShowPtzDlg(1);
    Flush();
    host.onPan = [&] { set->ShowPtzDlg(0); };
    set->ShowIdd994Dlg();
    Flush();
    EXPECT_EQ(host.panCalls, 1);
    EXPECT_EQ(Pad().GetMode(), 0);
}

TEST_F(PtzPads, CloseAllTakesEveryPadDownAndClearsTheDomeMenu) {
    set->ShowPtzDlg(0);
    Flush();
    Click(Keypad().m_btnDome);
    Flush();
    set->ShowPtzKeypad();
    ASSERT_NE(set->MenuPad(), nullptr);
    ASSERT_NE(set->Keypad(), nullptr);
    set->CloseAll();
    Flush();
    EXPECT_EQ(set->ControlPad(), nullptr);
    EXPECT_EQ(set->Keypad(), nullptr);
    EXPECT_EQ(set->MenuPad(), nullptr);
    EXPECT_FALSE(host.domeMenuActive);
    for (ClientWindow which : {ClientWindow::PtzDialog, ClientWindow::PtzKeypad, ClientWindow::PtzMenu}) {
        EXPECT_EQ(host.registered[which], nullptr);
    }
}

TEST_F(PtzPads, APadClosingWhenEverythingClosesGoesToo) {
    CPtzKeypadDlg& keypad = Keypad();
    const HWND hwnd = keypad.GetSafeHwnd();
    keypad.SendMessage(WM_COMMAND, MAKEWPARAM(CPtzKeypadDlg::kIdClose, BN_CLICKED), 0);
    EXPECT_EQ(set->Keypad(), nullptr); // out of its slot at once: a new keypad may open
    set->CloseAll();                   // before the keypad's own close came
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(PtzPads, AnAnswerThatCameBeforeThePadIsTaken) {
    host.ptzAvailability = 2;
    set->ShowPtzDlg(0);
    Flush();
    EXPECT_TRUE(Pad().m_btnUp.IsWindowEnabled());
    set->CloseAll();
    host.ptzAvailability = 1;
    set->ShowPtzDlg(0);
    Flush();
    EXPECT_FALSE(Pad().m_btnUp.IsWindowEnabled());
    EXPECT_FALSE(Pad().m_btnCentrePan.IsWindowEnabled());
}

TEST_F(PtzPads, DraggingKeepsThePadInsideTheVideoArea) {
    host.video = RECT{150, 150, 900, 700};
    set->ShowPtzDlg(0);
    Flush();
    CPtzControlDlg& pad = Pad();
    pad.SetWindowPos(nullptr, 160, 2000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT r{};
    pad.GetWindowRect(&r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.bottom, 700);
}

TEST_F(PtzPads, TheCentreButtonsPressOpensTheKeypad) {
    set->ShowPtzDlg(0);
    Flush();
    set->OnPtzKeypadButton(1, 4); // a release opens nothing
    EXPECT_EQ(set->Keypad(), nullptr);
    set->OnPtzKeypadButton(0, 4);
    Flush();
    EXPECT_NE(set->Keypad(), nullptr);
}

} // namespace
