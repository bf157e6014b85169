#pragma once
// The item picker: a borderless popup under the pointer offering a list, or a four-column grid, of
// texts (years, months, days). A click on a selectable item hands its index back through the frame
// to the page that opened the picker and ends the popup; items before the first selectable one are
// grey and do nothing.

#include "archive/PickerHost.h"
#include "archive/PickerLayout.h"
#include "archive/PickerRequests.h"
#include "controls/SkinHelper.h"
#include "controls/SkinLabel.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

#include <memory>

class CItemPickerDlg : public CDialog, public CSkinHelper {
public:
    static constexpr UINT IDD = IDD_ITEM_PICKER_DLG;
    static constexpr UINT kIdFirstItem = 790;

    // flag: 0 a list, else a grid of four columns.
    CItemPickerDlg(CWnd* page, UINT field, const ListPopupRequest& request, int firstIndex, int flag, UINT idd = IDD);
    ~CItemPickerDlg() override;

    using CDialog::Create;
    virtual BOOL Create(IPickerHost& host);

    const ItemPickerLayout& Layout() const { return m_layout; }
    CSkinLabel& Item(int k) { return m_item[k]; }
    void OnItemClicked(int k);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnClose() override;
    void OnDestroy() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CSkinLabel m_item[kPickerMaxItems];
    CWnd* m_pPage;
    IPickerHost* m_pHost = nullptr;
    UINT m_nField;
    std::unique_ptr<ListPopupRequest> m_request;
    int m_nFirstIndex;
    int m_nFlag;
    ItemPickerLayout m_layout;
    CBitmap m_bmFrame[9];
    CBitmap m_bmCell[3];
};
