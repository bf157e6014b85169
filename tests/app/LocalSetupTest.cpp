// The local setup: what each page's controls write into the edit block and the web copies, the
// drop-down list, the tabs by what the video window shows, the frame's keys and body, the folder
// browser, and OK and Cancel as the main window applies or restores the copies.
#include "app/AudioBufferPageDlg.h"
#include "app/AutoSavePageDlg.h"
#include "app/ClientDlg.h"
#include "app/DropListPopupDlg.h"
#include "app/GlobalPageDlg.h"
#include "app/LocalSetupDlg.h"
#include "app/LocalSetupTabDlg.h"
#include "app/OpacityPageDlg.h"
#include "app/ShellDialogParts.h"
#include "res/ButtonStates.h"
#include "tests/app/MainWindowSupport.h"
#include "tests/app/ShellDialogTestSupport.h"

#include <QFileDialog>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace {

using namespace shelltest;
namespace fs = std::filesystem;

LocalSetupEdit Block() {
    LocalSetupEdit edit{};
    edit.DrawMode = 0;
    edit.DateFormat = 0;
    edit.SaveFormat = 0;
    std::strcpy(edit.Location, "/tmp/kelo-save");
    for (BYTE& o : edit.Opacity) {
        o = 200;
    }
    edit.AudioBuf[0] = 2;
    edit.AudioBuf[1] = 64;
    edit.AudioBuf[2] = 2;
    return edit;
}

WebSetupEdit WebBlock() {
    WebSetupEdit web{};
    web.WebActivate = 0;
    web.WebWidthJpg = 200;
    web.WebHeightJpg = 160;
    web.WebWidthWeb = 320;
    web.WebHeightWeb = 240;
    web.WebInterval = 5;
    std::strcpy(web.WebLocation, "/tmp/kelo-web");
    return web;
}

class LocalSetup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main.Make());
        host.main = &main;
    }
    void TearDown() override {
        if (frame) {
            frame->DestroyWindow();
            frame.reset();
        }
        main.DestroyWindow();
        Flush();
    }
    // The frame, made without a loop of its own.
    CLocalSetupDlg& Open() {
        frame = std::make_unique<CLocalSetupDlg>(host, &edit, &web, 255);
        EXPECT_TRUE(frame->Create(CLocalSetupDlg::IDD, &main));
        Flush();
        return *frame;
    }
    template <class Page>
    Page& Show(int page) {
        frame->ShowPage(page);
        Flush();
        Page* shown = dynamic_cast<Page*>(frame->PageOf(page));
        EXPECT_NE(shown, nullptr);
        return *shown;
    }
    // Opens the list of a selector and clicks one of its rows.
    void Choose(CSkinLabel& selector, int row) {
        Click(selector);
        CDropListPopupDlg* popup = frame->Popup();
        ASSERT_NE(popup, nullptr);
        ASSERT_LT(row, popup->ItemCount());
        Click(popup->Item(row));
        EXPECT_EQ(frame->Popup(), nullptr);
    }

    MainStandIn main;
    FakeShellHost host;
    LocalSetupEdit edit = Block();
    WebSetupEdit web = WebBlock();
    std::unique_ptr<CLocalSetupDlg> frame;
};

// ---- pages and the block

TEST_F(LocalSetup, GlobalSelectorsWriteTheirChoiceIntoTheBlock) {
    Open();
    CGlobalPageDlg& page = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
    EXPECT_EQ(TextOf(page.m_label[4]), "YUV");
    EXPECT_EQ(TextOf(page.m_label[5]), "YYYY-MM-DD");
    EXPECT_EQ(TextOf(page.m_label[6]), "JPEG");
    EXPECT_EQ(TextOf(page.m_label[7]), "/tmp/kelo-save");

    struct Case {
        int selector;
        int items;
        int width;
        int row;
        BYTE LocalSetupEdit::*field;
        const char* text;
    };
    const Case cases[] = {
        {0, 2, 100, 1, &LocalSetupEdit::DrawMode, "RGB"},
        {1, 3, 180, 2, &LocalSetupEdit::DateFormat, "DD-MM-YYYY"},
        {1, 3, 180, 1, &LocalSetupEdit::DateFormat, "MM-DD-YYYY"},
        {2, 3, 100, 2, &LocalSetupEdit::SaveFormat, "TIF"},
    };
    for (const Case& c : cases) {
        const LocalSetupEdit before = edit;
        CSkinLabel& selector = page.m_label[std::size_t(4 + c.selector)];
        Click(selector);
        CDropListPopupDlg* popup = frame->Popup();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->ItemCount(), c.items);
        EXPECT_EQ(popup->GetWidth(), c.width);
        Click(popup->Item(c.row));
        EXPECT_EQ(edit.*(c.field), c.row) << c.text;
        EXPECT_EQ(TextOf(selector), c.text);
        // Nothing else in the block moved.
        LocalSetupEdit expected = before;
        expected.*(c.field) = BYTE(c.row);
        EXPECT_EQ(std::memcmp(&expected, &edit, sizeof edit), 0) << c.text;
    }
    // A result outside the kind's list changes nothing.
    page.OnListResult(CGlobalPageDlg::kDateFormat, 3);
    EXPECT_EQ(edit.DateFormat, 1);
}

TEST_F(LocalSetup, TheListShowsAtMostItsThirtyOneRows) {
    Open();
    CGlobalPageDlg& page = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
    auto request = std::make_unique<ListPopupRequest>();
    std::memset(request.get(), 0, sizeof *request);
    request->width = 100;
    for (int count : {40, 0}) {
        request->count = count;
        for (int i = 0; i < 40; ++i) {
            std::snprintf(request->items[i], sizeof request->items[i], "item %d", i);
        }
        frame->ShowDropListPopup(&page, CGlobalPageDlg::kDateFormat, request.get(), 0);
        Flush();
        CDropListPopupDlg* popup = frame->Popup();
        ASSERT_NE(popup, nullptr);
        const int rows = count > 31 ? 31 : count;
        EXPECT_EQ(popup->ItemCount(), rows);
        RECT r{};
        popup->GetClientRect(&r);
        EXPECT_EQ(r.bottom, 21 * rows + 10);
        if (rows > 0) {
            EXPECT_EQ(TextOf(popup->Item(30)), "item 30");
            popup->OnItem(31); // past the rows: nothing chosen, the list stays
            EXPECT_EQ(frame->Popup(), popup);
        }
    }
    // A list asked narrower than its frame pieces allow is widened to 20 pixels.
    request->count = 3;
    request->width = 19;
    frame->ShowDropListPopup(&page, CGlobalPageDlg::kDateFormat, request.get(), 0);
    Flush();
    ASSERT_NE(frame->Popup(), nullptr);
    RECT narrow{};
    frame->Popup()->GetClientRect(&narrow);
    EXPECT_EQ(narrow.right, 20);
    EXPECT_EQ(narrow.bottom, 21 * 3 + 10);
    EXPECT_EQ(edit.DateFormat, 0);
}

TEST_F(LocalSetup, OutOfRangeSettingsShowNothingAndOpenNoList) {
    edit.DateFormat = 7;
    edit.DrawMode = 200;
    Open();
    CGlobalPageDlg& page = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
    EXPECT_EQ(TextOf(page.m_label[4]), "");
    EXPECT_EQ(TextOf(page.m_label[5]), "");
    Click(page.m_label[5]);
    EXPECT_EQ(frame->Popup(), nullptr);
    EXPECT_EQ(edit.DateFormat, 7); // kept until the operator chooses
}

TEST_F(LocalSetup, ASliderMovesItsRowAndCheckedRowsMoveTogether) {
    Open();
    COpacityPageDlg& page = Show<COpacityPageDlg>(CLocalSetupDlg::kOpacity);
    const auto move = [&](int row, int position) {
        page.m_slider[std::size_t(row)].SetPos(position);
        page.SendMessage(WM_SLIDER_MOVE, CSliderRowsPageDlg::kIdFirstSlider + UINT(row), position);
    };
    // Rows 1 and 3 checked, row 5 not.
    Click(page.m_check[1]);
    Click(page.m_check[3]);

    move(5, 150); // an unchecked row changes alone, even with other rows checked
    EXPECT_EQ(edit.Opacity[5], 150);
    EXPECT_EQ(edit.Opacity[1], 200);
    EXPECT_EQ(edit.Opacity[3], 200);
    EXPECT_EQ(TextOf(page.m_value[5]), "150");

    move(1, 120); // a checked row takes the other checked rows along
    EXPECT_EQ(edit.Opacity[1], 120);
    EXPECT_EQ(edit.Opacity[3], 120);
    EXPECT_EQ(page.m_slider[3].GetPos(), 120);
    EXPECT_EQ(TextOf(page.m_value[3]), "120");
    EXPECT_EQ(edit.Opacity[5], 150);
    EXPECT_EQ(edit.Opacity[0], 200);

    Click(page.m_btnReturnAll);
    move(3, 255);
    EXPECT_EQ(edit.Opacity[3], 255);
    EXPECT_EQ(edit.Opacity[1], 120);

    Click(page.m_btnAllCheck);
    move(8, 101);
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(edit.Opacity[r], 101) << r;
    }
}

TEST_F(LocalSetup, SettingsOutsideASlidersRangeShowClampedButStayUntilMoved) {
    edit.Opacity[0] = 50;
    edit.AudioBuf[1] = 100;
    Open();
    COpacityPageDlg& opacity = Show<COpacityPageDlg>(CLocalSetupDlg::kOpacity);
    EXPECT_EQ(opacity.m_slider[0].GetPos(), 100);
    EXPECT_EQ(TextOf(opacity.m_value[0]), "100");
    EXPECT_EQ(edit.Opacity[0], 50);

    CAudioBufferPageDlg& audio = Show<CAudioBufferPageDlg>(CLocalSetupDlg::kAudioBuffer);
    EXPECT_EQ(frame->PageOf(CLocalSetupDlg::kOpacity), nullptr); // one page at a time
    EXPECT_EQ(audio.Rows(), 3);
    EXPECT_EQ(TextOf(audio.m_value[1]), "64");
    EXPECT_EQ(edit.AudioBuf[1], 100);
    audio.m_slider[1].SetPos(10);
    audio.SendMessage(WM_SLIDER_MOVE, CSliderRowsPageDlg::kIdFirstSlider + 1, 10);
    EXPECT_EQ(edit.AudioBuf[1], 10);
}

TEST_F(LocalSetup, AutoSaveWritesTheWebCopies) {
    Open();
    CAutoSavePageDlg& page = Show<CAutoSavePageDlg>(CLocalSetupDlg::kAutoSave);
    EXPECT_EQ(TextOf(page.m_edit[0]), "200");
    EXPECT_EQ(TextOf(page.m_label[8]), "5");
    EXPECT_EQ(TextOf(page.m_label[7]), "Off");

    struct Case {
        int edit;
        const char* text;
        DWORD WebSetupEdit::*field;
        DWORD value;
    };
    const Case cases[] = {
        {0, "640", &WebSetupEdit::WebWidthJpg, 640},
        {1, "480", &WebSetupEdit::WebHeightJpg, 480},
        {2, "1024", &WebSetupEdit::WebWidthWeb, 1024},
        {3, "", &WebSetupEdit::WebHeightWeb, 0}, // empty stores 0
    };
    for (const Case& c : cases) {
        page.m_edit[std::size_t(c.edit)].SetWindowText(c.text);
        Flush();
        EXPECT_EQ(web.*(c.field), c.value) << c.edit;
    }

    Choose(page.m_label[8], 19); // the list shows 1 to 20 and stores the seconds
    EXPECT_EQ(web.WebInterval, 20u);
    EXPECT_EQ(TextOf(page.m_label[8]), "20");
    Choose(page.m_label[7], 1);
    EXPECT_EQ(web.WebActivate, 1u);
    EXPECT_EQ(TextOf(page.m_label[7]), "On");
}

// ---- tabs and the frame

TEST_F(LocalSetup, TabsFollowWhatTheVideoWindowShows) {
    struct Case {
        int source;
        bool audio;
        bool autoSave;
    };
    const Case cases[] = {{0, true, true}, {1, false, false}, {2, false, true}, {3, false, true}};
    for (const Case& c : cases) {
        host.playSource = c.source;
        Open();
        CLocalSetupTabDlg* tabs = frame->TabPanel();
        ASSERT_NE(tabs, nullptr);
        ASSERT_NE(frame->PageOf(CLocalSetupDlg::kGlobal), nullptr); // the panel opens Global
        EXPECT_EQ(tabs->m_tab[CLocalSetupDlg::kGlobal].GetState(), kButtonOn);
        EXPECT_EQ(tabs->m_tab[CLocalSetupDlg::kAudioBuffer].IsWindowEnabled() != FALSE, c.audio) << c.source;
        EXPECT_EQ(tabs->m_tab[CLocalSetupDlg::kAutoSave].IsWindowEnabled() != FALSE, c.autoSave) << c.source;
        tabs->OnTab(CLocalSetupDlg::kAudioBuffer);
        Flush();
        EXPECT_EQ(frame->PageOf(CLocalSetupDlg::kAudioBuffer) != nullptr, c.audio) << c.source;
        tabs->OnTab(CLocalSetupDlg::kAutoSave);
        Flush();
        EXPECT_EQ(frame->PageOf(CLocalSetupDlg::kAutoSave) != nullptr, c.autoSave) << c.source;
        // The draw path can be chosen only while nothing is shown.
        CGlobalPageDlg& global = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
        EXPECT_EQ(global.m_label[4].IsWindowEnabled() != FALSE, c.source == 0) << c.source;
        frame->DestroyWindow();
        frame.reset();
        Flush();
    }
}

TEST_F(LocalSetup, ATabSwitchOrAClickOnABodyClosesTheList) {
    Open();
    CGlobalPageDlg& page = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
    Click(page.m_label[5]);
    ASSERT_NE(frame->Popup(), nullptr);
    page.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    page.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    Flush();
    EXPECT_EQ(frame->Popup(), nullptr);

    Click(page.m_label[5]);
    ASSERT_NE(frame->Popup(), nullptr);
    RECT r{};
    frame->GetWindowRect(&r);
    EXPECT_EQ(frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(r.left + 300, r.top + 30)), HTCAPTION);
    Flush();
    EXPECT_EQ(frame->Popup(), nullptr);

    Click(page.m_label[5]);
    ASSERT_NE(frame->Popup(), nullptr);
    frame->TabPanel()->OnTab(CLocalSetupDlg::kOpacity);
    Flush();
    EXPECT_EQ(frame->Popup(), nullptr);
    EXPECT_EQ(frame->PageOf(CLocalSetupDlg::kGlobal), nullptr);
}

TEST_F(LocalSetup, KeysCloseNothingAndOnlyOkGivesOk) {
    struct Case {
        const char* what;
        std::function<void(CLocalSetupDlg&)> end;
        INT_PTR result;
    };
    const Case cases[] = {
        {"OK", [](CLocalSetupDlg& d) { Click(d.m_btnOk); }, IDOK},
        {"Cancel", [](CLocalSetupDlg& d) { Click(d.m_btnCancel); }, IDCANCEL},
        {"Close", [](CLocalSetupDlg& d) { Click(d.m_btnClose); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        CLocalSetupDlg dlg(host, &edit, &web, 255);
        bool stillOpen = false;
        QTimer::singleShot(0, [&] {
            Flush();
            CWnd* page = dlg.PageOf(CLocalSetupDlg::kGlobal);
            ASSERT_NE(page, nullptr);
            for (HWND target :
                 {dlg.GetSafeHwnd(), page->GetSafeHwnd(), dlg.TabPanel()->GetSafeHwnd(), dlg.m_btnOk.GetSafeHwnd()}) {
                ::PostMessage(target, WM_KEYDOWN, VK_RETURN, 0);
                ::PostMessage(target, WM_KEYDOWN, VK_ESCAPE, 0);
                ::PostMessage(target, WM_SYSKEYDOWN, VK_F4, 0);
            }
            Flush();
            stillOpen = dlg.IsWindowVisible() != FALSE;
            c.end(dlg);
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.what;
        EXPECT_TRUE(stillOpen) << c.what;
        Flush();
    }
}

// ---- the folder browser

class FolderChooser {
public:
    // Answers the next folder browser with `folder` (or cancels it when empty).
    explicit FolderChooser(std::string folder) : m_folder(std::move(folder)) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* chooser = qobject_cast<QFileDialog*>(widget);
                if (chooser == nullptr || !chooser->isVisible()) {
                    continue;
                }
                title = chooser->windowTitle().toStdString();
                ++shown;
                if (m_folder.empty()) {
                    chooser->reject();
                } else {
                    // In folder mode, with nothing typed, the chooser gives the folder it shows.
                    chooser->setDirectory(QString::fromStdString(m_folder));
                    static_cast<QDialog*>(chooser)->done(QDialog::Accepted);
                }
            }
        });
        m_timer.start();
    }
    int shown = 0;
    std::string title;

private:
    std::string m_folder;
    QTimer m_timer;
};

TEST_F(LocalSetup, TheFolderBrowserReplacesALocationThatFits) {
    AppTestEnv env;
    const fs::path chosen = env.Root() / "pictures";
    fs::create_directories(chosen);
    // A folder whose path is longer than the 260-byte setting holds.
    fs::path deep = env.Root();
    while (deep.string().size() < 300) {
        deep /= std::string(40, 'd');
    }
    fs::create_directories(deep);

    Open();
    CGlobalPageDlg& global = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
    {
        FolderChooser chooser(chosen.string());
        Click(global.m_label[7]);
        EXPECT_EQ(chooser.shown, 1);
        EXPECT_EQ(chooser.title, "Choose a folder");
    }
    EXPECT_STREQ(edit.Location, chosen.c_str());
    EXPECT_EQ(TextOf(global.m_label[7]), chosen.string());
    {
        FolderChooser chooser(deep.string());
        Click(global.m_label[7]);
        EXPECT_EQ(chooser.shown, 1);
    }
    EXPECT_STREQ(edit.Location, chosen.c_str());
    {
        FolderChooser chooser("");
        Click(global.m_label[7]);
    }
    EXPECT_STREQ(edit.Location, chosen.c_str());

    CAutoSavePageDlg& autoSave = Show<CAutoSavePageDlg>(CLocalSetupDlg::kAutoSave);
    {
        FolderChooser chooser(chosen.string());
        Click(autoSave.m_label[10]);
    }
    EXPECT_STREQ(web.WebLocation, chosen.c_str());
    // The rest of the field is zero-filled.
    EXPECT_EQ(web.WebLocation[sizeof web.WebLocation - 1], '\0');
    EXPECT_EQ(web.WebLocation[chosen.string().size() + 1], '\0');
}

TEST_F(LocalSetup, FromRemovableMediaTheLocationCannotBeChosen) {
    host.removable = true;
    Open();
    CGlobalPageDlg& global = Show<CGlobalPageDlg>(CLocalSetupDlg::kGlobal);
    EXPECT_EQ(global.m_label[7].GetStyle() & SS_NOTIFY, 0u);
    FolderChooser chooser(fs::temp_directory_path().string());
    global.SendMessage(WM_COMMAND, MAKEWPARAM(CGlobalPageDlg::kIdLocation, STN_CLICKED), 0);
    Flush();
    EXPECT_EQ(chooser.shown, 0);
    EXPECT_STREQ(edit.Location, "/tmp/kelo-save");
}

// ---- the main window applies or restores

class LocalSetupInMainWindow : public MainWindowFixture {};

TEST_F(LocalSetupInMainWindow, OkAppliesTheCopiesAndCancelRestoresThem) {
    AddShellDialogParts(parts);
    Open();
    const DWORD before = main->GetSettings().DateFormat;
    const auto choose = [&](CLocalSetupDlg& dlg, UINT button) {
        auto* page = dynamic_cast<CGlobalPageDlg*>(dlg.PageOf(CLocalSetupDlg::kGlobal));
        ASSERT_NE(page, nullptr);
        page->OnListResult(CGlobalPageDlg::kDateFormat, before == 2 ? 1 : 2);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };

    ModalScript cancel;
    cancel.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& dlg) { choose(dlg, IDCANCEL); });
    Click(IDC_LSETUP);
    ASSERT_TRUE(cancel.Done());
    EXPECT_EQ(main->GetSettings().DateFormat, before);
    EXPECT_EQ(main->GetAppliedSetup().DateFormat, before); // the copy is refilled from the settings

    ModalScript ok;
    ok.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& dlg) { choose(dlg, IDOK); });
    Click(IDC_LSETUP);
    ASSERT_TRUE(ok.Done());
    EXPECT_EQ(main->GetSettings().DateFormat, DWORD(before == 2 ? 1 : 2));
}

} // namespace
