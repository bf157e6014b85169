#pragma once
// The base of every setup page. A page is constructed with a null parent, then given the frame
// through Create, which makes it a child dialog of the frame at (197, 83), 403 x 417, from its
// template. It is built from the record on every visit and writes every edit into the frame's record
// at once (there is no working copy and no undo). Its selectors open the frame's list and slider
// popups, whose choices come back through OnListResult and OnSliderResult. A left press on the page's
// background closes the popups.
//
// What a page must do to plug into the frame:
//   - derive from CSetupPage, passing its template id (registered with DialogTemplateRegistration in
//     its own source file, style WS_CHILD) and its background bitmap;
//   - bind its controls in DoDataExchange and build them in OnInitDialog after calling
//     CSetupPage::OnInitDialog (which binds, loads the background, places the page and reads the
//     channel count);
//   - override OnListResult / OnSliderResult when it opens popups;
//   - be listed in the page factory (SetupPageFactory.cpp) under its template id.
// Its slot in the frame is cleared, and the object freed, by the frame when its window goes.

#include "setup/SetupChildDlg.h"
#include "setupkit/FramePage.h"
#include "setupkit/SetupPopupRequest.h"

#include <span>

class CDvrClient;
class CSkinLabel;
struct SetupDatabase;

class CSetupPage : public CSetupChildDlg, public FramePage {
public:
    CSetupPage(UINT nIDTemplate, UINT backgroundBitmap, CWnd* pParent = nullptr);

    // Keeps the frame and makes the page's window.
    using CSetupChildDlg::Create;
    virtual BOOL Create(CSetupDlg* pFrame);
    // A choice of the list popup this page opened with `kind`; index is the chosen item.
    virtual void OnListResult(int kind, int index);
    // The values of the slider popup this page opened with `kind`, as shown when it closed.
    virtual void OnSliderResult(int kind, int value0, int value1);

    // The recorder's channel count as the page read it when it opened (16 without a connection).
    int ChannelCount() const { return m_nChannels; }

protected:
    BOOL OnInitDialog() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

    SetupDatabase& Db() const;
    // The caption of channel row r: text 5152 and the channel number in two digits.
    static CString RowName(int row);
    CDvrClient* Client() const;
    void ClosePopups();
    // A list popup of these items anchored at the selector where it was last pressed: more than 31
    // open in four columns, and at most 100 are shown.
    void OpenList(CSkinLabel& selector, int kind, std::span<const CString> items, int width, int layout = 0);
    // A slider popup (mode 0: one slider at value0 in value1..value2; mode 1: hour and minute).
    void OpenSlider(CSkinLabel& selector, int kind, int count, int value0, int value1, int value2, int width, int mode);

    UINT m_nBackgroundBitmap;
    int m_nChannels = 16;
};
