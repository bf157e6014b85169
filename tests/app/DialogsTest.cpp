// The shell's dialogs run for real on the offscreen platform and are driven through their controls.
#include "app/ConnectDlg.h"
#include "app/ConnectListDlg.h"
#include "app/ImagePreviewDlg.h"
#include "app/LocalSettings.h"
#include "app/MsgBoxDlg.h"
#include "app/NoticeTable.h"
#include "app/PasswordDlg.h"
#include "app/PreviewFileDlg.h"
#include "app/ProgressPopupDlg.h"
#include "archive/LogPrinter.h"
#include "platform/base/Rect.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Font.h"
#include "platform/window/WndHost.h"
#include "res/ControlIds.h"
#include "res/ResLibrary.h"
#include "res/ResStrings.h"
#include "tests/app/AppTestEnv.h"
#include "tests/app/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_library.Load();
        CResLibrary::SetCurrent(&m_library);
    }
    void TearDown() override { CResLibrary::SetCurrent(nullptr); }

    static void Click(CWnd& dialog, UINT id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0); }
    static CString Text(const CWnd& dialog, UINT id) {
        CString text;
        dialog.GetDlgItemText(int(id), text);
        return text;
    }
    // A control's rectangle in its dialog's client coordinates.
    static CRect PlaceOf(CWnd& dialog, UINT id) {
        CRect r;
        dialog.GetDlgItem(int(id))->GetWindowRect(&r);
        dialog.ScreenToClient(&r);
        return r;
    }

    AppTestEnv m_env;
    CResLibrary m_library;
};

TEST_F(DialogTest, ConnectKeepsABadPortOpenThenHandsOnTheDottedAddress) {
    CConnectDlg dialog(nullptr, m_env.Location().c_str(), 255);
    bool stayedOpen = false;
    CString portAfterBadOk = "unset";
    bool portFocused = false;
    ModalScript script;
    script.Expect<CConnectDlg>([&](CConnectDlg& d) {
        QApplication::setActiveWindow(d.GetHost()); // focus needs an active window offscreen
        d.SetDlgItemText(IDC_CONNECT_ADDRESS, "010.001.002.003");
        Click(d, IDC_CONNECT_MODIFY); // Modify: the port becomes editable
        d.SetDlgItemText(IDC_CONNECT_PORT, "65535");
        Click(d, IDOK);
        stayedOpen = d.IsInModalLoop();
        portAfterBadOk = Text(d, 381);
        portFocused = CWnd::GetFocus() == d.GetDlgItem(IDC_CONNECT_PORT);
        d.SetDlgItemText(IDC_CONNECT_PORT, "2001");
        d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
        Click(d, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(std::string(portAfterBadOk), "");
    EXPECT_TRUE(portFocused);
    EXPECT_EQ(std::string(dialog.m_strAddress), "10.1.2.3");
    EXPECT_EQ(dialog.m_nPort, 2001);
    EXPECT_EQ(std::string(dialog.m_strUserId), "admin");
    // The settings and the history keep the address as typed.
    const ServerSetting server = ServerSetting::Load();
    EXPECT_EQ(std::string(server.address), "010.001.002.003");
    EXPECT_EQ(server.port, 2001u);
    ConnectLogTable table;
    ASSERT_EQ(CConnectLog::Load(m_env.Location().c_str(), table), 1);
    EXPECT_STREQ(table[0].address, "010.001.002.003");
    EXPECT_EQ(DWORD(table[0].port), 2001u);
}

TEST_F(DialogTest, ConnectStartsFromTheLastServerAndItsDescription) {
    ServerSetting::Save("10.0.0.5", 2000);
    CConnectLog::Add(m_env.Location().c_str(), "10.0.0.5", 2000, "Lobby", 100);
    CConnectDlg dialog(nullptr, m_env.Location().c_str(), 255);
    CString address, port, description;
    bool portEnabled = false;
    ModalScript script;
    script.Expect<CConnectDlg>([&](CConnectDlg& d) {
        address = Text(d, 380);
        port = Text(d, 381);
        description = Text(d, 386);
        portEnabled = d.GetDlgItem(IDC_CONNECT_PORT)->IsWindowEnabled() != FALSE;
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(std::string(address), "10.0.0.5");
    EXPECT_EQ(std::string(port), "2000");
    EXPECT_TRUE(portEnabled);
    EXPECT_EQ(std::string(description), "Lobby");
}

TEST_F(DialogTest, AChosenRecordKeepsItsDescriptionUntilTheOperatorEditsTheAddress) {
    CConnectDlg dialog(nullptr, m_env.Location().c_str(), 255);
    const ConnectLogRecord chosen = CConnectLog::MakeRecord("localhost", 2002, "Gate camera");
    CString shown, afterEdit;
    ModalScript script;
    script.Expect<CConnectDlg>([&](CConnectDlg& d) {
        Click(d, IDC_CONNECT_MODIFY);
        d.TakeHistoryRecord(chosen);
        shown = Text(d, 386);
        d.SetDlgItemText(IDC_CONNECT_ADDRESS, "localhost2");
        afterEdit = Text(d, 386);
        d.TakeHistoryRecord(chosen);
        Click(d, IDOK); // the name becomes dotted in the edit; the description stays
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(std::string(shown), "Gate camera");
    EXPECT_EQ(std::string(afterEdit), "");
    EXPECT_EQ(std::string(dialog.m_strAddress), "127.0.0.1");
    EXPECT_EQ(dialog.m_nPort, 2002);
    EXPECT_EQ(std::string(dialog.m_strDescription), "Gate camera");
}

TEST_F(DialogTest, ListSelectsEditsAndDeletesRecords) {
    const std::string loc = m_env.Location();
    CConnectLog::Add(loc.c_str(), "10.0.0.1", 2000, "one", 100);
    CConnectLog::Add(loc.c_str(), "10.0.0.2", 2000, "two", 200);
    CConnectListDlg list(nullptr, loc.c_str());
    CConnectLog::Load(loc.c_str(), list.m_table);

    bool enabledBefore = true, enabledAfterSelect = false, enabledAfterDeletes = true;
    int rowsAfterFirstDelete = -1;
    ModalScript script;
    script.Expect<CConnectListDlg>([&](CConnectListDlg& d) {
        enabledBefore = d.m_btnOK.IsWindowEnabled() != FALSE;
        d.m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        enabledAfterSelect = d.m_btnOK.IsWindowEnabled() != FALSE && d.m_btnDelete.IsWindowEnabled() != FALSE;
        Click(d, IDC_HISTORY_EDIT); // Edit
        d.m_editDescription.SetWindowText("first record");
        Click(d, IDC_HISTORY_SAVE);   // Save
        Click(d, IDC_HISTORY_DELETE); // Delete
        rowsAfterFirstDelete = d.m_list.GetItemCount();
        Click(d, IDC_HISTORY_DELETE);
        enabledAfterDeletes = d.m_btnOK.IsWindowEnabled() != FALSE || d.m_btnDelete.IsWindowEnabled() != FALSE ||
                              d.m_btnEdit.IsWindowEnabled() != FALSE;
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(list.DoModal(), IDCANCEL);
    EXPECT_FALSE(enabledBefore);
    EXPECT_TRUE(enabledAfterSelect);
    EXPECT_EQ(rowsAfterFirstDelete, 1);
    EXPECT_FALSE(enabledAfterDeletes);

    // The saves went to the file: the description edit, then two deletions, leave no record.
    ConnectLogTable table;
    // Saving wrote the two records and the empty one after them; the file is never cut shorter.
    EXPECT_EQ(CConnectLog::Load(loc.c_str(), table), 3);
    EXPECT_TRUE(table[0].IsEmpty());
    const auto bytes = AppTestEnv::ReadBytes(CConnectLog::PathOf(loc.c_str()));
    EXPECT_EQ(ReadLe32(bytes, 0), 0u);
    EXPECT_EQ(ReadLe32(bytes, 4), 0u);
}

TEST_F(DialogTest, ListSaveWritesTheEditedDescription) {
    const std::string loc = m_env.Location();
    CConnectLog::Add(loc.c_str(), "10.0.0.1", 2000, "old", 100);
    CConnectListDlg list(nullptr, loc.c_str());
    CConnectLog::Load(loc.c_str(), list.m_table);
    CString row;
    ModalScript script;
    script.Expect<CConnectListDlg>([&](CConnectListDlg& d) {
        d.m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Click(d, IDC_HISTORY_EDIT);
        d.m_editDescription.SetWindowText(std::string(300, 'n').c_str());
        Click(d, IDC_HISTORY_SAVE);
        row = d.m_list.GetItemText(0, 2);
        Click(d, IDOK);
    });
    ASSERT_EQ(list.DoModal(), IDOK);
    EXPECT_EQ(list.m_nSelected, 0);
    ConnectLogTable table;
    CConnectLog::Load(loc.c_str(), table);
    EXPECT_EQ(std::strlen(table[0].description), 259u);
    EXPECT_EQ(row.GetLength(), 259);
}

// A description longer than its column is drawn whole, and scrolling the list sideways brings its end
// into view.
TEST_F(DialogTest, ListShowsALongDescriptionWholeWhenScrolledSideways) {
    const std::string loc = m_env.Location();
    const std::string description = "Warehouse East, loading bay 4: sixteen cameras along the outer fence, the gate "
                                    "house and the yard; the night shift calls the duty officer first";
    CConnectLog::Add(loc.c_str(), "recorder-warehouse-east.example.com", 2000, description.c_str(), 100);
    CConnectListDlg list(nullptr, loc.c_str());
    CConnectLog::Load(loc.c_str(), list.m_table);
    int visible = 0;
    int textWidth = 0;
    RECT cell{};
    bool drawn = false;
    ModalScript script;
    script.Expect<CConnectListDlg>([&](CConnectListDlg& d) {
        CWndHost* host = d.m_list.GetHost();
        visible = host->width();
        for (QScrollBar* bar : host->findChildren<QScrollBar*>()) {
            if (bar->orientation() == Qt::Vertical && !bar->isHidden()) {
                visible -= bar->width();
            }
            if (bar->orientation() == Qt::Horizontal) {
                bar->triggerAction(QAbstractSlider::SliderToMaximum); // dragged to the end
            }
        }
        // The text as wide as the list's bold 12-pixel face draws it.
        CDC* dc = d.m_list.GetDC();
        CFont font;
        font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Bold");
        CFont* old = dc->SelectObject(&font);
        textWidth = int(dc->GetTextExtent(description.c_str()).cx);
        dc->SelectObject(old);
        d.m_list.ReleaseDC(dc);
        CDrawRecorder recorder;
        {
            CDrawRecorder::ThreadCapture capture(recorder);
            host->grab();
        }
        for (const DrawRecord& r : recorder.Of(DrawRecord::Op::Text)) {
            if (r.text == description) {
                cell = r.rect;
                drawn = true;
            }
        }
        Click(d, IDCANCEL);
    });
    list.DoModal();
    ASSERT_TRUE(drawn);
    EXPECT_GE(cell.right - cell.left, textWidth) << "the description is cut at its column's edge";
    EXPECT_LE(cell.right, visible) << "the column's end cannot be scrolled into view";
}

TEST_F(DialogTest, PasswordPromptTakesEightCharactersAndCancelDiscards) {
    CPasswordDlg prompt(nullptr, 255);
    UINT limit = 0;
    ModalScript script;
    script.Expect<CPasswordDlg>([&](CPasswordDlg& d) {
        limit = d.m_editPassword.GetLimitText();
        d.SetDlgItemText(IDC_CONNECT_PASSWORD, "Secret");
        Click(d, IDOK);
    });
    ASSERT_EQ(prompt.DoModal(), IDOK);
    EXPECT_EQ(limit, 8u);
    EXPECT_EQ(std::string(prompt.m_strPassword), "Secret");

    CPasswordDlg second(nullptr, 255);
    ModalScript cancel;
    cancel.Expect<CPasswordDlg>([](CPasswordDlg& d) {
        d.SetDlgItemText(IDC_CONNECT_PASSWORD, "typed");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(second.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, SkinnedDialogsSortTheirKeysAndThePromptTakesEnterAndEscapeAsDialogKeys) {
    using enum KeyAction;
    const struct {
        UINT message;
        WPARAM key;
        KeyAction disposition;
    } cases[] = {{WM_KEYDOWN, VK_RETURN, kPass}, {WM_KEYDOWN, VK_ESCAPE, kPass}, {WM_SYSKEYDOWN, VK_F4, kSwallow},
                 {WM_KEYDOWN, 'A', kDialog},     {WM_KEYUP, VK_RETURN, kDialog}, {WM_SYSKEYDOWN, VK_F10, kDialog}};
    for (const auto& c : cases) {
        MSG msg{nullptr, c.message, c.key, 0, 0, {0, 0}};
        EXPECT_EQ(KeyActionOf(KeyPolicies::kSkinnedWindow, msg), c.disposition) << c.message << " " << c.key;
    }
    // In the password prompt Enter is OK and Escape Cancel, as in any dialog.
    const struct {
        WPARAM key;
        INT_PTR result;
    } keys[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& k : keys) {
        CPasswordDlg prompt(nullptr, 255);
        ModalScript script;
        script.Expect<CPasswordDlg>([&](CPasswordDlg& d) {
            d.SetDlgItemText(IDC_CONNECT_PASSWORD, "Secret");
            MSG msg{d.m_editPassword.GetSafeHwnd(), WM_KEYDOWN, k.key, 0, 0, {0, 0}};
            if (!CWnd::WalkPreTranslateTree(&msg)) {
                d.m_editPassword.SendMessage(WM_KEYDOWN, k.key, 0);
            }
            Pump(50);
            if (d.ContinueModal()) {
                d.EndDialog(99); // the key left it open
            }
        });
        EXPECT_EQ(prompt.DoModal(), k.result) << k.key;
    }
}

TEST_F(DialogTest, MessageBoxPlacesItsLinesAndButtonsByCount) {
    struct Case {
        int lines;
        int mode;
        std::vector<int> labelTops; // of the shown labels 790-792
        bool okShown, cancelShown;
        int okLeft;
    };
    const Case cases[] = {
        {1, 1, {45}, true, false, 111},
        {2, 0, {22, 45}, true, true, 50},
        {3, 2, {22, 45, 68}, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        CMsgBoxDlg box(nullptr, 255);
        for (int i = 0; i < c.lines; ++i) {
            box.SetLine(i, "line");
        }
        box.m_nLineCount = c.lines;
        box.m_nButtonMode = c.mode;
        std::vector<int> tops;
        CRect firstLabel, ok, cancel;
        bool okShown = false, cancelShown = false;
        CSize size;
        int plate = 0;
        ModalScript script;
        script.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& d) {
            plate = d.m_nWidth[0];
            for (UINT id = 790; id <= 792; ++id) {
                if (d.GetDlgItem(int(id))->IsWindowVisible()) {
                    tops.push_back(PlaceOf(d, id).top);
                }
            }
            firstLabel = PlaceOf(d, 790);
            okShown = d.GetDlgItem(IDOK)->IsWindowVisible() != FALSE;
            cancelShown = d.GetDlgItem(IDCANCEL)->IsWindowVisible() != FALSE;
            ok = PlaceOf(d, IDOK);
            cancel = PlaceOf(d, IDCANCEL);
            CRect client;
            d.GetClientRect(&client);
            size = CSize(client.Width(), client.Height());
            Click(d, IDCANCEL);
        });
        box.DoModal();
        EXPECT_EQ(tops, c.labelTops);
        EXPECT_GT(plate, 0);
        EXPECT_EQ(firstLabel.left, (309 - plate) / 2);
        EXPECT_EQ(firstLabel.Width(), plate);
        EXPECT_EQ(okShown, c.okShown);
        EXPECT_EQ(cancelShown, c.cancelShown);
        if (c.okShown) {
            EXPECT_EQ(ok.left, c.okLeft);
            EXPECT_EQ(ok.top, 103);
            EXPECT_EQ(ok.Width(), 100);
            EXPECT_EQ(ok.Height(), 27);
        }
        if (c.cancelShown) {
            EXPECT_EQ(cancel.left, c.mode == 2 ? 111 : 158);
        }
        EXPECT_EQ(size.cx, 308);
        EXPECT_EQ(size.cy, 136);
    }
}

// The columns a label's text inks, however wide the text: the label is widened, then grabbed with
// and without its text; the columns that differ are the text's (the plate under it is the same).
std::pair<int, int> InkColumns(CSkinLabel& label, const char* text) {
    QWidget* widget = label.GetHost();
    const QRect placed = widget->geometry();
    widget->resize(2000, placed.height());
    label.SetText(text);
    const QImage with = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    label.SetText("");
    const QImage without = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    label.SetText(text);
    widget->setGeometry(placed);
    int first = -1;
    int last = -1;
    for (int x = 0; x < with.width() && x < without.width(); ++x) {
        for (int y = 0; y < with.height() && y < without.height(); ++y) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

// Every notice the table can show, and the boxes of the Print buttons, with the longest values they
// carry, drawn in the real box at the text scale of every language: no line's ink leaves its plate
// or the box, fixed texts show whole, and a long folder or file name keeps its start and its end.
TEST_F(DialogTest, EveryNoticeShowsWholeInItsBox) {
    struct Notice {
        std::string name;
        std::vector<CString> lines;
        std::vector<bool> path; // the line may be shortened in its middle
    };
    std::vector<Notice> notices;
    const std::string longFolder = "/home/operator-with-a-long-name/Recordings of the entrance and the yard "
                                   "2026/KELO1000 client/Download";
    NoticeContext largest;
    largest.connected = true;
    largest.searchToReturn = false;
    largest.size1 = 0xFFFFFFFF;
    largest.size2 = 0xFFFFFFFF;
    largest.backupNeeded = 0x7FFFFFFF;
    largest.backupFree = 0x7FFFFFFF;
    largest.folder = longFolder.c_str();
    NoticeContext negative = largest;
    negative.backupFree = -100;
    negative.backupMargin = LONG(0x80000000);
    NoticeContext returning = largest;
    returning.searchToReturn = true;
    auto loader = [](UINT id) { return LoadResString(id); };
    for (const NoticeContext* context : {&largest, &negative, &returning}) {
        for (WORD category = 0; category < 32; ++category) {
            for (WORD code = 0; code < 16; ++code) {
                NoticeContent content;
                if (!CNoticeTable::LookUp(category, code, *context, content)) {
                    continue;
                }
                Notice n{std::to_string(category) + "/" + std::to_string(code), {}, {}};
                for (int i = 0; i < content.lineCount; ++i) {
                    n.lines.push_back(CNoticeTable::RenderLine(content.lines[i], loader));
                    n.path.push_back(content.lines[i].kind == NoticeLine::Literal);
                }
                const bool seen = std::any_of(notices.begin(), notices.end(), [&](const Notice& o) {
                    return std::equal(o.lines.begin(), o.lines.end(), n.lines.begin(), n.lines.end(),
                                      [](const CString& a, const CString& b) { return a.Compare(b) == 0; });
                });
                if (!seen) {
                    notices.push_back(n);
                }
            }
        }
    }
    const std::string pdf = longFolder + "/Remote Log All 2026-12-11 08-37-21.pdf";
    for (PrintOutcome::Kind kind :
         {PrintOutcome::Kind::NothingToPrint, PrintOutcome::Kind::SavedAsPdf, PrintOutcome::Kind::Failed}) {
        Notice n{"print " + std::to_string(int(kind)), CLogPrinter::OutcomeLines({kind, 1, pdf}, loader), {}};
        n.path.assign(n.lines.size(), false);
        for (std::size_t i = 1; i < n.lines.size(); ++i) {
            n.path[i] = true;
        }
        notices.push_back(n);
    }
    ASSERT_GT(notices.size(), 40u);

    for (double scale : {0.9, 1.0, 1.2}) {
        for (const Notice& n : notices) {
            SCOPED_TRACE(testing::Message() << n.name << " at " << scale);
            CMsgBoxDlg box(nullptr, 255);
            box.m_dScale = scale;
            for (std::size_t i = 0; i < n.lines.size(); ++i) {
                box.SetLine(int(i), n.lines[i]);
            }
            box.m_nLineCount = int(n.lines.size());
            box.m_nButtonMode = 1;
            ModalScript script;
            script.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& d) {
                for (std::size_t i = 0; i < n.lines.size(); ++i) {
                    const std::string shown = d.m_szLine[i];
                    const std::string whole = n.lines[i].GetString();
                    if (!n.path[i]) {
                        EXPECT_EQ(shown, whole) << "line " << i << " is not shown whole";
                    } else if (shown != whole) {
                        // Shortened in its middle: its start and its last characters show.
                        const std::size_t cut = shown.find("\xE2\x80\xA6");
                        ASSERT_NE(cut, std::string::npos) << shown;
                        EXPECT_EQ(whole.substr(0, cut), shown.substr(0, cut));
                        const std::string end = shown.substr(cut + 3);
                        EXPECT_GE(end.size(), 8u) << shown;
                        EXPECT_EQ(whole.substr(whole.size() - end.size()), end);
                    }
                    CSkinLabel& label = d.m_label[i];
                    const QRect plate = label.GetHost()->geometry();
                    const auto [first, last] = InkColumns(label, d.m_szLine[i]);
                    ASSERT_GE(first, 0) << "line " << i << " shows no text";
                    EXPECT_LT(last, plate.width()) << "line " << i << " '" << shown << "' is cut by its plate";
                    EXPECT_GE(plate.left() + first, 0) << "line " << i;
                    EXPECT_LT(plate.left() + last, CMsgBoxDlg::kBoxWidth)
                        << "line " << i << " '" << shown << "' is cut by the box";
                }
                Click(d, IDOK);
            });
            box.DoModal();
            EXPECT_TRUE(script.Done());
        }
    }
}

TEST(ProgressPopupTest, StaysInsideTheVideoAreaSnappingWithinTwentyPixels) {
    const RECT area{100, 100, 900, 600};
    struct Case {
        int x, y;
        int expectX, expectY;
    } const cases[] = {
        {85, 300, 100, 300},  // 15 pixels past the left edge: at the edge
        {115, 300, 100, 300}, // within 20 of it: snaps
        {121, 300, 121, 300}, // further in: stays
        {400, 590, 400, 560}, // past the bottom: its bottom at the edge
        {400, 101, 400, 100}, // near the top
        {900, 300, 546, 300}, // past the right
    };
    for (const auto& c : cases) {
        WINDOWPOS pos{nullptr, nullptr, c.x, c.y, 354, 40, 0};
        CProgressPopupDlg::KeepInside(area, pos);
        EXPECT_EQ(pos.x, c.expectX) << c.x << "," << c.y;
        EXPECT_EQ(pos.y, c.expectY) << c.x << "," << c.y;
    }
}

TEST_F(DialogTest, ImagePreviewSizesToThePictureOrClosesAtOnce) {
    const RECT large{0, 0, 4000, 4000};
    EXPECT_EQ(CImagePreviewDlg::WindowSizeFor(720, 576, large).cx, 764);
    EXPECT_EQ(CImagePreviewDlg::WindowSizeFor(720, 576, large).cy, 652);
    const RECT small{0, 0, 800, 600};
    EXPECT_EQ(CImagePreviewDlg::WindowSizeFor(3000, 2000, small).cx, 800);
    EXPECT_EQ(CImagePreviewDlg::WindowSizeFor(3000, 2000, small).cy, 600);

    CImagePreviewDlg unreadable(nullptr);
    unreadable.m_strPath = (m_env.Root() / "missing.jpg").c_str();
    EXPECT_EQ(unreadable.DoModal(), IDCANCEL);

    const std::string path = (m_env.Root() / "shot.bmp").string();
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(0xFF336699);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
    CImagePreviewDlg preview(nullptr);
    preview.m_strPath = path.c_str();
    CSize size;
    ModalScript script;
    script.Expect<CImagePreviewDlg>([&](CImagePreviewDlg& d) {
        CRect client;
        d.GetClientRect(&client);
        size = CSize(client.Width(), client.Height());
        d.EndDialog(IDOK);
    });
    preview.DoModal();
    EXPECT_EQ(size.cx, 364);
    EXPECT_EQ(size.cy, 316);
}

// A picture nearly as large as the screen: the window, opened centred at its first size and then
// grown to the picture, lies whole on the screen, its picture time included.
TEST_F(DialogTest, ImagePreviewOfALargePictureStaysWholeOnItsMonitor) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int width = screen.width() - 160;
    const int height = screen.height() - 124;
    const std::string path = (m_env.Root() / "large.bmp").string();
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(0xFF336699);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
    CImagePreviewDlg preview(nullptr);
    preview.m_strPath = path.c_str();
    CRect window;
    CRect client;
    ModalScript script;
    script.Expect<CImagePreviewDlg>([&](CImagePreviewDlg& d) {
        // Shown, the window settles where its frame lies whole on the screen.
        WaitUntil(
            [&] {
                d.GetWindowRect(&window);
                return screen.contains(QRect(window.left, window.top, window.Width(), window.Height()));
            },
            10000);
        d.GetWindowRect(&window);
        d.GetClientRect(&client);
        d.EndDialog(IDOK);
    });
    preview.DoModal();
    EXPECT_EQ(client.Width(), width + 44);
    EXPECT_EQ(client.Height(), height + 76);
    EXPECT_GE(window.left, screen.left());
    EXPECT_GE(window.top, screen.top());
    EXPECT_LE(window.right, screen.left() + screen.width()) << "the right edge is off the screen";
    EXPECT_LE(window.bottom, screen.top() + screen.height()) << "the bottom edge is off the screen";
}

TEST_F(DialogTest, FilePreviewShowsTheSizeOfTheSelectedPicture) {
    const std::filesystem::path saved = m_env.Root() / "Saved";
    std::filesystem::create_directories(saved / "other");
    QImage picture(720, 576, QImage::Format_RGB32);
    picture.fill(0xFF808000);
    ASSERT_TRUE(picture.save(QString::fromStdString((saved / "shot.bmp").string()), "BMP"));
    AppTestEnv::WriteBytes(saved / "broken.jpg", "not a picture");

    CPreviewFileDlg files(nullptr, (saved.string() + "/").c_str());
    std::vector<std::string> shown;
    int step = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QFileDialog* chooser = files.Chooser();
        if (chooser == nullptr) {
            return;
        }
        // What the chooser tells when the operator moves to a file.
        auto pick = [chooser](const std::filesystem::path& path) {
            Q_EMIT chooser->currentChanged(QString::fromStdString(path.string()));
        };
        switch (step++) {
        case 0:
            pick(saved / "shot.bmp");
            break;
        case 1:
            shown.push_back(std::string(files.GetSizeText()));
            pick(saved / "broken.jpg");
            break;
        case 2:
            shown.push_back(std::string(files.GetSizeText()));
            pick(saved / "shot.bmp");
            break;
        case 3:
            chooser->setDirectory(QString::fromStdString((saved / "other").string()));
            break;
        default:
            shown.push_back(std::string(files.GetSizeText()));
            poll.stop();
            chooser->reject();
            break;
        }
    });
    poll.start(100);
    EXPECT_EQ(files.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, (std::vector<std::string>{"(720 x 576)", "(0 x 0)", "(0 x 0)"}));
}

} // namespace
