// A decoded D1 picture copied in the form still images and web snapshots take it (rows reordered for
// the drawing mode), then cropped, field-selected, colour-converted and scaled into a tile in one
// pass. The live path no longer copies: the decoder's buffer becomes the frame buffer by exchange and
// is drawn as kelo_bench_video measures; this is what a picture cost when it was copied first.
// For a tile of the 16-split main window and a full-screen tile, in both drawing modes.

#include "media/PictureCopy.h"
#include "platform/video/PictureScaler.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 704;
constexpr int kHeight = 576;

void PublishAndDraw(benchmark::State& state) {
    const PictureFormat format = state.range(0) ? PictureFormat::Bgr24Dib : PictureFormat::Yuv420;
    const int tileW = int(state.range(1));
    const int tileH = int(state.range(2));
    // The decoder's output: planar 4:2:0, or BGR24 rows top first.
    std::vector<BYTE> decoded(PictureBytes(format, kWidth, kHeight));
    std::uint32_t seed = 7;
    for (BYTE& b : decoded) {
        seed = seed * 1664525u + 1013904223u;
        b = BYTE(seed >> 24);
    }
    std::vector<BYTE> frame(720 * 576 * 3);
    std::vector<std::uint32_t> tile(std::size_t(tileW) * tileH);
    CPictureScaler scaler;
    for (auto _ : state) {
        PictureLayout layout;
        if (!PublishPictureRows(decoded.data(), decoded.size(), frame.data(), frame.size(), kWidth, kHeight, format,
                                layout)) {
            state.SkipWithError("publish failed");
            return;
        }
        const PictureSource source{frame.data(),  frame.size(),  layout.width,
                                   layout.height, layout.format, layout.firstFieldDoubled};
        const VideoTarget target{reinterpret_cast<BYTE*>(tile.data()), tileW * 4, tileW, tileH};
        if (!scaler.Draw(source, target)) {
            state.SkipWithError("draw failed");
            return;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(PublishAndDraw)
    ->ArgNames({"rgb", "w", "h"})
    ->Args({0, 200, 134})
    ->Args({1, 200, 134})
    ->Args({0, 1916, 1076})
    ->Args({1, 1916, 1076})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
