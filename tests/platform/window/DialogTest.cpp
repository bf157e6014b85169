// Dialogs: modal loops inside modal loops, modeless lifetime, templates and data exchange, keys.

#include "WidgetTestSupport.h"

#include "platform/window/Button.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/Edit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;
constexpr UINT WM_OPEN_INNER = WM_APP + 2;

enum : UINT { IDD_OUTER = 9001, IDD_INNER = 9002, IDD_FORM = 9003, IDD_MODELESS = 9004 };
enum : UINT { IDC_CHECK = 501, IDC_NAME = 502, IDC_OTHER = 503, IDC_MISSING = 599 };

const DialogItem kButtons[] = {
    {IDOK, "BUTTON", 10, 160, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK"},
    {IDCANCEL, "BUTTON", 100, 160, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, "Cancel"},
};
const DialogTemplate kOuter{
    .id = IDD_OUTER, .x = 40, .y = 40, .cx = 300, .cy = 200, .style = WS_POPUP, .items = kButtons};
const DialogTemplate kInner{
    .id = IDD_INNER, .x = 80, .y = 80, .cx = 200, .cy = 200, .style = WS_POPUP, .items = kButtons};
const DialogTemplateRegistration kOuterRegistered(kOuter);
const DialogTemplateRegistration kInnerRegistered(kInner);

const DialogItem kFormItems[] = {
    {IDC_CHECK, "BUTTON", 10, 10, 15, 15, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | WS_GROUP, ""},
    {IDC_NAME, "EDIT", 10, 40, 150, 18, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, ""},
    {IDC_OTHER, "EDIT", 10, 70, 150, 18, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, "preset"},
    {IDOK, "BUTTON", 10, 160, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK"},
    {IDCANCEL, "BUTTON", 100, 160, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, "Cancel"},
};
const DialogTemplate kForm{
    .id = IDD_FORM, .x = 100, .y = 100, .cx = 300, .cy = 200, .style = WS_POPUP | WS_VISIBLE, .items = kFormItems};
const DialogTemplateRegistration kFormRegistered(kForm);

const DialogTemplate kModeless{
    .id = IDD_MODELESS, .x = 60, .y = 60, .cx = 120, .cy = 80, .style = WS_POPUP | WS_VISIBLE, .items = kButtons};
const DialogTemplateRegistration kModelessRegistered(kModeless);

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void TearDown() override { Flush(); }
};

// ---- modal in modal

class CInner : public CDialog {
public:
    explicit CInner(CWnd* parent) : CDialog(IDD_INNER, parent) {}
    HWND outer = nullptr;
    int ticks = 0;
    int posts = 0;
    bool ownerBlockedSeen = false;
    std::thread worker;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetTimer(1, 10);
        const HWND self = m_hWnd.load();
        const HWND other = outer;
        worker = std::thread([self, other] {
            for (int i = 0; i < 20; ++i) {
                ::PostMessage(self, WM_PROBE, WPARAM(i), 0);
                ::PostMessage(other, WM_PROBE, WPARAM(i), 0);
            }
        });
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PROBE) {
            ++posts;
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnTimer(UINT_PTR id) override {
        if (id != 1) {
            return;
        }
        ++ticks;
        ownerBlockedSeen = ownerBlockedSeen || CWnd::FromHandle(outer)->GetHost()->InputBlocked();
        if (ticks >= 3 && posts == 20) {
            KillTimer(1);
            EndDialog(IDOK);
        }
    }
};

class COuter : public CDialog {
public:
    COuter() : CDialog(IDD_OUTER, nullptr) {}
    int ticks = 0;
    int ticksDuringInner = 0;
    int posts = 0;
    int postsDuringInner = 0;
    INT_PTR innerResult = 0;
    bool innerRunning = false;
    bool ownerBlockedSeen = false;
    bool ownerFreeAfter = false;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetTimer(2, 10);
        PostMessage(WM_OPEN_INNER);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PROBE) {
            ++posts;
            postsDuringInner += innerRunning ? 1 : 0;
            return 0;
        }
        if (message == WM_OPEN_INNER) {
            CInner inner(this);
            inner.outer = m_hWnd.load();
            innerRunning = true;
            innerResult = inner.DoModal();
            innerRunning = false;
            inner.worker.join();
            ownerBlockedSeen = inner.ownerBlockedSeen;
            ownerFreeAfter = !GetHost()->InputBlocked() && IsWindowEnabled();
            // The program closes its frames by posting WM_CLOSE.
            PostMessage(WM_CLOSE);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnTimer(UINT_PTR id) override {
        if (id == 2) {
            ++ticks;
            ticksDuringInner += innerRunning ? 1 : 0;
        }
    }
};

TEST_F(DialogTest, ModalInsideModalKeepsDeliveringPostsAndTimersAndCloseGivesCancel) {
    COuter outer;
    const INT_PTR result = outer.DoModal();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(outer.innerResult, IDOK);
    EXPECT_GT(outer.ticksDuringInner, 0);
    EXPECT_EQ(outer.posts, 20);
    EXPECT_GE(outer.postsDuringInner, 19);
    EXPECT_TRUE(outer.ownerBlockedSeen);
    EXPECT_TRUE(outer.ownerFreeAfter);
    EXPECT_EQ(outer.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, UnknownTemplateAndEndDialogDuringInitialisation) {
    CDialog unknown(12345, nullptr);
    EXPECT_EQ(unknown.DoModal(), -1);

    struct CQuick : CDialog {
        CQuick() : CDialog(IDD_INNER, nullptr) {}
        bool shown = false;
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            EndDialog(7);
            return TRUE;
        }
        void OnShowWindow(BOOL show, UINT status) override {
            shown = shown || show;
            CDialog::OnShowWindow(show, status);
        }
    } quick;
    EXPECT_EQ(quick.DoModal(), 7);
    EXPECT_FALSE(quick.shown);
}

// ---- modeless lifetime

class CModeless : public CDialog {
public:
    std::vector<std::string>* log = nullptr;
    bool* deleted = nullptr;
    std::string name = "modeless";

    void OnClose() override {
        DestroyWindow();
        // Still a whole object: its PostNcDestroy (which deletes it) waits for this message to end.
        log->push_back(name + " closed, window " + (m_hWnd.load() != nullptr ? "alive" : "gone"));
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PROBE) {
            log->push_back("probe");
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        log->push_back("postncdestroy");
        *deleted = true;
        delete this;
    }
};

TEST_F(DialogTest, PostNcDestroyDeletesAModelessDialogAfterItsLastMessage) {
    std::vector<std::string> log;
    bool deleted = false;
    auto* dialog = new CModeless;
    dialog->log = &log;
    dialog->deleted = &deleted;
    ASSERT_TRUE(dialog->Create(IDD_MODELESS, nullptr));
    const HWND hwnd = dialog->GetSafeHwnd();
    EXPECT_TRUE(dialog->IsWindowVisible());
    PostMessage(hwnd, WM_CLOSE, 0, 0);
    PostMessage(hwnd, WM_PROBE, 0, 0);
    Flush();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(log, (std::vector<std::string>{"modeless closed, window gone", "postncdestroy"}));
}

// ---- templates and data exchange

class CRecordingCheck : public CButton {
public:
    DWORD styleAtAttach = 0;
    int presses = 0;
    void PreSubclassWindow() override {
        styleAtAttach = GetStyle();
        ModifyStyle(0, BS_OWNERDRAW);
    }
    void OnLButtonDown(UINT flags, CPoint point) override {
        ++presses;
        CButton::OnLButtonDown(flags, point);
    }
};

class CFilteredEdit : public CEdit {
public:
    std::vector<UINT> keys;
    void OnChar(UINT ch, UINT repeat, UINT flags) override {
        if (ch == ',') {
            return; // refused
        }
        CEdit::OnChar(ch, repeat, flags);
    }
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override {
        keys.push_back(vk);
        CEdit::OnKeyDown(vk, repeat, flags);
    }
};

class CForm : public CDialog {
public:
    CForm() : CDialog(IDD_FORM, nullptr) {}
    CRecordingCheck m_check;
    CFilteredEdit m_name;
    CButton m_missing;
    CString m_text = "hello";
    int changes = 0;
    int oks = 0;
    int cancels = 0;
    bool passEnterAndEscape = false;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_CHECK, m_check);
        DDX_Control(pDX, IDC_NAME, m_name);
        DDX_Control(pDX, IDC_MISSING, m_missing);
        DDX_Text(pDX, IDC_NAME, m_text);
        DDV_MaxChars(pDX, m_text, 8);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDC_NAME && HIWORD(wParam) == EN_CHANGE) {
            ++changes;
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE) &&
            passEnterAndEscape) {
            return FALSE; // to the focused control, without dialog processing
        }
        if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_F4) {
            return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }
};

TEST_F(DialogTest, DataExchangeBindsTemplateControlsThatSeeTheTemplateStyle) {
    CForm form;
    ASSERT_TRUE(form.Create(IDD_FORM, nullptr));
    EXPECT_EQ(form.m_check.styleAtAttach & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_NE(form.m_check.styleAtAttach & WS_GROUP, 0U);
    EXPECT_EQ(form.m_check.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(form.GetDlgItem(IDC_CHECK), &form.m_check);
    EXPECT_EQ(form.m_check.GetDlgCtrlID(), int(IDC_CHECK));
    EXPECT_EQ(form.GetDlgItem(IDC_MISSING), nullptr);
    EXPECT_EQ(form.m_missing.GetSafeHwnd(), nullptr);
    CString preset;
    EXPECT_EQ(form.GetDlgItemText(IDC_OTHER, preset), 6);
    EXPECT_EQ(preset, "preset");

    CString text;
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(form.m_name.GetLimitText(), 8U);

    // The template's font reaches every control.
    EXPECT_NE(form.GetFont(), nullptr);
    EXPECT_EQ(form.m_name.GetFont(), form.GetFont());

    // The bound object gets the control's messages, then the control's own behaviour follows.
    ShowAndWait(form);
    Click(form.m_check, 5, 5);
    EXPECT_EQ(form.m_check.presses, 1);

    // Reading back; writing back an unchanged text raises no EN_CHANGE.
    form.m_name.SetWindowText("abc");
    ASSERT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.m_text, "abc");
    const int before = form.changes;
    ASSERT_TRUE(form.UpdateData(FALSE));
    EXPECT_EQ(form.changes, before);
    form.DestroyWindow();
}

TEST_F(DialogTest, WorkersReadPublishedStateAndTheirChangesAreQueued) {
    CForm form;
    ASSERT_TRUE(form.Create(IDD_FORM, nullptr));
    ShowAndWait(form);
    CWnd* seenItem = nullptr;
    DWORD seenStyle = 0;
    BOOL seenVisible = FALSE;
    CRect seenClient;
    CRect seenWindow;
    int seenId = 0;
    CWnd* seenParent = nullptr;
    std::thread worker([&] {
        seenItem = form.GetDlgItem(IDC_NAME);
        seenStyle = form.m_check.GetStyle();
        seenVisible = form.m_name.IsWindowVisible();
        form.m_name.GetClientRect(&seenClient);
        form.m_name.GetWindowRect(&seenWindow);
        seenId = form.m_name.GetDlgCtrlID();
        seenParent = form.m_name.GetParent();
        form.m_name.EnableWindow(FALSE);
        form.m_name.SetWindowText("from the worker");
    });
    worker.join();
    EXPECT_EQ(seenItem, &form.m_name);
    EXPECT_EQ(seenStyle & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(seenVisible);
    EXPECT_EQ(seenClient, CRect(0, 0, 150, 18));
    EXPECT_EQ(seenWindow, CRect(110, 140, 260, 158));
    EXPECT_EQ(seenId, int(IDC_NAME));
    EXPECT_EQ(seenParent, &form);
    EXPECT_TRUE(form.m_name.IsWindowEnabled()); // not yet: queued
    Flush();
    EXPECT_FALSE(form.m_name.IsWindowEnabled());
    CString text;
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "from the worker");
    form.DestroyWindow();
}

TEST_F(DialogTest, EditNotifiesEveryChangeFiltersCharactersAndRefusesTheNinth) {
    CForm form;
    ASSERT_TRUE(form.Create(IDD_FORM, nullptr));
    ShowAndWait(form);
    FocusWindow(form, form.m_name);
    QWidget* line = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(line), nullptr);

    form.changes = 0;
    form.m_name.SetWindowText("");
    EXPECT_EQ(form.changes, 1); // programmatic changes notify too
    form.m_name.SetWindowText("");
    EXPECT_EQ(form.changes, 2); // and so does setting the same text

    form.changes = 0;
    QTest::keyClicks(line, "ab,c");
    CString text;
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(form.changes, 3);

    form.m_name.SetWindowText("");
    QTest::keyClicks(line, "123456789");
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "12345678");

    // Pasting is not filtered but is held to the limit.
    form.m_name.SetWindowText("");
    QGuiApplication::clipboard()->setText("x,yz0123456789");
    QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "x,yz0123");

    // Backspace arrives as a character and deletes.
    QTest::keyClick(line, Qt::Key_Backspace);
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "x,yz012");

    // Reading a longer text than the check allows fails the exchange.
    // A text set by the program is not cut to the limit; reading it back fails the check.
    form.m_name.SetWindowText("123456789");
    form.m_name.GetWindowText(text);
    EXPECT_EQ(text, "123456789");
    EXPECT_FALSE(form.UpdateData(TRUE));
    form.DestroyWindow();
}

TEST_F(DialogTest, DialogKeysAndPreTranslateMessage) {
    CForm form;
    ASSERT_TRUE(form.Create(IDD_FORM, nullptr));
    ShowAndWait(form);
    FocusWindow(form, form.m_name);
    QWidget* line = QApplication::focusWidget();
    ASSERT_NE(line, nullptr);

    // Standard dialog keys: Escape cancels, Enter is OK, Tab moves to the next tab stop.
    QTest::keyClick(line, Qt::Key_Escape);
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(form.cancels, 1);
    EXPECT_EQ(form.oks, 1);
    QTest::keyClick(line, Qt::Key_Tab);
    EXPECT_EQ(CWnd::GetFocus(), form.GetDlgItem(IDC_OTHER));

    // Let through: the keys reach the focused control and the dialog does nothing with them.
    form.m_name.SetFocus();
    form.passEnterAndEscape = true;
    form.m_name.keys.clear();
    line = QApplication::focusWidget();
    QTest::keyClick(line, Qt::Key_Escape);
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(form.cancels, 1);
    EXPECT_EQ(form.oks, 1);
    EXPECT_EQ(form.m_name.keys, (std::vector<UINT>{VK_ESCAPE, VK_RETURN}));

    // Alt+F4, as a key or as the window manager's close request, is swallowed.
    QTest::keyClick(line, Qt::Key_F4, Qt::AltModifier);
    form.GetHost()->close();
    Flush();
    EXPECT_TRUE(form.IsWindow());
    EXPECT_TRUE(form.IsWindowVisible());
    form.DestroyWindow();
}

} // namespace
