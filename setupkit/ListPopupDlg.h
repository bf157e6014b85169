#pragma once
// The list popup of the setup pages (the remote setup's list popup and the local setup's drop-down
// list): its items in one column, or in four columns when asked to or when one column cannot hold
// them, in a nine-piece skinned frame, hanging just below the point where the selector was pressed.
// A click on an item hands its index to the frame for the page that opened the list, then the popup
// goes; any other way of closing it gives nothing. The two frames differ only in the shape below.

#include "controls/SkinLabel.h"
#include "platform/window/DialogTemplate.h"
#include "setupkit/PopupFrameDlg.h"
#include "setupkit/SetupPopupRequest.h"

#include <array>
#include <memory>
#include <vector>

class CListPopupDlg : public CPopupFrameDlg {
public:
    static constexpr UINT kFirstItem = 790;

    struct Shape {
        // Item labels in the template (statics from kFirstItem).
        int labels;
        // 0: four columns when asked to or when one column cannot hold the items, and a count outside
        // what the layout holds shows none; else one column, and a longer request shows its first
        // `rowLimit` items.
        int rowLimit;
        // The width of a popup whose request asks for less than 20 pixels (its frame pieces would
        // turn inside out).
        int narrowWidth;
    };

    CListPopupDlg(UINT nIDTemplate, Lifetime lifetime, const Shape& shape, const ListPopupRequest& request, int layout);

    // The template's item labels, `labels` of them.
    static std::vector<DialogItem> TemplateItems(int labels);

    bool IsFourColumns() const { return m_nRowLimit == 0 && ListOpensInFourColumns(m_nCount, m_nLayout); }
    // Items of the request that the popup takes (before the layout's own limit).
    int ItemCount() const { return m_nCount; }
    int GetLayout() const { return m_nLayout; }
    CSkinLabel& Item(int i) { return m_items[std::size_t(i)]; }
    // The click on item i, as a press on its label gives it.
    void OnItem(int i);

protected:
    // Hands the chosen index to the frame for the owner page.
    virtual void Deliver(int index) = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    int ShownItems() const { return m_nHeight > 0 ? m_nCount : 0; }

    std::array<CSkinLabel, kListPopupLongItems> m_items;
    int m_nLabels;
    int m_nRowLimit;
    std::unique_ptr<ListPopupRequest> m_request;
    int m_nLayout;
    int m_nCount;
};
