#pragma once
// What the three PTZ pads share (control pad 111, keypad 991, dome menu pad 994): modeless skinned
// windows of their own that the PTZ dialog set makes, places and owns. Each is dragged by its body,
// stays inside the video area, and is freed once its window is gone (WM_CLOSE destroys it). The
// keypad and the menu pad send their own dome commands on the connection.

#include "app/SkinDialog.h"
#include "platform/gdi/Bitmap.h"
#include "protocol/IClientHost.h"

#include <memory>

class CPtzDialogSet;
class CTcpConnection;
class IShellDialogHost;

class CPtzPadDlg : public CSkinDialog {
public:
    CPtzPadDlg(UINT nIDTemplate, CPtzDialogSet& set, IShellDialogHost& host, ClientWindow role, int width, int height);

    // Makes the window (top-level, owned by the main window) and shows it.
    BOOL CreatePad();
    // Hides the window and asks it to close (it is freed after its last message).
    void HideAndClose();
    // The owner is going: the window is destroyed without telling it.
    void Detach() { m_pSet = nullptr; }
    CPtzDialogSet* GetSet() const { return m_pSet; }

    // PTZ_MOVE_REQ with a dome command (13 to 16) in the payload's first byte.
    static int SendDomeCommand(CTcpConnection* conn, BYTE command);

protected:
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnWindowPosChanging(WINDOWPOS* lpwndpos) override;
    void OnClose() override;
    void OnNcDestroy() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}
    // The control pad's window rectangle when this pad docks to it (the menu pad), else false.
    virtual bool DockingRect(RECT*) { return false; }
    // Takes the pad out of the set and out of the client's reach (once).
    void Forget();
    void Unregister();

    CPtzDialogSet* m_pSet;
    IShellDialogHost& m_host;
    ClientWindow m_role;
    std::shared_ptr<CTcpConnection> m_conn;
    CBitmap m_bmBackground;
    int m_nWidth;
    int m_nHeight;
    BYTE m_nAlpha;
    bool m_bRegistered = false;
};
