// Check boxes and radio buttons: kinds from the template style, their own check state, group
// clearing, the mask-shaped window and the bitmap each look draws.

#include "SkinTestSupport.h"

#include "controls/SkinCheckButton.h"

#include <gtest/gtest.h>

#include <array>

using namespace skintest;

namespace {

// Bitmap ids of the tests' check-button art: each look its own colour, the mask black on white.
constexpr UINT kNormal = 601;
constexpr UINT kChecked = 602;
constexpr UINT kHover = 603;
constexpr UINT kDisabled = 604;
constexpr UINT kFocus = 605;
constexpr UINT kMask = 606;

constexpr int kSide = 16;

QImage Mask() {
    // Black where the button is, white around it: a 12 x 12 square in a 16 x 16 picture.
    QImage mask = Solid(kSide, kSide, 0xFFFFFFFF);
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            mask.setPixel(x, y, 0xFF000000);
    return mask;
}

class SkinCheckButtons : public ::testing::Test {
protected:
    void SetUp() override {
        bitmaps.Add(kNormal, Solid(kSide, kSide, CellColour(0)));
        bitmaps.Add(kChecked, Solid(kSide, kSide, CellColour(1)));
        bitmaps.Add(kHover, Solid(kSide, kSide, CellColour(2)));
        bitmaps.Add(kDisabled, Solid(kSide, kSide, CellColour(3)));
        bitmaps.Add(kFocus, Solid(kSide, kSide, CellColour(4)));
        bitmaps.Add(kMask, Mask());
    }
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    TestBitmaps bitmaps;
    CLogDialog dlg;
};

// A counting stand-in for any other control of a group.
class CCountingWnd : public CWnd {
public:
    int unchecks = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SKINCHECK_UNCHECK)
            ++unchecks;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(SkinCheckButtons, KindComesFromTheTemplateStyle) {
    const struct {
        DWORD style;
        int kind;
    } cases[] = {
        {BS_AUTOCHECKBOX, CSkinCheckButton::kCheckBox}, {BS_AUTORADIOBUTTON, CSkinCheckButton::kRadio},
        {BS_PUSHBUTTON, CSkinCheckButton::kPush},       {BS_DEFPUSHBUTTON, CSkinCheckButton::kPush},
        {BS_CHECKBOX, CSkinCheckButton::kPush},         {BS_RADIOBUTTON, CSkinCheckButton::kPush},
        {BS_AUTO3STATE, CSkinCheckButton::kPush},
    };
    std::array<CSkinCheckButton, std::size(cases)> buttons;
    std::vector<DialogItem> items;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int id = 200 + int(i);
        items.push_back({UINT(id), "BUTTON", 10, 10 + 20 * int(i), 16, 16, WS_VISIBLE | cases[i].style, ""});
        dlg.Bind(id, buttons[i]);
    }
    ASSERT_TRUE(dlg.Open(items));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(buttons[i].GetKind(), cases[i].kind) << "style " << cases[i].style;
        EXPECT_EQ(buttons[i].GetStyle() & BS_OWNERDRAW, BS_OWNERDRAW);
    }
}

TEST_F(SkinCheckButtons, CheckMessagesKeepTheirOwnStateAndPushButtonsNeverCheck) {
    CSkinCheckButton box;
    CSkinCheckButton push;
    dlg.Bind(201, box);
    dlg.Bind(202, push);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 16, 16, WS_VISIBLE | BS_AUTOCHECKBOX, ""},
                          {202, "BUTTON", 10, 40, 16, 16, WS_VISIBLE | BS_PUSHBUTTON, ""}}));
    EXPECT_EQ(box.GetCheck(), 0);
    box.SetCheck(1);
    EXPECT_EQ(box.GetCheck(), 1);
    box.SetCheck(0);
    EXPECT_EQ(box.GetCheck(), 0);
    push.SetCheck(1);
    EXPECT_EQ(push.GetCheck(), 0);
}

TEST_F(SkinCheckButtons, ClickTogglesACheckBoxAndChecksARadioButtonBeforeTheClickArrives) {
    CSkinCheckButton box;
    CSkinCheckButton radio;
    dlg.Bind(201, box);
    dlg.Bind(202, radio);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 16, 16, WS_VISIBLE | BS_AUTOCHECKBOX | WS_GROUP, ""},
                          {202, "BUTTON", 10, 40, 16, 16, WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, ""}}));
    std::vector<int> checkAtClick;
    dlg.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            checkAtClick.push_back(LOWORD(wParam) == 201 ? box.GetCheck() : radio.GetCheck());
    };
    for (CSkinCheckButton* b : {&box, &box, &radio, &radio}) {
        b->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
        b->SendMessage(WM_LBUTTONUP, 0, Pt(5, 5));
    }
    EXPECT_EQ(checkAtClick, (std::vector<int>{1, 0, 1, 1}));
    EXPECT_EQ(box.GetCheck(), 0);
    EXPECT_EQ(radio.GetCheck(), 1);
}

TEST_F(SkinCheckButtons, SpaceTogglesLikeAClick) {
    CSkinCheckButton box;
    dlg.Bind(201, box);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 16, 16, WS_VISIBLE | BS_AUTOCHECKBOX, ""}}));
    box.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(box.GetCheck(), 1);
    box.SendMessage(WM_KEYUP, VK_SPACE, 1);
    box.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(box.GetCheck(), 0);
}

TEST_F(SkinCheckButtons, PressDragOffAndReleaseChangesNothing) {
    CSkinCheckButton box;
    dlg.Bind(201, box);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 16, 16, WS_VISIBLE | BS_AUTOCHECKBOX, ""}}));
    box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    EXPECT_NE(box.CButton::GetState() & BST_PUSHED, 0u);
    box.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(40, 40));
    EXPECT_EQ(box.CButton::GetState() & BST_PUSHED, 0u);
    box.SendMessage(WM_LBUTTONUP, 0, Pt(40, 40));
    EXPECT_EQ(box.GetCheck(), 0);
    EXPECT_TRUE(dlg.Of(WM_COMMAND).empty());
}

// Checking a radio button clears every other member of its group, hidden and disabled ones too,
// each told exactly once, and nothing outside the group.
TEST_F(SkinCheckButtons, RadioGroupClearsOnlyItsOwnMembersWhateverTheirState) {
    CCountingWnd before;
    CSkinCheckButton a;
    CSkinCheckButton b;
    CSkinCheckButton hidden;
    CSkinCheckButton disabled;
    CCountingWnd label;
    CSkinCheckButton next;
    CCountingWnd after;
    const DWORD radio = WS_VISIBLE | BS_AUTORADIOBUTTON;
    dlg.Bind(300, before);
    dlg.Bind(301, a);
    dlg.Bind(302, b);
    dlg.Bind(303, hidden);
    dlg.Bind(304, disabled);
    dlg.Bind(305, label);
    dlg.Bind(306, next);
    dlg.Bind(307, after);
    ASSERT_TRUE(dlg.Open({
        {300, "STATIC", 0, 0, 10, 10, WS_VISIBLE | WS_GROUP, ""},
        {301, "BUTTON", 10, 10, 16, 16, radio | WS_GROUP, ""},
        {302, "BUTTON", 10, 30, 16, 16, radio, ""},
        {303, "BUTTON", 10, 50, 16, 16, BS_AUTORADIOBUTTON, ""},
        {304, "BUTTON", 10, 70, 16, 16, radio | WS_DISABLED, ""},
        {305, "STATIC", 40, 10, 10, 10, WS_VISIBLE, ""},
        {306, "BUTTON", 10, 90, 16, 16, radio | WS_GROUP, ""},
        {307, "STATIC", 40, 90, 10, 10, WS_VISIBLE, ""},
    }));
    ASSERT_FALSE(hidden.IsWindowVisible());
    ASSERT_FALSE(disabled.IsWindowEnabled());
    next.SetCheck(1);
    Flush();
    label.unchecks = before.unchecks = after.unchecks = 0;

    // Checking the hidden member: the walk must end and reach everybody else in the group.
    for (CSkinCheckButton* member : {&b, &hidden, &disabled, &a}) {
        member->SetCheck(1);
        Flush();
        for (CSkinCheckButton* other : {&a, &b, &hidden, &disabled})
            EXPECT_EQ(other->GetCheck(), other == member ? 1 : 0) << member->GetDlgCtrlID();
    }
    EXPECT_EQ(label.unchecks, 4);
    EXPECT_EQ(before.unchecks, 0);
    EXPECT_EQ(after.unchecks, 0);
    EXPECT_EQ(next.GetCheck(), 1);
}

TEST_F(SkinCheckButtons, UncheckingARadioButtonPostsNothing) {
    CSkinCheckButton a;
    CCountingWnd other;
    dlg.Bind(301, a);
    dlg.Bind(302, other);
    ASSERT_TRUE(dlg.Open({{301, "BUTTON", 10, 10, 16, 16, WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, ""},
                          {302, "STATIC", 40, 10, 10, 10, WS_VISIBLE, ""}}));
    a.SetCheck(0);
    Flush();
    EXPECT_EQ(other.unchecks, 0);
    a.SetCheck(1);
    Flush();
    EXPECT_EQ(other.unchecks, 1);
}

TEST_F(SkinCheckButtons, MaskShapesTheWindowAndSizesItInDrawModeZero) {
    CSkinCheckButton box;
    dlg.Bind(201, box);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 40, 30, WS_VISIBLE | BS_AUTOCHECKBOX, ""}}));
    ASSERT_TRUE(box.SetBitmaps(kNormal, kChecked, kHover, kDisabled, kFocus, kMask, 0, 0, 0));
    CRect client;
    box.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, kSide, kSide));
    const QRegion shape = box.GetHost()->mask();
    EXPECT_EQ(shape.boundingRect(), QRect(2, 2, 12, 12));
    EXPECT_TRUE(shape.contains(QPoint(7, 7)));
    EXPECT_FALSE(shape.contains(QPoint(1, 7)));
}

// Draws each look's bitmap: normal, checked (also while pressed), hover while tracked, disabled.
TEST_F(SkinCheckButtons, EachLookDrawsItsBitmapInsideTheMask) {
    CSkinCheckButton box;
    dlg.Bind(201, box);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 40, 30, WS_VISIBLE | BS_AUTOCHECKBOX, ""}}));
    ASSERT_TRUE(box.SetBitmaps(kNormal, kChecked, kHover, 0, 0, kMask, 0, 0, 0));
    EXPECT_EQ(At(Grab(box), 7, 7), CellColour(0));
    box.SetCheck(1);
    EXPECT_EQ(At(Grab(box), 7, 7), CellColour(1));
    box.SetCheck(0);
    box.SendMessage(WM_MOUSEMOVE, 0, Pt(7, 7));
    EXPECT_EQ(At(Grab(box), 7, 7), CellColour(2));
    box.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(At(Grab(box), 7, 7), CellColour(0));
    // No disabled bitmap given: the normal one stands in.
    box.EnableWindow(FALSE);
    EXPECT_EQ(At(Grab(box), 7, 7), CellColour(0));
}

TEST_F(SkinCheckButtons, WithoutBitmapsTheFaceColourFillsAndTheCaptionIsDrawn) {
    CSkinCheckButton box;
    dlg.Bind(201, box);
    ASSERT_TRUE(dlg.Open({{201, "BUTTON", 10, 10, 60, 20, WS_VISIBLE | BS_AUTOCHECKBOX, "Motion"}}));
    const QImage face = Grab(box);
    EXPECT_EQ(At(face, 1, 1), ColorFromRef(GetSysColor(COLOR_BTNFACE)).rgb());
    const std::vector<std::string> texts = Record(box).Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "Motion");
    box.EnableWindow(FALSE);
    // Disabled: the caption twice, highlight then grey one pixel up and left.
    std::vector<DrawRecord> drawn;
    for (const DrawRecord& r : Record(box).Of(DrawRecord::Op::Text)) {
        if (r.wnd == box.GetSafeHwnd())
            drawn.push_back(r);
    }
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].textColor, GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(drawn[1].textColor, GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(drawn[1].rect.left, drawn[0].rect.left - 1);
    EXPECT_EQ(drawn[1].rect.top, drawn[0].rect.top - 1);
}

} // namespace
