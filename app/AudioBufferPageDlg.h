#pragma once
// The Audio buffer page of the local setup (dialog 205): the audio buffer counts of live view, remote
// playback and local playback, 2 to 64.

#include "app/SliderRowsPageDlg.h"
#include "res/DialogIds.h"

class CAudioBufferPageDlg : public CSliderRowsPageDlg {
public:
    static constexpr UINT IDD = IDD_AUDIO_BUFFER_PAGE_DLG;
    static const Layout kLayout;

    CAudioBufferPageDlg();

protected:
    BYTE* Values() const override;
};
