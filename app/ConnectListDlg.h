#pragma once
// The connection history as a list: pick a record, describe it, or delete it. The dialog edits its
// own copy of the table and rewrites the history file at each Save and Delete.

#include "app/ConnectLog.h"
#include "app/SkinDialog.h"
#include "controls/ColorEdit.h"
#include "controls/ColorListCtrl.h"
#include "controls/SkinTextButton.h"
#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"

class CConnectListDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = IDD_CONNECT_LIST_DLG;

    CConnectListDlg(CWnd* pOwner, const char* location, BYTE alpha = 255);

    CColorListCtrl m_list;
    CSkinTextButton m_btnOK;
    CSkinTextButton m_btnCancel;
    CSkinTextButton m_btnDelete;
    CSkinTextButton m_btnEdit;
    CSkinTextButton m_btnSave;
    CColorEdit m_editDescription;
    CString m_strDescription;
    ConnectLogTable m_table{};
    int m_nSelected = -1; // index into m_table
    CString m_strLocation;
    BYTE m_nAlpha;

    // Writes the table to the history file (the folder is made when missing).
    void SaveConnectLog();

    void OnDelete();
    void OnEdit();
    void OnSaveDescription();
    // A row of the list became the selected and focused one.
    void OnRowSelected(int row);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void FillRows();
    int TableIndexOfRow(int row) const;
    void EnableChoice(BOOL enable);

    CBitmap m_bmBackground;
};
