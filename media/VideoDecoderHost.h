#pragma once
// The channel decoders' host in the program: the video window for drawing, the main window for
// settings and hand-offs, and the main window's recorder client for the stream's state.

#include "media/DecoderHost.h"

class CVideoDlg;
class IVideoOwner;

class CVideoDecoderHost final : public IDecoderHost {
public:
    // The window and the owner (which may be null) must outlive the decoders.
    CVideoDecoderHost(CVideoDlg& dlg, IVideoOwner* owner) : m_dlg(dlg), m_owner(owner) {}

    int GetPlaySource() const override;
    int GetOsdPointSize() const override;
    bool DrawsYuv() const override;
    void ClearDoubleClickView() override;
    SIZE GetTileSize(int channel) const override;
    std::string FitText(int channel, int tileWidth, std::string_view name) override;
    DWORD GetFrameRate(int channel) const override;
    void CountFrame(int channel) override;
    void SetOsdText(int channel, std::string_view top, std::string_view bottom, COLORREF topColour,
                    COLORREF bottomColour) override;
    void SetOsdTextWidth(int channel, int width, int line) override;
    void SetChannelParam(int channel, int iconState, int x, int line) override;
    bool IsChannelRestricted(int channel) const override;
    void ResyncChannel(int channel, int width, int height) override;
    bool PublishPicture(int channel, const DecodedPicture& picture, CPictureScaler& scaler) override;
    bool TakeSnapshotRequest(int channel) override;
    bool CopyFrameBuffer(int channel, std::vector<BYTE>& picture, PictureLayout& layout) override;
    CVideoStats* GetStats() override;

    bool IsLive() const override;
    DWORD GetVideoLossMask() const override;
    bool SeesHiddenChannels() const override;
    std::string GetCameraName(int channel) const override;
    DWORD GetPlayClock(int source) const override;
    int GetAudioIconState(int source, int channel) const override;
    std::string LoadLabel(UINT id) const override;
    int GetDateFormat() const override;
    int GetSaveFormat() const override;
    WebExportSettings GetWebExport() const override;
    void ReportInitError() override;
    void StartStillImage(StillImageRequest request) override;
    void PutWebSnapshot(WebSnapshotRequest request) override;

private:
    CVideoDlg& m_dlg;
    IVideoOwner* m_owner;
};
