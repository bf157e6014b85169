#pragma once
// What the motion region and record region pages share: the editor drawn with the mouse above, the
// sixteen channel buttons in two rows at the top and the All Check, Return All and Prev buttons at
// the bottom. A page adds its editor and what a channel and a button do to it.

#include "controls/SkinTextButton.h"
#include "platform/window/DialogTemplate.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CRegionPage : public CSetupPage {
public:
    enum ControlId : UINT {
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_PREV = 482,
        IDC_CHANNEL = 550, // 550-565
    };

    virtual void SelectChannel(int channel) = 0;
    int GetChannel() const { return m_nChannel; }

    CSkinTextButton& ChannelButton(int ch) { return m_btnChannel[std::size_t(ch)]; }
    CSkinTextButton& Button(UINT id) { return m_buttons[std::size_t(id - IDC_ALL_CHECK)]; }

    // The page's controls: the editor item first, then the buttons.
    static std::vector<DialogItem> PageItems(const DialogItem& editor);

protected:
    CRegionPage(UINT nIDTemplate, UINT nBackground, CWnd* pParent);

    // Binds the buttons; the page binds its editor before.
    void ExchangeButtons(CDataExchange* pDX);
    // Places and labels the channel and bottom buttons.
    void InitButtons();
    // Shows the channel's button pressed and the others released.
    void ShowChannelButtons(int channel);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // A click on one of the bottom buttons; false leaves it to the page base.
    virtual bool OnPageButton(UINT id) = 0;

    int m_nChannel = 0;

private:
    std::array<CSkinTextButton, 3> m_buttons;
    std::array<CSkinTextButton, 16> m_btnChannel;
};
