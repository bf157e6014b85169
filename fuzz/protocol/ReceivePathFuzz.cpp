// Arbitrary byte streams through the client's receive path: the stream is cut into messages as the
// socket thread cuts it (16-byte header, then the payload its length announces) and each is handled
// as received. The first byte sets the client's state (search frame open, live view, playback).
#include "protocol/DvrClient.h"
#include "tests/support/DvrClientTestPeer.h"

#include <cstddef>
#include <cstdint>

namespace {

class NullHost : public IClientHost {
public:
    void PostNotice(LPARAM, ClientWindow) override {}
    void PostToWindow(ClientWindow, UINT, WPARAM, LPARAM) override {}
    void ReportEvent(ClientEvent, int) override {}
    void WriteLocalLog(int, int, const char*, const char*) override {}
    void PostConnectFailed(LPARAM) override {}
    void PostWrongProduct() override {}
    void DeliverSearchReply(UINT, std::vector<BYTE> bytes, DWORD count) override {
        // What the frame will read must be there.
        if (count > 0 && bytes.size() < count) {
            __builtin_trap();
        }
    }
    void ClearSearchBusy() override {}
};

class NullVideo : public IVideoView {
public:
    void SetAvailableMask(DWORD, bool) override {}
    void SetLayout(int) override {}
    void SetChannelHidden(int, bool) override {}
    void Redraw() override {}
    void ExitFullScreen() override {}
    void SetPlaySource(int) override {}
    bool IsSelectedChannel(int) const override { return true; }
    DWORD GetVisibleChannelMask() const override { return 0xFFFF; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    NullHost host;
    NullVideo video;
    CDvrClient client(DvrClientSeams{&host, &video, nullptr});
    // No waits: pacing and teardown sleeps would only slow the search.
    CDvrClient::PlayTiming noWaits;
    noWaits.commandSleep = noWaits.playSleep = noWaits.otherSleep = std::chrono::milliseconds(0);
    noWaits.pacingCap = noWaits.drainLimit = noWaits.writerWait = std::chrono::milliseconds(0);
    client.SetPlayTiming(noWaits);
    client.Search().SetSearchFrameOpen((data[0] & 1) != 0);
    DvrClientTestPeer::Live(client).store((data[0] & 2) != 0 ? 1 : 0);
    DvrClientTestPeer::RemotePlay(client).store((data[0] & 4) != 0 ? 1 : 0);
    DvrClientTestPeer::Backup(client).store((data[0] & 8) != 0 ? 1 : 0);
    std::size_t pos = 1;
    while (size - pos >= kPacketHeaderSize) {
        const PacketHeader header = PacketHeader::Decode(data + pos);
        pos += kPacketHeaderSize;
        const DWORD length = header.Length();
        if (size - pos < length) {
            break; // the socket thread would fail this read and end
        }
        if (!client.ProcessMessage(header, data + pos, length)) {
            break;
        }
        pos += length;
    }
    return 0;
}
