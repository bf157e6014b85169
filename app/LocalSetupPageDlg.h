#pragma once
// What the four local setup pages share: a page of the frame (FramePage) on its own background; a click on the page's
// body closes the drop-down list; selectors open the list, and folder labels open the folder browser.

#include "app/LocalSetupChildDlg.h"
#include "setupkit/FramePage.h"
#include "setupkit/SetupPopupRequest.h"

#include <cstddef>
#include <string>
#include <vector>

class CSkinLabel;

class CLocalSetupPageDlg : public CLocalSetupChildDlg, public FramePage {
public:
    static constexpr int kFolderSize = 260;

    CLocalSetupPageDlg(UINT nIDTemplate, UINT backgroundId);

    // The folder browser, rooted at the computer, captioned with text 5380. A chosen folder whose
    // path fits the setting (at most 259 bytes) replaces it (zero-filled first): true then.
    static bool BrowseFolder(CWnd* owner, char (&folder)[kFolderSize]);

protected:
    BOOL OnInitDialog() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

    // Opens the frame's list under a selector with these items (only when the selector shows text).
    void ShowList(CSkinLabel& selector, DWORD kind, const std::vector<std::string>& items, int width);

private:
    UINT m_nBackground;
};
