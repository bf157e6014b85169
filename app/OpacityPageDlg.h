#pragma once
// The Opacity page of the local setup (dialog 203): the opacity of nine kinds of window, 100 to 255.

#include "app/SliderRowsPageDlg.h"

class COpacityPageDlg : public CSliderRowsPageDlg {
public:
    static constexpr UINT IDD = 203;
    static const Layout kLayout;

    COpacityPageDlg();

protected:
    BYTE* Values() const override;
};
