// Filtered edits (what typing lets through, what pasting does) and the colour list (columns drawn,
// colours, the highlight rule with and without the focus).

#include "SkinTestSupport.h"

#include "controls/ColorEdit.h"
#include "controls/ColorListCtrl.h"
#include "controls/NameEdit.h"
#include "controls/NumberEdit.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

using namespace skintest;

namespace {

constexpr int kId = 380;

class Edits : public ::testing::Test {
protected:
    void Open(CWnd& edit) {
        dlg.Bind(kId, edit);
        ASSERT_TRUE(dlg.Open({{kId, "EDIT", 10, 10, 150, 16, WS_VISIBLE | ES_AUTOHSCROLL, ""}}));
    }
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    static CString Type(CWnd& edit, const std::vector<UINT>& chars) {
        edit.SetWindowText("");
        for (UINT c : chars)
            edit.SendMessage(WM_CHAR, c, 1);
        CString text;
        edit.GetWindowText(text);
        return text;
    }
    static std::vector<UINT> Chars(const char* text) {
        std::vector<UINT> out;
        for (const char* p = text; *p != '\0'; ++p)
            out.push_back(UINT(static_cast<unsigned char>(*p)));
        return out;
    }
    CLogDialog dlg;
};

TEST_F(Edits, NameEditKeepsNameCharactersOnly) {
    CNameEdit edit;
    Open(edit);
    const struct {
        std::vector<UINT> typed;
        const char* kept;
    } cases[] = {
        {Chars("Cam-1.a/b@c_d 9"), "Cam-1.a/b@c_d 9"},
        {Chars("a,b+c"), "abc"},
        {{'x', 0xE9, 0x4E2D, 'y'}, "xy"}, // non-ASCII letters refused
        {Chars("a;b:c!d#e"), "abcde"},
        {{'a', 'b', 8, 'c'}, "ac"}, // backspace still edits
    };
    for (const auto& c : cases)
        EXPECT_EQ(Type(edit, c.typed), c.kept) << c.kept;
}

TEST_F(Edits, NumberEditKeepsDigitsOnly) {
    CNumberEdit edit;
    Open(edit);
    const struct {
        std::vector<UINT> typed;
        const char* kept;
    } cases[] = {
        {Chars("2000"), "2000"},
        {Chars("20a0x"), "200"},
        {Chars("1,2+3 -4.5"), "12345"},
        {{'7', 0xE9, '8', 8}, "7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Type(edit, c.typed), c.kept) << c.kept;
}

TEST_F(Edits, ColorEditKeepsEverything) {
    CColorEdit edit;
    Open(edit);
    EXPECT_EQ(Type(edit, Chars("a,b+c;1")), "a,b+c;1");
}

TEST_F(Edits, PasteIsNotFilteredButHeldToTheLimit) {
    CNameEdit edit;
    Open(edit);
    edit.LimitText(5);
    QGuiApplication::clipboard()->setText("a,b+cdef");
    edit.SetFocus();
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, "\x16");
    QCoreApplication::sendEvent(edit.GetHost(), &paste);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "a,b+c");
}

TEST_F(Edits, ColourRequestGivesTheTextColourOnWhite) {
    CNumberEdit edit;
    Open(edit);
    edit.SetTextColor(0x783C3C);
    CDC dc;
    const HBRUSH brush = edit.CtlColor(&dc, CTLCOLOR_EDIT);
    EXPECT_EQ(dc.GetTextColor(), 0x783C3Cu);
    COLORREF colour = 0;
    bool isNull = true;
    ASSERT_TRUE(GdiBrushColor(brush, &colour, &isNull));
    EXPECT_FALSE(isNull);
    EXPECT_EQ(colour, 0xFFFFFFu);
    // The same answer reaches the edit through its parent's colour request.
    EXPECT_EQ(reinterpret_cast<HBRUSH>(dlg.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                       reinterpret_cast<LPARAM>(edit.GetSafeHwnd()))),
              brush);
}

TEST(ColorListHighlight, FocusRowAlwaysSelectedRowsOnlyWithoutTheFocus) {
    const struct {
        UINT state;
        bool listFocused;
        DWORD style;
        bool highlighted;
    } cases[] = {
        {LVIS_FOCUSED, true, 0, true},
        {LVIS_FOCUSED, false, 0, true},
        {LVIS_SELECTED, true, LVS_SHOWSELALWAYS, false},
        {LVIS_SELECTED, false, LVS_SHOWSELALWAYS, true},
        {LVIS_SELECTED, false, 0, false},
        {LVIS_DROPHILITED, false, 0, true},
        {LVIS_DROPHILITED, true, LVS_SHOWSELALWAYS, false},
        {0, false, LVS_SHOWSELALWAYS, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CColorListCtrl::IsHighlighted(c.state, c.listFocused, c.style), c.highlighted)
            << c.state << " focus " << c.listFocused << " style " << c.style;
    }
}

class ColorLists : public ::testing::Test {
protected:
    void SetUp() override {
        dlg.Bind(kId, list);
        ASSERT_TRUE(dlg.Open({{kId, "SysListView32", 10, 10, 360, 120, WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, ""},
                              {kId + 1, "BUTTON", 10, 200, 50, 20, WS_VISIBLE | WS_TABSTOP, "Other"}}));
        for (int c = 0; c < 4; ++c)
            list.InsertColumn(c, "col", LVCFMT_LEFT, 80);
        for (int row = 0; row < 3; ++row) {
            list.InsertItem(row, ("r" + std::to_string(row) + "c0").c_str());
            for (int c = 1; c < 4; ++c)
                list.SetItemText(row, c, ("r" + std::to_string(row) + "c" + std::to_string(c)).c_str());
        }
        list.SetTextStyle(3, 0x783C3C, TRUE, 9, "Arial Bold");
    }
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    // The fill colour each row was drawn with, by row.
    std::vector<COLORREF> RowFills(const CDrawRecorder& recorder) {
        std::vector<COLORREF> fills;
        for (const DrawRecord& r : recorder.Of(DrawRecord::Op::FillRect)) {
            if (r.wnd == list.GetSafeHwnd() && r.rect.right - r.rect.left == 320)
                fills.push_back(r.brushColor);
        }
        return fills;
    }
    CLogDialog dlg;
    CColorListCtrl list;
};

TEST_F(ColorLists, DrawsOnlyTheFirstColumnsAtTheirWidths) {
    EXPECT_NE(list.GetStyle() & LVS_OWNERDRAWFIXED, 0u);
    const CDrawRecorder recorder = Record(list);
    std::vector<DrawRecord> row0;
    for (const DrawRecord& r : recorder.Of(DrawRecord::Op::Text)) {
        if (r.wnd == list.GetSafeHwnd() && r.text.rfind("r0", 0) == 0)
            row0.push_back(r);
    }
    ASSERT_EQ(row0.size(), 3u);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(row0[c].text, "r0c" + std::to_string(c));
        EXPECT_EQ(row0[c].rect.right - row0[c].rect.left, 80);
        EXPECT_EQ(row0[c].rect.left - row0[0].rect.left, 80 * c);
        EXPECT_EQ(row0[c].format & (DT_VCENTER | DT_SINGLELINE | DT_CENTER), DT_VCENTER | DT_SINGLELINE);
        EXPECT_EQ(row0[c].textColor, 0x783C3Cu);
        EXPECT_EQ(row0[c].fontFace, "Arial Bold");
        EXPECT_EQ(row0[c].fontHeight, -12);
        EXPECT_EQ(row0[c].fontWeight, 700);
    }
}

TEST_F(ColorLists, HighlightFollowsTheFocusOfTheList) {
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(2, LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const COLORREF plain = GetSysColor(COLOR_WINDOW);
    const COLORREF lit = GetSysColor(COLOR_ACTIVECAPTION);

    ASSERT_TRUE(Activate(dlg));
    dlg.GetDlgItem(kId + 1)->SetFocus();
    ASSERT_NE(CWnd::GetFocus(), &list);
    EXPECT_EQ(RowFills(Record(list)), (std::vector<COLORREF>{lit, plain, lit}));

    list.SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), &list);
    EXPECT_EQ(RowFills(Record(list)), (std::vector<COLORREF>{plain, plain, lit}));
}

} // namespace
