// Decoding D1 pictures through the decoder library, in both output formats: the cost per picture
// that every live channel pays.

#include "decoder/H264_D1.h"
#include "tests/decoder/TestStream.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// 2 seconds of 704 x 576 at 25 pictures/s and the given bit rate, an IDR picture every second.
const EncodedStream& D1Stream(std::int64_t bitRate) {
    static EncodedStream streams[2];
    EncodedStream& s = streams[bitRate > 1000000 ? 1 : 0];
    if (s.units.empty()) {
        s = EncodeStream({704, 576, 50, 25, bitRate});
    }
    return s;
}

void DecodeD1(benchmark::State& state) {
    const std::uint32_t format = std::uint32_t(state.range(0));
    const EncodedStream& stream = D1Stream(state.range(1));
    if (stream.units.empty()) {
        state.SkipWithError("no H.264 encoder");
        return;
    }
    std::size_t bytes = 0;
    for (const Bytes& unit : stream.units) {
        bytes += unit.size();
    }
    PT_H264DEC_CONTEXT ctx;
    std::memset(&ctx, 0, sizeof(ctx));
    ctx.mode = 1;
    ctx.output_format = format;
    PT_H264dec_Init(&ctx);
    std::vector<std::uint8_t> frame(PT_H264DEC_FRAME_BUFFER_SIZE);
    std::size_t next = 0;
    std::int64_t pictures = 0;
    for (auto _ : state) {
        const Bytes& unit = stream.units[next];
        next = (next + 1) % stream.units.size(); // the stream starts with an IDR picture, so it loops cleanly
        pictures += PT_H264dec_GetOneFrame(&ctx, unit.data(), int(unit.size()), frame.data()) == PT_H264DEC_OK;
        benchmark::DoNotOptimize(frame.data());
    }
    PT_H264dec_Uninit(&ctx);
    state.SetItemsProcessed(pictures);
    state.counters["kbit/s"] = double(bytes) * 8 / 2 / 1000;
}

BENCHMARK(DecodeD1)
    ->ArgNames({"format", "bitrate"})
    ->Args({PT_H264DEC_FORMAT_YUV420, 1000000})
    ->Args({PT_H264DEC_FORMAT_YUV420, 2000000})
    ->Args({PT_H264DEC_FORMAT_RGB24, 2000000})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
