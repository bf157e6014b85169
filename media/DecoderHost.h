#pragma once
// What a channel decoder uses of the video window, the recorder client and the main window. Every
// call is made on the decoder's own thread and is safe there: the window's state is published to it
// (atomics, or data under the channel's lock), and nothing here paints a widget or waits for the UI
// thread. The program's implementation is CVideoDecoderHost; tests give their own.

#include "media/PictureCopy.h"
#include "platform/base/WinTypes.h"
#include "protocol/ChannelInfoFile.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CPictureScaler;
class CVideoStats;

// Play sources of the video window.
enum PlaySource : int { kSourceNone = 0, kSourceLive = 1, kSourceRemote = 2, kSourceLocal = 3 };

// A picture the decoder has just decoded into its own buffer, in the library's output format
// (planar 4:2:0, or BGR24 rows top first). When `buffer` is given it is that buffer (data is its
// start): the window may take it as the channel's frame buffer and give its old frame buffer back in
// exchange, for the next picture to be decoded into, instead of copying the picture.
struct DecodedPicture {
    const BYTE* data = nullptr;
    std::size_t size = 0;
    std::vector<BYTE>* buffer = nullptr;
    int width = 0;
    int height = 0;
    PictureFormat format = PictureFormat::Yuv420;
    std::chrono::steady_clock::time_point arrival{}; // when its frame was queued
};

// A still image to save, with its own copy of the channel's frame buffer.
struct StillImageRequest {
    int channel = 0;
    int width = 0;
    int height = 0;
    std::string timeText;
    int saveFormat = 0;
    PictureLayout layout;
    std::vector<BYTE> picture;
};

// A picture for the web snapshot writer.
struct WebSnapshotRequest {
    int channel = 0;
    int width = 0;
    int height = 0;
    PictureLayout layout;
    std::vector<BYTE> picture;
};

class IDecoderHost {
public:
    virtual ~IDecoderHost() = default;

    // ---- the video window
    virtual int GetPlaySource() const = 0;
    // The on-screen font's point size (13).
    virtual int GetOsdPointSize() const = 0;
    // True when the window draws planar YUV buffers, false when it draws RGB24 ones.
    virtual bool DrawsYuv() const = 0;
    virtual void ClearDoubleClickView() = 0;
    // The size of the channel's tile in the current layout (0 x 0 when it has none).
    virtual SIZE GetTileSize(int channel) const = 0;
    virtual std::string FitText(int channel, int tileWidth, std::string_view name) = 0;
    virtual DWORD GetFrameRate(int channel) const = 0;
    virtual void CountFrame(int channel) = 0;
    virtual void SetOsdText(int channel, std::string_view top, std::string_view bottom, COLORREF topColour,
                            COLORREF bottomColour) = 0;
    // line: 1 top, anything else bottom.
    virtual void SetOsdTextWidth(int channel, int width, int line) = 0;
    virtual void SetChannelParam(int channel, int iconState, int x, int line) = 0;
    // The channel is hidden for the logged-in account.
    virtual bool IsChannelRestricted(int channel) const = 0;
    // Under the channel's lock: the picture size, and a cleared frame buffer.
    virtual void ResyncChannel(int channel, int width, int height) = 0;
    // Under the channel's lock: the picture into the frame buffer with its size, the channel made
    // available, and its tile drawn (through the caller's scaler). False when it did not fit. The
    // picture's buffer, when given, may come back holding other bytes of the same size.
    virtual bool PublishPicture(int channel, const DecodedPicture& picture, CPictureScaler& scaler) = 0;
    // Whether a still image of the next picture was asked for; the request is cleared.
    virtual bool TakeSnapshotRequest(int channel) = 0;
    // A copy of the channel's frame buffer as it now holds its picture; false when it holds none.
    virtual bool CopyFrameBuffer(int channel, std::vector<BYTE>& picture, PictureLayout& layout) = 0;
    // Null when nothing is counted.
    virtual CVideoStats* GetStats() = 0;

    // ---- the recorder client and the main window
    virtual bool IsLive() const = 0;
    virtual DWORD GetVideoLossMask() const = 0;
    virtual bool SeesHiddenChannels() const = 0;
    // The camera name of the recorder's last setup change, at most 31 characters.
    virtual std::string GetCameraName(int channel) const = 0;
    // The clock of remote (2) or local (3) playback, seconds since 1970.
    virtual DWORD GetPlayClock(int source) const = 0;
    // 0 when the channel's audio is the one heard for that source, else -1 (no icon).
    virtual int GetAudioIconState(int source, int channel) const = 0;
    virtual std::string LoadLabel(UINT id) const = 0;
    virtual int GetDateFormat() const = 0;
    virtual int GetSaveFormat() const = 0;
    virtual WebExportSettings GetWebExport() const = 0;
    // The decoder library could not be initialised; told once per decoder, never waited for.
    virtual void ReportInitError() = 0;
    // Hand-offs to the still-image saver and the web snapshot writer.
    virtual void StartStillImage(StillImageRequest request) = 0;
    virtual void PutWebSnapshot(WebSnapshotRequest request) = 0;
};
