// The real program under a virtual X server: it connects to the simulator through its connect dialog
// (answered by the program's test hook), logs in, and leaves a picture of its main window in the
// build folder.
#include "tests/app/AppTestEnv.h"
#include "tests/e2e/ProcessSupport.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <set>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

TEST(SmokeTest, TheProgramConnectsToTheSimulatorAndShowsItsMainWindow) {
    const std::string program = BinDir() + "/kelo1000";
    KELO_REQUIRE(XvfbProcess::Available() && SimProcess::Available() && ::access(program.c_str(), X_OK) == 0,
                 "Xvfb, the simulator or the program is missing");
    AppTestEnv env;
    XvfbProcess x;
    ASSERT_TRUE(x.Start());
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--resolution", "cif", "--loop-seconds", "1"}));

    const std::string shot = (std::filesystem::path(BinDir()).parent_path() / "e2e-main-window.png").string();
    std::filesystem::remove(shot);
    const std::string output = (env.Root() / "kelo1000.log").string();
    std::map<std::string, std::string> clientEnv = ClientEnvOn(x.Display(), sim.Port());
    clientEnv["KELO_TEST_SCREENSHOT"] = shot;
    // Time for every channel's first pictures to reach its tile.
    clientEnv["KELO_TEST_SCREENSHOT_DELAY_MS"] = "6000";
    clientEnv["KELO_TEST_QUIT_AFTER_SCREENSHOT"] = "1";
    const pid_t pid = SpawnWithEnv(program, clientEnv, output);
    ASSERT_GT(pid, 0);
    const int status = kelotest::WaitForExit(pid, 120000);
    EXPECT_EQ(status, 0) << Slurp(output);

    EXPECT_TRUE(sim.WaitLog("sim: recv HELLO", 30000));
    EXPECT_TRUE(sim.WaitLog("sim: recv LIVE_REQ", 30000));
    EXPECT_TRUE(sim.WaitLog("sim: recv BYE48", 30000)) << "Quit ends the connection before the program goes";

    const QImage picture(QString::fromStdString(shot));
    ASSERT_FALSE(picture.isNull()) << shot;
    EXPECT_EQ(picture.width(), 928);
    EXPECT_EQ(picture.height(), 698);
    // The skinned face around the video area, not one flat colour.
    EXPECT_NE(picture.pixel(20, 300), picture.pixel(71, 41)); // the Connect button
    EXPECT_NE(picture.pixel(20, 300), picture.pixel(460, 340));
    // Live video: every simulated channel has a colour of its own, so the plain corner of each of the
    // 16 tiles shows many different colours; blank tiles would all show one.
    std::set<QRgb> tileColours;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QRgb c = picture.pixel(53 + column * 204 + 170, 72 + row * 137 + 100);
            tileColours.insert(qRgb(qRed(c) & 0xE0, qGreen(c) & 0xE0, qBlue(c) & 0xE0));
        }
    }
    EXPECT_GE(tileColours.size(), 10u) << "the tiles do not show the channels' pictures: " << shot;

    // The local log: start, login, disconnect, end.
    const auto log = AppTestEnv::ReadBytes(env.Home() / "H264" / "Log" / "KELO1000.log");
    ASSERT_GE(log.size(), 8u + 4 * 184u);
    std::vector<std::pair<unsigned, unsigned>> kinds;
    for (std::size_t slot = 0; 8 + (slot + 1) * 184 <= log.size(); ++slot) {
        kinds.emplace_back(ReadLe32(log, 8 + slot * 184 + 8), ReadLe32(log, 8 + slot * 184 + 12));
    }
    const std::vector<std::pair<unsigned, unsigned>> expected = {{1, 1}, {2, 1}, {2, 2}, {1, 2}};
    EXPECT_EQ(kinds, expected);
}

TEST(SmokeTest, TerminatingTheProgramRunsTheQuitSequence) {
    const std::string program = BinDir() + "/kelo1000";
    KELO_REQUIRE(XvfbProcess::Available() && SimProcess::Available() && ::access(program.c_str(), X_OK) == 0,
                 "Xvfb, the simulator or the program is missing");
    AppTestEnv env;
    XvfbProcess x;
    ASSERT_TRUE(x.Start());
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--resolution", "cif", "--loop-seconds", "1"}));
    const std::string output = (env.Root() / "kelo1000.log").string();
    const pid_t pid = SpawnWithEnv(program, ClientEnvOn(x.Display(), sim.Port()), output);
    ASSERT_GT(pid, 0);
    // Live view runs once the client has the channel information the simulator sends before its
    // first picture; a quit while LIVE_REQ is still unanswered has no live view to stop.
    ASSERT_TRUE(sim.WaitLog("sim: send LIVE_DATA", 60000));
    ::kill(pid, SIGTERM);
    EXPECT_EQ(kelotest::WaitForExit(pid, 60000), 0) << Slurp(output);
    // Live view was stopped and the connection ended before the program went.
    EXPECT_TRUE(sim.WaitLog("sim: recv LIVE_STOP", 30000));
    EXPECT_TRUE(sim.WaitLog("sim: recv BYE48", 30000));
    const auto log = AppTestEnv::ReadBytes(env.Home() / "H264" / "Log" / "KELO1000.log");
    ASSERT_GE(log.size(), 8u + 184u);
    const std::size_t last = (log.size() - 8) / 184 - 1;
    EXPECT_EQ(ReadLe32(log, 8 + last * 184 + 8), 1u);
    EXPECT_EQ(ReadLe32(log, 8 + last * 184 + 12), 2u);
}

} // namespace
