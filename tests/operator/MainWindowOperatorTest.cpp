// The main window and its dialogs as the operator meets them where they hand over to each other:
// quitting from outside with a dialog open, the keys of the small dialogs, the Load preview, a still
// image that cannot be written, the PTZ set when the right or live view goes, a connect the operator
// cancels, the Record button without a recorder and the local setup while live.
#include "app/ConnectDlg.h"
#include "app/ConnectListDlg.h"
#include "app/GlobalPageDlg.h"
#include "app/LocalSetupDlg.h"
#include "app/NoticeTable.h"
#include "app/PasswordDlg.h"
#include "app/PreviewFileDlg.h"
#include "app/PtzControlDlg.h"
#include "app/PtzKeypadDlg.h"
#include "app/QuitWatch.h"
#include "media/SaveImageThread.h"
#include "platform/window/MessagePump.h"
#include "protocol/ReasonCodes.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"
#include "tests/operator/LiveFixture.h"
#include "tests/support/SmallDisk.h"

#include <QFileDialog>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <fstream>

using namespace livetest;

namespace {

// Any window of type D that exists now, child windows included.
template <class D>
D* FindAnyWindowOf() {
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* host = dynamic_cast<CWndHost*>(widget);
        if (host != nullptr && host->Handle() != nullptr) {
            if (auto* wnd = dynamic_cast<D*>(host->Object())) {
                return wnd;
            }
        }
    }
    return nullptr;
}

bool AnyModalOpen() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* host = dynamic_cast<CWndHost*>(widget);
        if (host != nullptr && host->Handle() != nullptr && host->Object() != nullptr &&
            host->Object()->IsInModalLoop()) {
            return true;
        }
    }
    return FindAnyWindowOf<CPreviewFileDlg>() != nullptr;
}

class MainWindowOperatorTest : public LiveFixture {
protected:
    // Answers the connect dialog with the simulator's address and the given user and password.
    static void FillConnect(CConnectDlg& d, int port, const char* password = "1234") {
        d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
        if (d.m_bDefaultPort != 0) {
            d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0); // Modify: the port may be typed
        }
        d.SetDlgItemText(IDC_CONNECT_PORT, std::to_string(port).c_str());
        d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
        d.SetDlgItemText(IDC_CONNECT_PASSWORD, password);
    }
    static std::string Res(UINT id) { return LoadResString(id).GetString(); }
    // The first line the notice (category, code) shows.
    CString NoticeLine(WORD category, WORD code) const {
        NoticeContent content;
        if (!CNoticeTable::LookUp(category, code, NoticeContext{}, content) || content.lineCount == 0) {
            return "";
        }
        return CNoticeTable::RenderLine(content.lines[0], [this](UINT id) {
            CString text;
            main->LoadResString(text, id);
            return text;
        });
    }
};

// ---- the program ends from outside whatever dialog is open

TEST_F(MainWindowOperatorTest, ASignalOrTheSessionEndEndsTheProgramWhateverDialogIsOpen) {
    ASSERT_TRUE(sim.Start(SixteenChannels()));
    enum class Open { ConnectDialog, Notice, LoadDialog, PasswordPrompt };
    enum class End { Term, Interrupt, HangUp, SessionEnd };
    const struct {
        const char* name;
        Open open;
        End end;
    } cases[] = {
        {"the connect dialog at start, SIGTERM", Open::ConnectDialog, End::Term},
        {"the connect dialog at start, session end", Open::ConnectDialog, End::SessionEnd},
        {"a notice, SIGINT", Open::Notice, End::Interrupt},
        {"the Load dialog, SIGHUP", Open::LoadDialog, End::HangUp},
        {"the password prompt while live, SIGTERM", Open::PasswordPrompt, End::Term},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
        auto quit = std::make_unique<CQuitWatch>(*main);
        const int port = sim.Port();
        int step = 0;
        bool hung = false;
        bool loadAsked = false;
        QElapsedTimer sinceQuit;
        QElapsedTimer sinceStart;
        sinceStart.start();
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (step < 2 && sinceStart.elapsed() > 90000) { // the case never got going: unblock and report
                driver.stop();
                CWnd::EndModalLoopsInside(nullptr, IDCANCEL);
                main->EndDialog(IDCANCEL);
                return;
            }
            switch (step) {
            case 0: // the connect dialog that opens at start
                if (CConnectDlg* d = FindModal<CConnectDlg>()) {
                    step = 1;
                    if (c.open == Open::PasswordPrompt) {
                        FillConnect(*d, port);
                        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    } else if (c.open != Open::ConnectDialog) {
                        d->EndDialog(IDCANCEL);
                    }
                }
                break;
            case 1: // the dialog of the case
                if (c.open == Open::Notice && FindModal<CMsgBoxDlg>() == nullptr) {
                    main->PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
                }
                if (c.open == Open::LoadDialog && !loadAsked) {
                    loadAsked = true;
                    main->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_LOAD, BN_CLICKED), 0);
                }
                if (c.open == Open::PasswordPrompt && FindModal<CPasswordDlg>() == nullptr && main->GetClient() &&
                    main->GetClient()->IsRecording()) {
                    main->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_RECORD, BN_CLICKED), 0);
                }
                if ((c.open == Open::ConnectDialog && FindModal<CConnectDlg>()) ||
                    (c.open == Open::Notice && FindModal<CMsgBoxDlg>()) ||
                    (c.open == Open::LoadDialog && FindAnyWindowOf<CPreviewFileDlg>()) ||
                    (c.open == Open::PasswordPrompt && FindModal<CPasswordDlg>())) {
                    step = 2;
                    sinceQuit.start();
                    switch (c.end) {
                    case End::Term:
                        ::raise(SIGTERM);
                        break;
                    case End::Interrupt:
                        ::raise(SIGINT);
                        break;
                    case End::HangUp:
                        ::raise(SIGHUP);
                        break;
                    case End::SessionEnd: {
                        QEvent quitEvent(QEvent::Quit);
                        QCoreApplication::sendEvent(QCoreApplication::instance(), &quitEvent);
                        break;
                    }
                    }
                }
                break;
            default: // still running long after: unblock it so that the test can report
                if (sinceQuit.elapsed() > 20000) {
                    hung = true;
                    CWnd::EndModalLoopsInside(nullptr, IDCANCEL);
                    main->EndDialog(IDCANCEL);
                }
                break;
            }
        });
        driver.start(20);
        const std::string location(main->GetLocation());
        main->DoModal();
        driver.stop();
        EXPECT_EQ(step, 2);
        EXPECT_FALSE(hung) << "the program did not end";
        EXPECT_FALSE(AnyModalOpen());
        EXPECT_EQ(FindAnyWindowOf<CPreviewFileDlg>(), nullptr);
        EXPECT_EQ(main->GetSafeHwnd(), nullptr);
        EXPECT_EQ(main->GetClient(), nullptr);
        quit.reset();
        main.reset();
        // This run's entries (from its start entry): everything stopped before the end entry, and
        // nothing was written after it.
        const auto entries = LogEntries(location.c_str());
        const auto start = std::find(entries.rbegin(), entries.rend(), std::make_pair(1u, 1u));
        ASSERT_NE(start, entries.rend());
        const std::vector<std::pair<unsigned, unsigned>> run(start.base() - 1, entries.end());
        EXPECT_EQ(run.back(), std::make_pair(1u, 2u));
        EXPECT_EQ(std::count(run.begin(), run.end(), std::make_pair(1u, 2u)), 1);
    }
}

// The decoder threads of this process, by the names they give themselves.
int DecoderThreads() {
    int n = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/self/task", ec)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        n += name.rfind("kelo-dec-", 0) == 0 ? 1 : 0;
    }
    return n;
}

// Quitting or disconnecting while live view is asked for and not yet answered: the recorder is told to
// stop it before the connection ends, neither waits on the answer, and no decoder is left running.
TEST_F(MainWindowOperatorTest, QuitOrDisconnectWhileLiveViewIsStillAskedForStopsItAndLeavesNothingRunning) {
    for (const UINT button : {IDC_QUIT, IDC_CONNECT}) {
        SCOPED_TRACE(button == IDC_QUIT ? "Quit" : "Disconnect");
        sim.Stop();
        ASSERT_TRUE(sim.Start(SixteenChannels({"--fault", "drop:LIVE_REQ"})));
        const int port = sim.Port();
        main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
        ModalScript script;
        script.Expect<CConnectDlg>([port](CConnectDlg& d) {
            FillConnect(d, port);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ASSERT_TRUE(main->Create(CClientDlg::IDD));
        ASSERT_TRUE(SimSaw("sim: recv LIVE_REQ"));
        ASSERT_TRUE(WaitUntil([] { return DecoderThreads() == 16; }, 60000)) << DecoderThreads();
        ASSERT_FALSE(main->GetClient()->IsLive()) << "the request is still unanswered";

        Click(button);
        EXPECT_EQ(main->GetClient(), nullptr);
        EXPECT_EQ(DecoderThreads(), 0);
        ASSERT_TRUE(SimSaw("sim: recv BYE48"));
        const std::string log = sim.Log();
        const std::size_t stop = log.find("sim: recv LIVE_STOP");
        ASSERT_NE(stop, std::string::npos) << "the recorder still has the request";
        EXPECT_LT(stop, log.find("sim: recv BYE48"));
        main.reset();
    }
}

// ---- Enter and Escape in the small dialogs

TEST_F(MainWindowOperatorTest, EnterAnswersOkAndEscapeCancelsTheSmallDialogs) {
    ASSERT_TRUE(sim.Start(SixteenChannels()));
    const int port = sim.Port();
    main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));

    // Escape in the connect dialog at start cancels it.
    bool escaped = false;
    ModalScript atStart;
    atStart.Expect<CConnectDlg>([&](CConnectDlg& d) {
        FillConnect(d, port);
        TypeKey(d.m_editPassword, Qt::Key_Escape);
        escaped = !d.ContinueModal();
        if (!escaped) {
            d.EndDialog(IDCANCEL);
        }
    });
    ASSERT_TRUE(main->Create(CClientDlg::IDD));
    ASSERT_TRUE(atStart.Done());
    EXPECT_TRUE(escaped);
    EXPECT_EQ(main->GetClient(), nullptr);

    // In the connection history Escape closes the list alone; in the connect dialog Enter logs in.
    bool historyEscaped = false;
    bool connectStayed = false;
    ModalScript history;
    history.Expect<CConnectListDlg>([&](CConnectListDlg& list) {
        TypeKey(list.m_list, Qt::Key_Escape);
        historyEscaped = !list.ContinueModal();
        if (!historyEscaped) {
            list.EndDialog(IDCANCEL);
        }
    });
    bool entered = false;
    ModalScript again;
    again.Expect<CConnectDlg>([&](CConnectDlg& d) {
        FillConnect(d, port);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(993, BN_CLICKED), 0); // the history list
        connectStayed = d.ContinueModal() != FALSE;
        TypeKey(d.m_editPassword, Qt::Key_Return);
        entered = !d.ContinueModal();
        if (!entered) {
            d.EndDialog(IDCANCEL);
        }
    });
    Click(IDC_CONNECT);
    ASSERT_TRUE(again.Done());
    EXPECT_TRUE(history.Done());
    EXPECT_TRUE(historyEscaped);
    EXPECT_TRUE(connectStayed);
    EXPECT_TRUE(entered);
    ASSERT_TRUE(WaitUntil([&] { return main->IsConnected() && main->GetClient()->IsRecording(); }, 60000));

    // A notice closes with Enter, and another with Escape.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        bool closed = false;
        ModalScript notice;
        notice.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& box) {
            TypeKey(box.m_btnOK, key);
            closed = !box.ContinueModal();
            if (!closed) {
                box.EndDialog(IDCANCEL);
            }
        });
        main->PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        ASSERT_TRUE(WaitUntil([&] { return notice.Done(); }, 30000));
        EXPECT_TRUE(closed) << key;
        EXPECT_TRUE(WaitUntil([&] { return main->GetNoticeBox() == nullptr; }));
    }

    // The password prompt of Record: Escape sends nothing, the password and Enter turn recording off.
    const struct {
        Qt::Key key;
        int recOffRequests;
    } prompts[] = {{Qt::Key_Escape, 0}, {Qt::Key_Return, 1}};
    for (const auto& p : prompts) {
        bool closed = false;
        ModalScript prompt;
        prompt.Expect<CPasswordDlg>([&](CPasswordDlg& d) {
            d.SetDlgItemText(IDC_CONNECT_PASSWORD, "1234");
            TypeKey(d.m_editPassword, p.key);
            closed = !d.ContinueModal();
            if (!closed) {
                d.EndDialog(IDCANCEL);
            }
        });
        Click(IDC_RECORD);
        ASSERT_TRUE(prompt.Done());
        EXPECT_TRUE(closed) << p.key;
        ASSERT_TRUE(Drain(*main));
        if (p.recOffRequests > 0) {
            EXPECT_TRUE(SimSaw("sim: recv REC_OFF_REQ"));
        }
        EXPECT_EQ(CountInLog("sim: recv REC_OFF_REQ"), p.recOffRequests);
    }
}

// ---- the Load dialog's preview

TEST_F(MainWindowOperatorTest, TheLoadDialogPreviewShowsTheSelectedPicture) {
    main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
    ModalScript cancel;
    cancel.Expect<CConnectDlg>([](CConnectDlg& d) { d.EndDialog(IDCANCEL); });
    ASSERT_TRUE(main->Create(CClientDlg::IDD));
    ASSERT_TRUE(cancel.Done());
    // A saved still image of a full picture, in a colour the preview's frame never has.
    const fs::path saved = SaveFolder() / "Saved";
    fs::create_directories(saved);
    const fs::path file = saved / "20261210120000_0007.jpg";
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(qRgb(30, 200, 90));
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "JPG"));

    QImage shown;
    CString size;
    QTimer driver;
    int step = 0;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        CPreviewFileDlg* files = FindAnyWindowOf<CPreviewFileDlg>();
        if (files == nullptr || files->Chooser() == nullptr) {
            return;
        }
        if (step++ == 0) {
            Q_EMIT files->Chooser()->currentChanged(QString::fromStdString(file.string()));
            return;
        }
        size = files->GetSizeText();
        shown = files->m_picture.GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        driver.stop();
        files->Chooser()->reject();
    });
    driver.start(50);
    Click(IDC_LOAD);
    driver.stop();
    EXPECT_EQ(std::string(size), "(800 x 600)");
    ASSERT_FALSE(shown.isNull());
    // The picture fills the preview.
    int matching = 0;
    for (int y = 0; y < shown.height(); y += 8) {
        for (int x = 0; x < shown.width(); x += 8) {
            matching += Near(shown.pixel(x, y), qRgb(30, 200, 90), 12) ? 1 : 0;
        }
    }
    const int samples = ((shown.width() + 7) / 8) * ((shown.height() + 7) / 8);
    EXPECT_GT(matching, samples * 9 / 10) << matching << " of " << samples;
}

// ---- a still image that cannot be written

TEST_F(MainWindowOperatorTest, AStillImageThatCannotBeWrittenIsToldOncePerSave) {
    ConnectSixteen();
    AnswerBoxes();
    ASSERT_TRUE(WaitUntil([&] { return Video().GetDecodedMask() == 0xFFFF; }, 120000));
    const fs::path saved = SaveFolder() / "Saved";
    // The disk is full: every name the pictures of the next minutes can take leads to a full device.
    auto diskFull = [&] {
        fs::create_directories(saved);
        const time_t now = time(nullptr);
        for (time_t t = now; t < now + 180; ++t) {
            std::tm tm{};
            localtime_r(&t, &tm);
            SYSTEMTIME st{};
            st.wYear = WORD(tm.tm_year + 1900);
            st.wMonth = WORD(tm.tm_mon + 1);
            st.wDay = WORD(tm.tm_mday);
            st.wHour = WORD(tm.tm_hour);
            st.wMinute = WORD(tm.tm_min);
            st.wSecond = WORD(tm.tm_sec);
            for (int channel = 0; channel < 16; ++channel) {
                std::error_code ec;
                fs::create_symlink("/dev/full", saved / CSaveImageThread::MakeFileName(st, channel, 0), ec);
            }
        }
    };
    // "Saved" is a file: no picture can be written there.
    auto notAFolder = [&] { AppTestEnv::WriteBytes(saved, "in the way"); };
    const struct {
        const char* name;
        std::function<void()> prepare;
        UINT text;
    } cases[] = {{"the disk is full", diskFull, IDS_NOT_ENOUGH_SPACE_ON_THIS_COMPUTER},
                 {"the folder cannot be made", notAFolder, IDS_CANNOT_WRITE_TO}};
    int saves = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ec;
        fs::remove_all(saved, ec);
        c.prepare();
        boxTexts.clear();
        Click(IDC_SAVE);
        ++saves;
        ASSERT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_SAVE).IsWindowEnabled() != FALSE; }, 120000));
        ASSERT_TRUE(Drain(*main));
        ASSERT_TRUE(WaitUntil([&] { return main->GetNoticeBox() == nullptr && !boxTexts.empty(); }, 30000));
        // One box, naming this computer's folder, not the recorder.
        const std::vector<std::vector<std::string>> expected = {{Res(c.text), saved.string()}};
        EXPECT_EQ(boxTexts, expected);
    }
    // Every Save is still logged as a snapshot taken.
    const auto entries = LogEntries(main->GetLocation());
    EXPECT_EQ(std::count(entries.begin(), entries.end(), std::make_pair(8u, 2u)), saves);
}

// A Save of sixteen channels onto a disk that is full: the operator is told which folder is full,
// and no empty picture is left looking like a saved one. A Save once there is room again writes
// every picture whole.
TEST_F(MainWindowOperatorTest, AStillImageSaveOntoAFullDiskLeavesNoPictureBehind) {
    ConnectSixteen();
    AnswerBoxes();
    ASSERT_TRUE(WaitUntil([&] { return Video().GetDecodedMask() == 0xFFFF; }, 120000));
    const fs::path saved = SaveFolder() / "Saved";
    kelotest::SmallDisk disk;
    std::string why;
    if (!disk.Mount(saved, 64, why)) {
        GTEST_SKIP() << why;
    }
    disk.Fill();
    auto pictures = [&] {
        std::vector<std::pair<std::string, std::uintmax_t>> found;
        for (const auto& entry : fs::directory_iterator(saved)) {
            if (entry.path().extension() == ".jpg") {
                found.emplace_back(entry.path().filename().string(), entry.file_size());
            }
        }
        return found;
    };
    auto save = [&] {
        boxTexts.clear();
        Click(IDC_SAVE);
        return WaitUntil([&] { return MainButton(*main, IDC_SAVE).IsWindowEnabled() != FALSE; }, 120000) &&
               Drain(*main) && WaitUntil([&] { return main->GetNoticeBox() == nullptr; }, 30000);
    };

    ASSERT_TRUE(save());
    ASSERT_TRUE(WaitUntil([&] { return !boxTexts.empty(); }, 30000));
    const std::vector<std::vector<std::string>> told = {{Res(IDS_NOT_ENOUGH_SPACE_ON_THIS_COMPUTER), saved.string()}};
    EXPECT_EQ(boxTexts, told);
    EXPECT_EQ(pictures(), (std::vector<std::pair<std::string, std::uintmax_t>>{}));

    // Room again: sixteen whole pictures, and nothing to tell.
    fs::remove(saved / ".filler");
    ASSERT_TRUE(save());
    const auto written = pictures();
    EXPECT_EQ(written.size(), 16u);
    for (const auto& [name, size] : written) {
        EXPECT_GT(size, 1000u) << name;
    }
    EXPECT_TRUE(boxTexts.empty());
}

// ---- the PTZ set

TEST_F(MainWindowOperatorTest, ThePtzSetClosesWholeWhenLiveViewStopsOrThePtzRightGoes) {
    ConnectSixteen();
    AnswerBoxes();
    auto openPadAndKeypad = [&] {
        Click(IDC_PAN);
        // The pad's centre button opens the keypad.
        main->SendMessage(WM_KELO_PTZ_MOVE, 0, 4);
        main->SendMessage(WM_KELO_PTZ_MOVE, 1, 4);
        return WaitUntil([] { return FindWindowOf<CPtzControlDlg>() && FindWindowOf<CPtzKeypadDlg>(); }, 30000);
    };
    auto allClosed = [&] {
        return FindWindowOf<CPtzControlDlg>() == nullptr && FindWindowOf<CPtzKeypadDlg>() == nullptr &&
               main->GetClient()->GetPtzMode() == -1 && MainButton(*main, IDC_PAN).GetState() == kButtonNormal;
    };

    // Live view stops and starts again: Pan then opens the pad again.
    ASSERT_TRUE(openPadAndKeypad());
    Click(IDC_LIVE);
    EXPECT_TRUE(WaitUntil(allClosed, 30000));
    Click(IDC_LIVE);
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->IsLive(); }, 60000));
    Click(IDC_PAN);
    EXPECT_NE(FindWindowOf<CPtzControlDlg>(), nullptr);
    EXPECT_EQ(main->GetClient()->GetPtzMode(), 0);
    Click(IDC_PAN);
    ASSERT_TRUE(WaitUntil(allClosed, 30000));

    // The recorder takes the PTZ right away (the setup is written without it, and the recorder
    // pushes the new rights): the pad and the keypad close, and Pan is refused.
    ASSERT_TRUE(openPadAndKeypad());
    bool written = false;
    ModalScript setup;
    setup.Expect<CSetupDlg>(
        [&](CSetupDlg& frame) {
            auto* db = reinterpret_cast<BYTE*>(&frame.Db()); // the record the pages edit
            constexpr std::size_t kRights = 5624;
            constexpr std::size_t kRightPtz = 4;
            constexpr std::size_t kUserIds = kRights + 72;
            for (std::size_t account = 0; account < 8; ++account) {
                const char* user = reinterpret_cast<const char*>(db + kUserIds + 32 * account);
                if (strncasecmp(user, "admin", 6) == 0) {
                    db[kRights + 8 * kRightPtz + account] = 0;
                    written = true;
                }
            }
            frame.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        },
        60000);
    Click(IDC_RSETUP);
    ASSERT_TRUE(WaitUntil([&] { return setup.Done(); }, 60000));
    ASSERT_TRUE(written);
    ASSERT_TRUE(SimSaw("sim: recv DB_UPDATE_REQ"));
    // The login pushed the first rights; the second push is the one that takes the PTZ right.
    ASSERT_TRUE(WaitUntil([&] { return CountInLog("sim: send RIGHT_CHANGE") == 2; }, 30000));
    // The change travels behind the live pictures already sent: on a busy machine it has taken more
    // than 30 s to arrive.
    EXPECT_TRUE(WaitUntil([&] { return !main->GetClient()->HasAccountRight(4); }, 120000));
    EXPECT_TRUE(WaitUntil(allClosed, 30000));
    EXPECT_TRUE(WaitUntil([&] { return !boxLines.empty(); }, 30000));
    boxLines.clear();
    Click(IDC_PAN);
    EXPECT_EQ(FindWindowOf<CPtzControlDlg>(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !boxLines.empty(); }, 30000));
    EXPECT_EQ(CString(boxLines.front().c_str()), NoticeLine(15, 0));
}

// ---- a connect the operator cancels

TEST_F(MainWindowOperatorTest, AConnectTheOperatorCancelsIsNeitherToldNorLoggedAsFailed) {
    // A recorder that does not answer: its backlog is full, so the connect waits.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const int port = ntohs(address.sin_port);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(s);
    }

    main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
    AnswerBoxes();
    ModalScript script;
    script.Expect<CConnectDlg>([port](CConnectDlg& d) {
        FillConnect(d, port);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_TRUE(main->Create(CClientDlg::IDD));
    ASSERT_TRUE(script.Done());
    ASSERT_NE(main->GetClient(), nullptr);
    EXPECT_NE(main->GetClient()->GetConnectThreadId(), 0u);
    EXPECT_FALSE(main->IsConnected());
    // Connect again while connecting: the attempt is cancelled.
    Click(IDC_CONNECT);
    EXPECT_EQ(main->GetClient(), nullptr);
    ASSERT_TRUE(Drain(*main));
    ASSERT_TRUE(Drain(*main));
    EXPECT_EQ(main->GetNoticeBox(), nullptr);
    EXPECT_TRUE(boxLines.empty()) << boxLines.front();
    const auto entries = LogEntries(main->GetLocation());
    EXPECT_EQ(std::count(entries.begin(), entries.end(), std::make_pair(2u, 4u)), 0);
    for (int s : fillers) {
        ::close(s);
    }
    ::close(listener);
}

// ---- the Record button without a recorder

class RecordButtonTest : public MainWindowOperatorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RecordButtonTest, LosesItsRecordingLookWithTheRecorder) {
    ConnectSixteen();
    AnswerBoxes();
    CSkinButton& record = MainButton(*main, IDC_RECORD);
    ASSERT_TRUE(WaitUntil([&] { return record.GetState() == kButtonOn; }, 30000));
    if (GetParam()) {
        Click(IDC_CONNECT); // the operator disconnects
    } else {
        sim.Stop(); // the recorder goes away
    }
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient() == nullptr; }, 60000));
    ASSERT_TRUE(Drain(*main));
    EXPECT_EQ(record.GetState(), kButtonNormal);
}

INSTANTIATE_TEST_SUITE_P(Disconnects, RecordButtonTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ConnectPressed" : "RecorderGone";
                         });

// ---- the local setup while live

TEST_F(MainWindowOperatorTest, TheDrawModeSelectorLooksDisabledWhileLive) {
    ConnectSixteen();
    auto grabSelector = [&](bool& disabled) {
        QImage image;
        ModalScript setup;
        setup.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& frame) {
            frame.ShowPage(CLocalSetupDlg::kGlobal);
            if (auto* page = dynamic_cast<CGlobalPageDlg*>(frame.PageOf(CLocalSetupDlg::kGlobal))) {
                CSkinLabel& selector = page->m_label[4];
                selector.RedrawWindow();
                disabled = selector.IsWindowEnabled() == FALSE;
                image = selector.GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            }
            frame.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        Click(IDC_LSETUP);
        return image;
    };
    // Pixels in the selector's normal text colour (0x783C3C) and in the disabled one (0xADADAD).
    auto count = [](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += Near(image.pixel(x, y), colour, 10) ? 1 : 0;
            }
        }
        return n;
    };
    const QRgb normal = qRgb(0x3C, 0x3C, 0x78);
    const QRgb grey = qRgb(0xAD, 0xAD, 0xAD);
    bool disabledLive = false;
    const QImage live = grabSelector(disabledLive);
    ASSERT_FALSE(live.isNull());
    EXPECT_TRUE(disabledLive);
    EXPECT_EQ(count(live, normal), 0);
    EXPECT_GT(count(live, grey), 0);

    // With nothing shown the same selector is enabled and in its normal colour.
    Click(IDC_LIVE);
    ASSERT_TRUE(WaitUntil([&] { return Video().GetPlaySource() == 0; }, 30000));
    bool disabledIdle = true;
    const QImage idle = grabSelector(disabledIdle);
    ASSERT_FALSE(idle.isNull());
    EXPECT_FALSE(disabledIdle);
    EXPECT_GT(count(idle, normal), 0);
}

} // namespace
