#pragma once
// The list popup of the setup pages (template 189): up to 31 items in one column, or up to 100 in
// four columns (a one-column list longer than 31 opens in four columns of its width), in a
// nine-piece skinned frame, hanging just below the point where the selector was pressed. A click on
// an item gives its index to the frame for the owner page and closes the popup; any other way of
// closing it gives nothing.

#include "controls/SkinLabel.h"
#include "res/DialogIds.h"
#include "setup/SetupChildDlg.h"
#include "setup/SetupPopupLayout.h"
#include "setup/SetupPopupRequest.h"

#include <array>
#include <memory>

class CSetupPage;

class CSetupListPopupDlg : public CSetupChildDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_LIST_POPUP_DLG;
    static constexpr UINT kFirstItem = 790;

    CSetupListPopupDlg(CSetupPage* pOwner, int kind, const ListPopupRequest& request, int layout);

    using CSetupChildDlg::Create;
    virtual BOOL Create(CSetupDlg* pFrame);

    CSetupPage* GetOwner() const { return m_pOwner; }
    int GetKind() const { return m_nKind; }
    int GetWidth() const { return m_nWidth; }
    // The height of the rows (the window is 10 pixels higher).
    int GetListHeight() const { return m_nHeight; }
    bool IsFourColumns() const { return ListOpensInFourColumns(m_request->count, m_nLayout); }
    int ItemCount() const { return m_request->count; }
    CSkinLabel& Item(int i) { return m_items[std::size_t(i)]; }
    // The click on item i, as a press on its label gives it.
    void OnItem(int i);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    std::array<CSkinLabel, kListPopupLongItems> m_items;
    CSetupPage* m_pOwner;
    int m_nKind;
    std::unique_ptr<ListPopupRequest> m_request;
    int m_nWidth = 150;
    int m_nHeight = 0;
    int m_nLayout;
    std::array<CBitmap, 9> m_bmFrame;
    std::array<CBitmap, 3> m_bmRow;
};
