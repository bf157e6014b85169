// Feeds arbitrary bytes to the decoder library as access units, on a fresh decoder and on one that
// has just decoded a valid picture (so the bytes meet live reference state), in both output formats.
// The frame buffer is exactly the size the library promises to stay within.

#include "decoder/H264_D1.h"
#include "tests/decoder/TestStream.h"

#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace {

Bytes g_idr;
std::vector<std::uint8_t> g_frame(PT_H264DEC_FRAME_BUFFER_SIZE);

void Run(const std::uint8_t* data, std::size_t size, std::uint32_t format, bool primed) {
    PT_H264DEC_CONTEXT ctx;
    std::memset(&ctx, 0, sizeof(ctx));
    ctx.mode = 1;
    ctx.output_format = format;
    if (PT_H264dec_Init(&ctx) != 0) {
        return;
    }
    if (primed && !g_idr.empty()) {
        PT_H264dec_GetOneFrame(&ctx, g_idr.data(), int(g_idr.size()), g_frame.data());
    }
    // The same bytes twice: the second time they meet whatever the first left behind.
    for (int i = 0; i < 2; ++i) {
        PT_H264dec_GetOneFrame(&ctx, data, int(size), g_frame.data());
    }
    PT_H264dec_Uninit(&ctx);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    av_log_set_level(AV_LOG_QUIET);
    const EncodedStream stream = EncodeStream({96, 64, 1, 1});
    if (!stream.units.empty()) {
        g_idr = stream.units[0];
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 200000) {
        return 0;
    }
    // The first byte chooses the output format and whether a valid picture comes first.
    const std::uint32_t format = (data[0] & 1) ? PT_H264DEC_FORMAT_RGB24 : PT_H264DEC_FORMAT_YUV420;
    const bool primed = (data[0] & 2) != 0;
    Run(data + 1, size - 1, format, primed);
    return 0;
}
