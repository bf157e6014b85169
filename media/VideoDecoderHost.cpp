#include "media/VideoDecoderHost.h"

#include "media/OsdText.h"
#include "media/VideoDlg.h"
#include "media/VideoOwner.h"
#include "protocol/AccountRightsTable.h"
#include "protocol/DvrClient.h"
#include "res/PlayModes.h"
#include "res/ResStrings.h"

int CVideoDecoderHost::GetPlaySource() const {
    return m_dlg.GetPlaySource();
}

int CVideoDecoderHost::GetOsdPointSize() const {
    return m_dlg.GetOsdPointSize();
}

bool CVideoDecoderHost::DrawsYuv() const {
    return m_dlg.GetDrawMode();
}

void CVideoDecoderHost::ClearDoubleClickView() {
    m_dlg.ClearDoubleClickView();
}

SIZE CVideoDecoderHost::GetTileSize(int channel) const {
    return m_dlg.GetTileSize(channel);
}

std::string CVideoDecoderHost::FitText(int channel, int tileWidth, std::string_view name) {
    return m_dlg.FitText(channel, tileWidth, name);
}

DWORD CVideoDecoderHost::GetFrameRate(int channel) const {
    return m_dlg.GetFrameRate(channel);
}

void CVideoDecoderHost::CountFrame(int channel) {
    m_dlg.CountFrame(channel);
}

void CVideoDecoderHost::SetOsdText(int channel, std::string_view top, std::string_view bottom, COLORREF topColour,
                                   COLORREF bottomColour) {
    m_dlg.SetOsdText(channel, top, bottom, topColour, bottomColour);
}

void CVideoDecoderHost::SetOsdTextWidth(int channel, int width, int line) {
    m_dlg.SetOsdTextWidth(channel, width, line);
}

void CVideoDecoderHost::SetChannelParam(int channel, int iconState, int x, int line) {
    m_dlg.SetChannelParam(channel, iconState, x, line);
}

bool CVideoDecoderHost::IsChannelRestricted(int channel) const {
    return m_dlg.IsChannelRestricted(channel);
}

void CVideoDecoderHost::ResyncChannel(int channel, int width, int height) {
    m_dlg.ResyncChannel(channel, width, height);
}

bool CVideoDecoderHost::PublishPicture(int channel, const DecodedPicture& picture, CPictureScaler& scaler) {
    return m_dlg.PublishPicture(channel, picture, scaler);
}

bool CVideoDecoderHost::TakeSnapshotRequest(int channel) {
    return m_dlg.TakeSnapshotFlag(channel);
}

bool CVideoDecoderHost::CopyFrameBuffer(int channel, std::vector<BYTE>& picture, PictureLayout& layout) {
    return m_dlg.CopyFrameBuffer(channel, picture, layout);
}

CVideoStats* CVideoDecoderHost::GetStats() {
    return &m_dlg.Stats();
}

bool CVideoDecoderHost::IsLive() const {
    const CDvrClient* client = m_dlg.GetClient();
    return client != nullptr && client->IsLive();
}

DWORD CVideoDecoderHost::GetVideoLossMask() const {
    const CDvrClient* client = m_dlg.GetClient();
    return client != nullptr ? client->Live().GetVideoLossMask() : 0;
}

bool CVideoDecoderHost::SeesHiddenChannels() const {
    const CDvrClient* client = m_dlg.GetClient();
    return client != nullptr && client->Setup().HasAccountRight(kRightSeeHidden);
}

std::string CVideoDecoderHost::GetCameraName(int channel) const {
    const CDvrClient* client = m_dlg.GetClient();
    if (client == nullptr) {
        return {};
    }
    const std::string name = client->Setup().GetCameraName(channel);
    return BoundedName(name.c_str(), name.size());
}

DWORD CVideoDecoderHost::GetPlayClock(int source) const {
    if (source == kSourceRemote) {
        const CDvrClient* client = m_dlg.GetClient();
        return client != nullptr ? client->Play().GetPlayClock() : 0;
    }
    return source == kSourceLocal && m_owner != nullptr ? m_owner->GetLocalPlayClock() : 0;
}

int CVideoDecoderHost::GetAudioIconState(int source, int channel) const {
    if (m_owner == nullptr) {
        return -1;
    }
    const CDvrClient* client = m_dlg.GetClient();
    bool ask = false;
    switch (source) {
    case kSourceLive:
        ask = client != nullptr && client->Media().GetAudioChannelMask() != 0;
        break;
    case kSourceRemote:
        ask = client != nullptr && client->Media().GetAudioChannelMask() != 0 &&
              client->Play().GetPlayMode() == kPlayForward && client->Play().GetSpeedState() == 1;
        break;
    case kSourceLocal:
        ask = m_owner->IsLocalAudioShown();
        break;
    default:
        break;
    }
    return ask && m_owner->GetChannelAudioState(source, channel) == 2 ? 0 : -1;
}

std::string CVideoDecoderHost::LoadLabel(UINT id) const {
    const CString text = LoadResString(id);
    return std::string(text.GetString());
}

int CVideoDecoderHost::GetDateFormat() const {
    return m_owner != nullptr ? m_owner->GetDateFormat() : 0;
}

int CVideoDecoderHost::GetSaveFormat() const {
    return m_owner != nullptr ? m_owner->GetSaveFormat() : 0;
}

WebExportSettings CVideoDecoderHost::GetWebExport() const {
    return m_owner != nullptr ? m_owner->GetWebExport() : WebExportSettings{};
}

void CVideoDecoderHost::ReportInitError() {
    if (m_owner != nullptr) {
        m_owner->PostDecoderInitError();
    }
}

void CVideoDecoderHost::StartStillImage(StillImageRequest request) {
    if (m_owner != nullptr) {
        m_owner->StartStillImage(std::move(request));
    }
}

void CVideoDecoderHost::PutWebSnapshot(WebSnapshotRequest request) {
    if (m_owner != nullptr) {
        m_owner->PutWebSnapshot(std::move(request));
    }
}
