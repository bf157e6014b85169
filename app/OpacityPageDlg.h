#pragma once
// The Opacity page of the local setup (dialog 203): the opacity of nine kinds of window, 100 to 255.

#include "app/SliderRowsPageDlg.h"
#include "res/DialogIds.h"

class COpacityPageDlg : public CSliderRowsPageDlg {
public:
    static constexpr UINT IDD = IDD_OPACITY_PAGE_DLG;
    static const Layout kLayout;

    COpacityPageDlg();

protected:
    BYTE* Values() const override;
};
