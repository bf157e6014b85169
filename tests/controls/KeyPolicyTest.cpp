// The key policies of the window kinds, as the operator meets them: Enter, Escape and Alt+F4 typed
// into the focused field of a dialog that filters its keys by a policy, and what came of each (the
// dialog's OK or Cancel, the key reaching the field, or nothing at all).

#include "SkinTestSupport.h"

#include "controls/KeyPolicy.h"
#include "platform/window/Edit.h"

#include <gtest/gtest.h>

#include <QTest>

#include <vector>

using namespace skintest;

namespace {

constexpr int kFieldId = 530;

class CKeyField : public CEdit {
public:
    std::vector<UINT> keys;
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override {
        keys.push_back(vk);
        CEdit::OnKeyDown(vk, repeat, flags);
    }
};

class CPolicyDialog : public CLogDialog {
public:
    explicit CPolicyDialog(const KeyPolicy& policy) : m_policy(policy) {}
    int oks = 0;
    int cancels = 0;
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    BOOL PreTranslateMessage(MSG* pMsg) override { return PreTranslateKeys(*this, m_policy, pMsg); }

private:
    KeyPolicy m_policy;
};

// What came of one key.
enum class Outcome { kNothing, kField, kOk, kCancel };

struct Typed {
    CPolicyDialog& dlg;
    CKeyField& field;
    Outcome Of(Qt::Key key) {
        const int oks = dlg.oks;
        const int cancels = dlg.cancels;
        field.keys.clear();
        QTest::keyClick(QApplication::focusWidget(), key);
        Flush();
        const int outcomes = (dlg.oks - oks) + (dlg.cancels - cancels) + int(field.keys.size());
        EXPECT_LE(outcomes, 1) << key;
        if (dlg.oks != oks) {
            return Outcome::kOk;
        }
        if (dlg.cancels != cancels) {
            return Outcome::kCancel;
        }
        return field.keys.empty() ? Outcome::kNothing : Outcome::kField;
    }
};

TEST(KeyPolicy, EachWindowKindDoesWithEnterEscapeAndAltF4WhatItsRowSays) {
    using enum Outcome;
    const struct {
        const char* kind;
        KeyPolicy policy;
        Outcome enter;
        Outcome escape;
    } rows[] = {
        {"main window", KeyPolicies::kMainWindow, kNothing, kNothing},
        {"video window", KeyPolicies::kVideoWindow, kNothing, kNothing},
        {"progress popup", KeyPolicies::kProgressPopup, kNothing, kNothing},
        {"firmware", KeyPolicies::kFirmware, kField, kCancel},
        {"small dialog", KeyPolicies::kSmallDialog, kOk, kCancel},
        {"skinned window", KeyPolicies::kSkinnedWindow, kField, kField},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        CPolicyDialog dlg(row.policy);
        CKeyField field;
        dlg.Bind(kFieldId, field);
        ASSERT_TRUE(dlg.Open({{kFieldId, "EDIT", 10, 10, 200, 20, WS_VISIBLE | WS_TABSTOP}}));
        dlg.GetHost()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.GetHost()));
        field.SetFocus();
        Flush();
        Typed typed{dlg, field};

        EXPECT_EQ(typed.Of(Qt::Key_Return), row.enter);
        EXPECT_EQ(typed.Of(Qt::Key_Escape), row.escape);
        // Every other key is the field's, under every policy.
        EXPECT_EQ(typed.Of(Qt::Key_A), kField);

        // Alt+F4, typed or as the window manager's close request, closes no kind of window.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
        dlg.GetHost()->close();
        Flush();
        EXPECT_TRUE(dlg.IsWindow());
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(dlg.oks, row.enter == kOk ? 1 : 0);
        EXPECT_EQ(dlg.cancels, row.escape == kCancel ? 1 : 0);
        dlg.DestroyWindow();
        Flush();
    }
}

TEST(KeyPolicy, OnlyTheKeyDownsOfTheThreeKeysAreDecided) {
    const KeyPolicy policy{KeyAction::kSwallow, KeyAction::kPass, KeyAction::kSwallow};
    const struct {
        UINT message;
        WPARAM key;
        PolicyKey expectedKey;
        KeyAction expectedAction;
    } cases[] = {
        {WM_KEYDOWN, VK_RETURN, PolicyKey::kEnter, KeyAction::kSwallow},
        {WM_KEYDOWN, VK_ESCAPE, PolicyKey::kEscape, KeyAction::kPass},
        {WM_SYSKEYDOWN, VK_F4, PolicyKey::kAltF4, KeyAction::kSwallow},
        {WM_KEYUP, VK_RETURN, PolicyKey::kOther, KeyAction::kDialog},
        {WM_KEYUP, VK_ESCAPE, PolicyKey::kOther, KeyAction::kDialog},
        {WM_KEYDOWN, VK_F4, PolicyKey::kOther, KeyAction::kDialog},
        {WM_SYSKEYDOWN, VK_RETURN, PolicyKey::kOther, KeyAction::kDialog},
        {WM_SYSKEYDOWN, VK_F10, PolicyKey::kOther, KeyAction::kDialog},
        {WM_KEYDOWN, 'A', PolicyKey::kOther, KeyAction::kDialog},
        {WM_CHAR, VK_RETURN, PolicyKey::kOther, KeyAction::kDialog},
    };
    for (const auto& c : cases) {
        const MSG msg{nullptr, c.message, c.key, 0, 0, {0, 0}};
        EXPECT_EQ(PolicyKeyOf(msg), c.expectedKey) << c.message << " " << c.key;
        EXPECT_EQ(KeyActionOf(policy, msg), c.expectedAction) << c.message << " " << c.key;
    }
}

} // namespace
