#pragma once
// A menu of the local search frame with one owner-drawn button that shows its tab's page: the button
// takes the menu's bitmap when the menu opens, and a click on it runs the menu's OnButton().

#include "archive/LocalSearchPage.h"
#include "controls/SkinButton.h"

class CLocalButtonMenuDlg : public CLocalSearchPage {
public:
    static constexpr UINT kIdButton = 450;
    // As wide as the remote search frame's menu buttons, which draw the same bitmaps (2170, 2176):
    // a strip is drawn cell by cell at the button's width, so one width serves both frames.
    static constexpr int kMenuButtonWidth = 170;

    CSkinButton m_btn;

protected:
    CLocalButtonMenuDlg(UINT idd, int slot, UINT buttonBitmap);

    virtual void OnButton() = 0;
    // Shows the button pressed, the look of the tab whose page is up.
    void PressButton();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_nButtonBitmap;
};
