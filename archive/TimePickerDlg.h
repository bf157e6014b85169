#pragma once
// The time picker: a borderless popup under the pointer with sliders for hour, minute and second.
// It has no confirm button: whatever ends it (a click elsewhere, another popup, the frame's end)
// reports the time it shows to the page that opened it.

#include "archive/PickerHost.h"
#include "archive/PickerLayout.h"
#include "archive/PickerRequests.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinHelper.h"
#include "controls/SkinLabel.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

class CTimePickerDlg : public CDialog, public CSkinHelper {
public:
    static constexpr UINT IDD = IDD_TIME_PICKER_DLG;
    static constexpr UINT kIdFirstSlider = 510;

    CTimePickerDlg(CWnd* page, UINT field, const TimePickerRequest& request, UINT idd = IDD);

    using CDialog::Create;
    virtual BOOL Create(IPickerHost& host);

    const TimePickerLayout& Layout() const { return m_layout; }
    CBitmapSlider& Slider(int i) { return m_slider[i]; }
    CSkinLabel& Label(int k) { return m_label[k]; }
    int Hour() const { return int(m_nHour); }
    int Second() const { return int(m_nSecond); }
    LRESULT OnSliderMoved(WPARAM sliderId, LPARAM position);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnClose() override;
    void OnDestroy() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CSkinLabel m_label[6];
    CBitmapSlider m_slider[3];
    CWnd* m_pPage;
    IPickerHost* m_pHost = nullptr;
    UINT m_nField;
    TimePickerRequest m_request;
    TimePickerLayout m_layout;
    CBitmap m_bmFrame[9];
    CBitmap m_bmCell[3];
    DWORD m_nHour = 0;
    DWORD m_nMinute = 0;
    DWORD m_nSecond = 0;
};
