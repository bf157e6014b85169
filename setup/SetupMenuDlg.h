#pragma once
// A menu panel of the setup frame: a column of captioned buttons (450 on) on the left, each opening
// one page. Opening the panel presses its first button; pressing a button marks it and opens its
// page through the frame. A left press on the panel's background closes the popups.

#include "controls/SkinTextButton.h"
#include "setup/SetupChildDlg.h"

#include <array>
#include <span>

class CSetupMenuDlg : public CSetupChildDlg {
public:
    struct Entry {
        UINT bitmap;
        UINT text;
        UINT page;
    };
    static constexpr int kMaxButtons = 9;
    static constexpr UINT kFirstButton = 450;
    static constexpr int kLeft = 14;
    static constexpr int kTop = 74;
    static constexpr int kWidth = 174;
    static constexpr int kHeight = 430;

    CSetupMenuDlg(UINT nIDTemplate, std::span<const Entry> entries);

    using CSetupChildDlg::Create;
    virtual BOOL Create(CSetupDlg* pFrame);
    // Marks button i and opens its page.
    void OnMenuButton(int i);

    int ButtonCount() const { return int(m_entries.size()); }
    CSkinTextButton& Button(int i) { return m_buttons[std::size_t(i)]; }

    // The panel's template: buttons 450 to 450 + count - 1 in a column.
    static DialogTemplate MakeTemplate(UINT id, std::span<const Entry> entries, std::span<DialogItem> items);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

    // The page button i opens.
    virtual UINT PageOfButton(int i) const;
    // After the buttons are built: a panel may hide or move some of them.
    virtual void ArrangeButtons() {}

    std::span<const Entry> m_entries;
    std::array<CSkinTextButton, kMaxButtons> m_buttons;
};
