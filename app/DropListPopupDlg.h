#pragma once
// The drop-down list of the local setup pages (dialog 204): up to 31 items in one column, in a
// nine-piece skinned frame, hanging just below the point where the selector was pressed. Clicking an
// item hands its index to the frame for the page that opened the list, then the list goes; any other
// way of closing gives nothing.

#include "app/LocalSetupChildDlg.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"
#include "setup/SetupPopupRequest.h"

#include <array>
#include <memory>

class CDropListPopupDlg : public CLocalSetupChildDlg {
public:
    static constexpr UINT IDD = IDD_DROP_LIST_POPUP_DLG;
    static constexpr UINT kFirstRow = 790;

    CDropListPopupDlg(CWnd* pOwner, CLocalSetupDlg* pFrame, DWORD kind, const ListPopupRequest& request, int layout);

    CWnd* GetOwnerPage() const { return m_pOwner; }
    DWORD GetKind() const { return m_nKind; }
    // Items shown: the request's count held to the 31 rows the list has.
    int RowCount() const { return m_nRows; }
    int GetWidth() const { return m_nWidth; }
    // Always 0 here: one column.
    int GetLayout() const { return m_nLayout; }
    CSkinLabel& Row(int i) { return m_rows[std::size_t(i)]; }
    // A click on row i.
    void OnRow(int i);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    std::array<CSkinLabel, kListPopupMaxItems> m_rows;
    CWnd* m_pOwner;
    DWORD m_nKind;
    std::unique_ptr<ListPopupRequest> m_request;
    int m_nLayout;
    int m_nRows = 0;
    int m_nWidth = 0;
    std::array<CBitmap, 9> m_bmFrame;
    std::array<CBitmap, 3> m_bmRow;
};
