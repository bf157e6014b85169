#pragma once
// The local setup's tab panel (dialog 201): Global, Opacity, Audio buffer and Auto Save. A tab shows
// its page in the frame. While live view runs the Audio buffer and Auto Save pages cannot be opened;
// during playback Auto Save can, Audio buffer cannot.

#include "app/LocalSetupChildDlg.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

#include <array>

class CLocalSetupTabDlg : public CLocalSetupChildDlg {
public:
    static constexpr UINT IDD = IDD_LOCAL_SETUP_TAB_DLG;
    static constexpr UINT kIdFirstTab = 450;
    static constexpr int kTabs = 4;

    CLocalSetupTabDlg();

    // The tab's handler, as a click runs it.
    void OnTab(int tab);

    std::array<CSkinTextButton, kTabs> m_tab;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int PlaySource() const;
};
