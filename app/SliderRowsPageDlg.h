#pragma once
// The local setup pages made of slider rows (Opacity, Audio buffer): per row a check box, a name, a
// slider and its value. Moving a row's slider writes its value into the edit block at once; when the
// row is checked, every other checked row follows it. All Check and Return All set and clear every
// row's check. Check boxes start cleared at every visit.

#include "app/LocalSetupPageDlg.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"

#include <array>
#include <vector>

class CSliderRowsPageDlg : public CLocalSetupPageDlg {
public:
    static constexpr int kMaxRows = 9;
    static constexpr UINT kIdAllCheck = 480;
    static constexpr UINT kIdReturnAll = 481;
    static constexpr UINT kIdFirstCheck = 490;
    static constexpr UINT kIdFirstSlider = 510;
    static constexpr UINT kIdFirstName = 790;

    // What makes one page of the family.
    struct Layout {
        UINT templateId;
        UINT background;
        int rows;
        int minimum;
        int maximum;
        int sliderX;
        int nameWidth;
        int valueX;
        UINT names[kMaxRows];
    };

    explicit CSliderRowsPageDlg(const Layout& layout);

    // The controls of a page's template.
    static std::vector<DialogItem> TemplateItems(const Layout& layout);

    int Rows() const { return m_layout.rows; }
    // The slider's report of a new position for row `row`.
    void OnSliderMove(int row, int position);

    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    std::array<CSkinCheckButton, kMaxRows> m_check;
    std::array<CBitmapSlider, kMaxRows> m_slider;
    std::array<CSkinLabel, kMaxRows> m_name;
    std::array<CSkinLabel, kMaxRows> m_value;

protected:
    // The edit block's bytes the rows edit (null without a frame).
    virtual BYTE* Values() const = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetRow(int row, int position);
    bool IsChecked(int row) const;
    void CheckAll(bool check);

    const Layout& m_layout;
};
