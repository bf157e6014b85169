// A backup download that never ends, for the crash test: writes 16 channels of full-size frames
// through the program's download writer into <save location>/Download until it is killed.
//
//   kelo_download_writer_child <save location> <first frame time>
#include "protocol/DownloadWriter.h"
#include "protocol/FrameDescriptor.h"
#include "protocol/FrameHeader.h"
#include "protocol/FrameItem.h"
#include "tests/protocol/FrameBytes.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class SilentOwner : public IDownloadWriterOwner {
public:
    void PostWriterMessage(UINT, WPARAM, LPARAM) override {}
    void OnDownloadFailed(int error) override {
        std::fprintf(stderr, "download failed: %d\n", error);
        std::_Exit(3);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <save location> <first frame time>\n", argv[0]);
        return 2;
    }
    SilentOwner owner;
    DownloadWriterOptions options;
    options.saveLocation = argv[1];
    CDownloadWriter writer(owner, 0x7FFFFFFF, 2, 2, options);
    const DWORD first = DWORD(std::strtoul(argv[2], nullptr, 10));
    constexpr int kChannels = 16;
    constexpr int kFramesPerSecond = 30;
    int index = 0;
    for (DWORD time = first;; ++time) {
        // A new recording every 20 seconds, as the recorder's segments come.
        const DWORD key = first + (time - first) / 20 * 20;
        for (int n = 0; n < kFramesPerSecond; ++n) {
            for (int channel = 0; channel < kChannels; ++channel, ++index) {
                framebytes::RecordShape r;
                r.time = time;
                r.segmentKey = key;
                r.cameraName = "CAMERA" + std::to_string(channel + 1);
                framebytes::FrameShape f;
                f.channel = channel;
                f.time = time;
                f.milliseconds = WORD(n * 1000 / kFramesPerSecond);
                f.keyMark = n == 0 ? 1 : 0;
                f.videoSize = n == 0 ? 24000 : 6000;
                f.fill = BYTE(index);
                const std::vector<BYTE> block = framebytes::MakeBlock(r, f);
                FrameInfo info;
                if (CheckFrame(block, kFrameRecordSize, info) != FrameCheck::Ok) {
                    return 4;
                }
                FrameDescriptor descriptor;
                FillFrameDescriptor(info, descriptor);
                const DWORD header[4] = {DWORD(CDownloadWriter::kIdTransOnData) << 7,
                                         (1u << 30) | DWORD(block.size() & 0xFFFF), 0, 0};
                if (!writer.QueueFrame(MakeWriterItem(descriptor, header, block), std::chrono::seconds(60))) {
                    return 5;
                }
            }
        }
    }
}
