#pragma once
// The connect dialog: the recorder's address, port, user id, password and a description; keeps
// the last server in the settings and every connection in the history. On OK the address is in
// dotted form (empty when it could not be resolved) and the port, user id, password and
// description are in the members.
//
// Test hook: KELO_TEST_CONNECT="address:port:user:password" fills the fields and presses OK the
// first time the dialog opens in the process.

#include "app/ConnectLog.h"
#include "app/LocalSettings.h"
#include "app/SkinDialog.h"
#include "controls/ColorEdit.h"
#include "controls/NameEdit.h"
#include "controls/SkinButton.h"
#include "controls/SkinTextButton.h"
#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"

class CConnectDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = IDD_CONNECT_DLG;

    CConnectDlg(CWnd* pParent, const char* location, BYTE alpha);

    CNameEdit m_editAddress;
    CNameEdit m_editPort;
    CNameEdit m_editUserId;
    CNameEdit m_editPassword;
    CColorEdit m_editDescription;
    CString m_strAddress;
    CString m_strUserId;
    CString m_strPassword;
    CString m_strPort;
    CString m_strDescription;
    CSkinButton m_btnList;
    CSkinTextButton m_btnModify;
    CSkinTextButton m_btnDefault;
    CSkinTextButton m_btnOK;
    CSkinTextButton m_btnCancel;
    int m_nPort = int(kDefaultRecorderPort);
    BYTE m_bDefaultPort = 1;
    BYTE m_nAlpha;
    ConnectLogTable m_table{};
    CString m_strLocation;

    void LoadServer(CString& address);
    void SaveServer(const char* address);
    int LoadConnectLog();
    void AddConnectLog(const char* address, DWORD port, const char* description);

    void OnDefaultPort();
    void OnModifyPort();
    void OnList();
    // The list dialog ended with OK on this record.
    void TakeHistoryRecord(const ConnectLogRecord& record);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    // Member strings into the edits without the edits' change reaction (which empties the
    // description when the operator edits the address or port).
    void RefreshEdits();
    void ApplyTestHook();

    CBitmap m_bmBackground;
    CBitmap m_bmLabel[5];
    bool m_bRefreshing = false;
};
