#pragma once
// The live media subsystem's video window as the main window drives it.

#include "app/MainWindowSeams.h"

#include <memory>

class CFullScreenVideoDlg;
class IVideoOwner;

class CMediaVideoWindow : public IVideoWindow {
public:
    explicit CMediaVideoWindow(IVideoOwner& owner);
    ~CMediaVideoWindow() override;

    bool Create(CClientDlg& main) override;
    void Destroy() override;
    CWnd* GetWnd() override;
    IVideoView* View() override;
    IMediaFactory* MediaFactory() override;
    void SetDrawMode(int mode) override;
    void SetMonitorTable(const MONITORINFOEX table[4]) override;
    void GetMonitorTable(MONITORINFOEX table[4]) const override;
    void ClearReturnFlag() override;
    void ClearCompanionMask() override;
    bool SelectLayout(int layout) override;
    void SetSingleView(bool single) override;
    void StoreArrangeLayout(int layout) override;
    bool ShowSingleChannel(int channel) override;
    DWORD GetVisibleChannelMask() const override;
    int GetLayout() const override;
    void ResetTileOrder() override;
    void RequestSnapshots() override;
    void ToggleOsd() override;
    int GetPlaySource() const override;
    bool IsFullScreen() const override;
    void EnterFullScreen(int monitor) override;
    void Repaint(bool erase) override;
    void SetClient(CDvrClient* client) override;
    CFullScreenVideoDlg* MediaWindow() override { return m_dlg.get(); }

private:
    std::unique_ptr<CFullScreenVideoDlg> m_dlg;
};
