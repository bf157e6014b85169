#pragma once
// A menu of the local search frame with one owner-drawn button that shows its tab's page: the button
// takes the menu's bitmap when the menu opens, and the menu then acts as its button. A press shows
// the button pressed (the look of the tab whose page is up) and has the frame show the page.

#include "archive/LocalSearchPage.h"
#include "archive/PageTemplate.h"
#include "controls/SkinButton.h"

class CLocalButtonMenuDlg : public CLocalSearchPage {
public:
    static constexpr UINT kIdButton = 450;
    // As wide as the remote search frame's menu buttons, which draw the same bitmaps (2170, 2176):
    // a strip is drawn cell by cell at the button's width, so one width serves both frames.
    static constexpr int kMenuButtonWidth = kMenuColumnButtonWidth;
    static constexpr DialogItem kItems[] = {
        MenuColumnButton(kIdButton, 1, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW),
    };

    CSkinButton m_btn;

protected:
    using FrameStep = void (CLocalSearchDlg::*)();

    // showPage: the frame's call that shows the tab's page; onOpen: what the frame does first when
    // the menu opens, or null.
    CLocalButtonMenuDlg(UINT idd, int slot, UINT buttonBitmap, FrameStep showPage, FrameStep onOpen = nullptr);

    // The button's press.
    void OnButton();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_nButtonBitmap;
    FrameStep m_showPage;
    FrameStep m_onOpen;
};
