// The program as a user installs it: the install tree under a prefix of its own, the desktop entry
// and the metainfo as the desktop's validators read them, the Debian package, the installed client
// against the installed simulator from a folder outside the source and build trees, its window icon
// on a virtual X server, and its command line.
#include "app/OsVersion.h"
#include "archive/InfoText.h"
#include "tests/app/AppTestEnv.h"
#include "tests/e2e/ProcessSupport.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kBuildDir = KELO_BUILD_DIR;
const std::string kSourceDir = KELO_SOURCE_DIR_PATH;
const std::string kLibDir = KELO_INSTALL_LIBDIR; // relative to the prefix
const std::string kAppId = "com.velmar.kelo1000";
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Starts a program in `folder` with the environment changed by `env` (an empty value removes the
// name); its output goes to files in `logs` (named after `tag`). -1 when it could not be started.
pid_t Spawn(const std::vector<std::string>& command, const std::map<std::string, std::string>& env,
            const fs::path& folder, const fs::path& logs, const std::string& tag) {
    std::vector<std::string> entries = EnvironmentWith(env);
    std::vector<char*> envp = kelotest::ArgvOf(entries);
    std::vector<std::string> args = command;
    std::vector<char*> argv = kelotest::ArgvOf(args);
    const std::string out = (logs / (tag + ".out")).string();
    const std::string err = (logs / (tag + ".err")).string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// Runs a program to its end (two minutes at most).
Outcome RunToEnd(const std::vector<std::string>& command, const fs::path& folder, const fs::path& logs,
                 const std::map<std::string, std::string>& env = {}) {
    static int runs = 0;
    const std::string tag = "run" + std::to_string(++runs);
    Outcome outcome;
    const pid_t pid = Spawn(command, env, folder, logs, tag);
    if (pid <= 0) {
        return outcome;
    }
    outcome.status = kelotest::WaitForExit(pid, 120000);
    outcome.out = Slurp(logs / (tag + ".out"));
    outcome.err = Slurp(logs / (tag + ".err"));
    return outcome;
}

// The RUNPATH (or RPATH) of an ELF file, empty when it has none.
std::string RunPathOf(const fs::path& file, const fs::path& logs) {
    const Outcome dump = RunToEnd({"readelf", "-d", file.string()}, logs, logs);
    const std::regex entry(R"(\((?:RUNPATH|RPATH)\)\s+Library (?:runpath|rpath): \[([^\]]*)\])");
    std::smatch match;
    return std::regex_search(dump.out, match, entry) ? match[1].str() : std::string();
}

// The sizes of the pictures in a window's _NET_WM_ICON, as xprop reads them.
std::set<int> IconSizesOf(const std::string& display, const std::string& window, const fs::path& logs) {
    // The pictures of every size together come to some 350 KB, more than xprop reads by default.
    const Outcome prop =
        RunToEnd({"xprop", "-display", display, "-len", "4000000", "-id", window, "_NET_WM_ICON"}, logs, logs);
    std::set<int> sizes;
    const std::regex picture(R"(Icon \((\d+) x (\d+)\))");
    for (std::sregex_iterator it(prop.out.begin(), prop.out.end(), picture), end; it != end; ++it) {
        if ((*it)[1] == (*it)[2]) {
            sizes.insert(std::stoi((*it)[1]));
        }
    }
    return sizes;
}

// An install of the build tree under a fresh prefix in /tmp, outside the source and build trees.
class InstalledTree : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/kelo-install-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_root = name;
        m_prefix = m_root / "prefix";
        m_logs = m_root / "logs";
        m_work = m_root / "work";
        fs::create_directories(m_logs);
        fs::create_directories(m_work);
        const Outcome install =
            RunToEnd({KELO_CMAKE_COMMAND, "--install", kBuildDir, "--prefix", m_prefix.string()}, m_work, m_logs);
        ASSERT_EQ(install.status, 0) << install.out << install.err;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    // The environment of the installed client on the X server `display`: nothing of the build tree
    // reaches it, and no desktop service.
    std::map<std::string, std::string> ClientEnv(const AppTestEnv& home) const {
        return {{"HOME", home.Home().string()},
                {"XDG_CONFIG_HOME", (home.Root() / "config").string()},
                {"LD_LIBRARY_PATH", ""},
                {"KELO_BIN_DIR", ""},
                {"KELO_SOURCE_DIR", ""},
                {"KELO_MIXER_DEVICE", "none"},
                {"KELO_REMOVABLE_MEDIA", "0"},
                {"DBUS_SESSION_BUS_ADDRESS", "disabled:"},
                {"WAYLAND_DISPLAY", ""},
                {"XDG_SESSION_TYPE", ""},
                // The X keyboard library hands strndup unterminated names, which the strict string
                // checks of the test runs take for overflows.
                {"ASAN_OPTIONS", "detect_leaks=1:abort_on_error=0"}};
    }
    std::string Client() const { return (m_prefix / "bin" / "kelo1000").string(); }

    fs::path m_root, m_prefix, m_logs, m_work;
};

TEST_F(InstalledTree, HoldsTheProgramsTheirLibrariesTheDesktopFilesAndTheDocs) {
    std::set<std::string> expected = {
        "bin/kelo1000",
        "bin/kelo-recorder-sim",
        kLibDir + "/kelo1000/libH264_D1.so",
        kLibDir + "/kelo1000/libKeloRes.so",
        "share/applications/" + kAppId + ".desktop",
        "share/metainfo/" + kAppId + ".metainfo.xml",
        "share/icons/hicolor/scalable/apps/kelo1000.svg",
        "share/doc/kelo1000/README.md",
        "share/doc/kelo1000/architecture.md",
        "share/doc/kelo1000/installing.md",
        "share/doc/kelo1000/performance.md",
        "share/doc/kelo1000/reliability.md",
    };
    for (const int n : kIconSizes) {
        expected.insert("share/icons/hicolor/" + std::to_string(n) + "x" + std::to_string(n) + "/apps/kelo1000.png");
    }
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(m_prefix)) {
        if (entry.is_regular_file()) {
            found.insert(fs::relative(entry.path(), m_prefix).string());
        }
    }
    EXPECT_EQ(found, expected);

    // The icon theme holds the same drawing at every size.
    for (const int n : kIconSizes) {
        const std::string size = std::to_string(n) + "x" + std::to_string(n);
        const QImage icon(
            QString::fromStdString((m_prefix / "share/icons/hicolor" / size / "apps/kelo1000.png").string()));
        EXPECT_EQ(icon.width(), n) << size;
        EXPECT_EQ(icon.height(), n) << size;
        EXPECT_TRUE(icon.hasAlphaChannel()) << size;
    }
    // The scalable icon, as the desktop's SVG renderer draws it, is the same drawing as the pictures.
    const fs::path svg = m_prefix / "share/icons/hicolor/scalable/apps/kelo1000.svg";
    const fs::path drawn = m_work / "scalable-64.png";
    const Outcome render =
        RunToEnd({"rsvg-convert", "-w", "64", "-h", "64", svg.string(), "-o", drawn.string()}, m_work, m_logs);
    ASSERT_EQ(render.status, 0) << render.err;
    const QImage fromSvg = QImage(QString::fromStdString(drawn.string())).convertToFormat(QImage::Format_ARGB32);
    const QImage picture =
        QImage(QString::fromStdString((m_prefix / "share/icons/hicolor/64x64/apps/kelo1000.png").string()))
            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(fromSvg.size(), picture.size());
    double difference = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QRgb a = fromSvg.pixel(x, y);
            const QRgb b = picture.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
        }
    }
    EXPECT_LT(difference / (64 * 64 * 4), 4.0) << "mean difference per channel of the SVG and the 64-pixel picture";

    // The client finds its libraries relative to itself; nothing else carries a search path.
    EXPECT_EQ(RunPathOf(m_prefix / "bin/kelo1000", m_logs), "$ORIGIN/../" + kLibDir + "/kelo1000");
    for (const char* file : {"bin/kelo-recorder-sim", "libH264_D1.so", "libKeloRes.so"}) {
        const fs::path path =
            std::string(file).starts_with("bin/") ? m_prefix / file : m_prefix / kLibDir / "kelo1000" / file;
        const std::string runPath = RunPathOf(path, m_logs);
        EXPECT_EQ(runPath.find(kBuildDir), std::string::npos) << file << ": " << runPath;
    }
    // No text of the tree names the build or the source folder.
    for (const std::string& file : found) {
        if (file.starts_with("share/")) {
            const std::string text = Slurp(m_prefix / file);
            EXPECT_EQ(text.find(kBuildDir), std::string::npos) << file;
            EXPECT_EQ(text.find(kSourceDir), std::string::npos) << file;
        }
    }

    // The desktop's own validators accept the entry and the metainfo.
    const fs::path desktop = m_prefix / "share/applications" / (kAppId + ".desktop");
    const Outcome entry = RunToEnd({"desktop-file-validate", desktop.string()}, m_work, m_logs);
    EXPECT_EQ(entry.status, 0) << entry.out << entry.err;
    EXPECT_EQ(entry.out + entry.err, "");
    const Outcome meta = RunToEnd(
        {"appstreamcli", "validate", "--no-net", (m_prefix / "share/metainfo" / (kAppId + ".metainfo.xml")).string()},
        m_work, m_logs);
    EXPECT_EQ(meta.status, 0) << meta.out << meta.err;
    const Outcome tree = RunToEnd({"appstreamcli", "validate-tree", "--no-net", m_prefix.string()}, m_work, m_logs);
    EXPECT_EQ(tree.status, 0) << tree.out << tree.err;
    const std::string text = Slurp(desktop);
    EXPECT_NE(text.find("\nExec=kelo1000\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=kelo1000\n"), std::string::npos);
    EXPECT_NE(text.find("\nTerminal=false\n"), std::string::npos);
}

TEST_F(InstalledTree, TheClientRunsAgainstTheInstalledSimulatorFromAnyFolder) {
    KELO_REQUIRE(XvfbProcess::Available(), "Xvfb is missing");
    AppTestEnv home;
    XvfbProcess x;
    ASSERT_TRUE(x.Start());
    SimProcess sim;
    {
        const ScopedEnv installedSim("KELO_BIN_DIR", (m_prefix / "bin").c_str());
        ASSERT_TRUE(sim.Start({"--resolution", "cif", "--loop-seconds", "1"}));
    }
    // As ./run.sh runs it without a screen: a virtual display, the connect dialog answered, a picture.
    const fs::path shot = m_work / "main-window.png";
    std::map<std::string, std::string> env = ClientEnv(home);
    env["DISPLAY"] = x.Display();
    env["QT_QPA_PLATFORM"] = "";
    env["KELO_TEST_CONNECT"] = "127.0.0.1:" + std::to_string(sim.Port()) + ":admin:1234";
    env["KELO_TEST_SCREENSHOT"] = shot.string();
    env["KELO_TEST_SCREENSHOT_DELAY_MS"] = "6000";
    env["KELO_TEST_QUIT_AFTER_SCREENSHOT"] = "1";
    const Outcome run = RunToEnd({Client()}, m_work, m_logs, env);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    // Both libraries were found where the tree put them.
    EXPECT_EQ(run.err.find("library"), std::string::npos) << run.err;
    EXPECT_TRUE(sim.WaitLog("sim: recv LIVE_REQ", 30000));

    const QImage picture(QString::fromStdString(shot.string()));
    ASSERT_FALSE(picture.isNull()) << shot;
    EXPECT_EQ(picture.width(), 928);
    EXPECT_EQ(picture.height(), 698);
    EXPECT_NE(picture.pixel(20, 300), picture.pixel(71, 41)) << "the skin comes from the resource library";
    // Every simulated channel has a colour of its own: live tiles show many, blank tiles one.
    std::set<QRgb> tileColours;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QRgb c = picture.pixel(53 + column * 204 + 170, 72 + row * 137 + 100);
            tileColours.insert(qRgb(qRed(c) & 0xE0, qGreen(c) & 0xE0, qBlue(c) & 0xE0));
        }
    }
    EXPECT_GE(tileColours.size(), 10u) << "the tiles do not show the channels' pictures";
}

TEST_F(InstalledTree, EveryTopLevelWindowCarriesTheIconInEverySize) {
    KELO_REQUIRE(XvfbProcess::Available(), "Xvfb is missing");
    AppTestEnv home;
    XvfbProcess x;
    ASSERT_TRUE(x.Start());
    // The display is named by Qt's own option, not by DISPLAY: Qt's options keep working.
    std::map<std::string, std::string> env = ClientEnv(home);
    env["DISPLAY"] = "";
    env["QT_QPA_PLATFORM"] = "";
    const pid_t pid = Spawn({Client(), "-display", x.Display()}, env, m_work, m_logs, "client");
    ASSERT_GT(pid, 0);
    // The main window and the connect dialog it opens by itself.
    std::vector<std::string> windows;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (windows.size() < 2 && std::chrono::steady_clock::now() < end) {
        const Outcome search = RunToEnd({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid), ""},
                                        m_work, m_logs, {{"DISPLAY", x.Display()}});
        windows.clear();
        for (const std::string& window : Lines(search.out)) {
            const Outcome owner =
                RunToEnd({"xprop", "-display", x.Display(), "-id", window, "_NET_WM_PID"}, m_work, m_logs);
            if (owner.out.find(" = " + std::to_string(pid) + "\n") != std::string::npos) {
                windows.push_back(window);
            }
        }
        if (windows.size() < 2) {
            ::usleep(200000);
        }
    }
    ASSERT_GE(windows.size(), 2u) << Slurp(m_logs / "client.err");
    const std::set<int> all(std::begin(kIconSizes), std::end(kIconSizes));
    for (const std::string& window : windows) {
        const Outcome name = RunToEnd({"xprop", "-display", x.Display(), "-id", window, "WM_NAME"}, m_work, m_logs);
        EXPECT_EQ(IconSizesOf(x.Display(), window, m_logs), all) << name.out;
    }
    ::kill(pid, SIGTERM);
    EXPECT_EQ(kelotest::WaitForExit(pid, 60000), 0) << Slurp(m_logs / "client.err");
}

TEST_F(InstalledTree, TheCommandLineAnswersAsEveryProgramDoes) {
    // The version the information page shows, " 1.0.0.0".
    WORD version[4] = {};
    ASSERT_TRUE(GetModuleVersion(Client().c_str(), version));
    const CString shown = VersionRow(version, [](UINT) { return CString(); })[1];
    const std::string versionLine = "KELO1000 Client" + std::string(LPCTSTR(shown)) + "\n";
    ASSERT_EQ(versionLine, "KELO1000 Client 1.0.0.0\n");

    const std::map<std::string, std::string> noDisplay = {
        {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
    struct Case {
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
        int status;
        std::string out; // the whole standard output, or a part of it when `outPart` is set
        bool outPart;
        std::string errLine; // a part of the one line on standard error; empty: nothing there
    };
    const Case cases[] = {
        {{"--help"}, noDisplay, 0, "Usage: kelo1000 [option]\n", true, ""},
        {{"-h"}, noDisplay, 0, "  --version      print the program's version and exit\n", true, ""},
        {{"--version"}, noDisplay, 0, versionLine, false, ""},
        // Qt's own options before ours change nothing.
        {{"-platform", "offscreen", "--style=Fusion", "--version"}, noDisplay, 0, versionLine, false, ""},
        {{"--verbose"}, noDisplay, 2, "", false, "unknown option '--verbose'"},
        {{"-display"}, noDisplay, 2, "", false, "option '-display' needs a value"},
        {{"recording.idx"}, noDisplay, 2, "", false, "unexpected argument 'recording.idx'"},
        // No display at all, and one that is named but cannot be reached: a line and status 1, never
        // Qt's abort.
        {{}, noDisplay, 1, "", false, "no display"},
        {{}, {{"DISPLAY", ":4093"}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}, 1, "", false, "display"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> command = {Client()};
        command.insert(command.end(), c.args.begin(), c.args.end());
        std::string what;
        for (const std::string& a : command) {
            what += a + " ";
        }
        const Outcome run = RunToEnd(command, m_work, m_logs, c.env);
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.out << run.err;
        if (c.outPart) {
            EXPECT_NE(run.out.find(c.out), std::string::npos) << what << "\n" << run.out;
        } else {
            EXPECT_EQ(run.out, c.out) << what;
        }
        if (c.errLine.empty()) {
            EXPECT_EQ(run.err, "") << what;
        } else {
            EXPECT_EQ(Lines(run.err).size(), 1u) << what << "\n" << run.err;
            EXPECT_NE(run.err.find(c.errLine), std::string::npos) << what << "\n" << run.err;
        }
    }
}

TEST_F(InstalledTree, TheDebianPackageHoldsTheTreeAndNamesTheLibrariesItNeeds) {
    const fs::path out = m_root / "package";
    const Outcome pack =
        RunToEnd({KELO_CPACK_COMMAND, "-G", "DEB", "--config", kBuildDir + "/CPackConfig.cmake", "-B", out.string()},
                 m_work, m_logs);
    ASSERT_EQ(pack.status, 0) << pack.out << pack.err;
    fs::path deb;
    for (const auto& entry : fs::directory_iterator(out)) {
        if (entry.path().extension() == ".deb") {
            deb = entry.path();
        }
    }
    ASSERT_FALSE(deb.empty()) << pack.out;
    EXPECT_TRUE(deb.filename().string().starts_with("kelo1000_1.0.0_")) << deb;

    // Found by dpkg-shlibdeps from what the programs and libraries link: Qt, FFmpeg, ALSA.
    const Outcome info = RunToEnd({"dpkg-deb", "-I", deb.string()}, m_work, m_logs);
    ASSERT_EQ(info.status, 0) << info.err;
    std::string depends;
    for (const std::string& line : Lines(info.out)) {
        if (line.starts_with(" Depends: ")) {
            depends = line;
        }
    }
    for (const char* library : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "libqt6dbus6",
                                "libavcodec", "libavutil", "libswscale", "libasound2", "libjpeg62-turbo", "libtiff6",
                                "zlib1g", "libc6", "qt6-qpa-plugins", "fonts-liberation2"}) {
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in" << depends;
    }

    const Outcome contents = RunToEnd({"dpkg-deb", "-c", deb.string()}, m_work, m_logs);
    ASSERT_EQ(contents.status, 0) << contents.err;
    std::vector<std::string> wanted = {"./usr/bin/kelo1000",
                                       "./usr/bin/kelo-recorder-sim",
                                       "./usr/" + kLibDir + "/kelo1000/libH264_D1.so",
                                       "./usr/" + kLibDir + "/kelo1000/libKeloRes.so",
                                       "./usr/share/applications/" + kAppId + ".desktop",
                                       "./usr/share/metainfo/" + kAppId + ".metainfo.xml",
                                       "./usr/share/icons/hicolor/scalable/apps/kelo1000.svg",
                                       "./usr/share/doc/kelo1000/README.md"};
    for (const int n : kIconSizes) {
        wanted.push_back("./usr/share/icons/hicolor/" + std::to_string(n) + "x" + std::to_string(n) +
                         "/apps/kelo1000.png");
    }
    for (const std::string& file : wanted) {
        EXPECT_NE(contents.out.find(" " + file + "\n"), std::string::npos) << file << "\n" << contents.out;
    }

    // The packaged client finds its libraries under /usr as under any prefix.
    const fs::path unpacked = m_root / "unpacked";
    ASSERT_EQ(RunToEnd({"dpkg-deb", "-x", deb.string(), unpacked.string()}, m_work, m_logs).status, 0);
    EXPECT_EQ(RunPathOf(unpacked / "usr/bin/kelo1000", m_logs), "$ORIGIN/../" + kLibDir + "/kelo1000");
}

} // namespace
