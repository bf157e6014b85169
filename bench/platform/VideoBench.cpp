// One decoded D1 picture drawn into a tile of a 32-bit image: crop, field, colour conversion and
// scaling, for a 16-split tile and a full-screen tile, in both drawing modes.

#include "platform/video/PictureScaler.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 704;
constexpr int kHeight = 576;

// The decoder's output as the frame buffer keeps it: planar 4:2:0, or BGR24 rows top first.
std::vector<BYTE> Picture(PictureFormat format) {
    std::vector<BYTE> pic(PictureBytes(format, kWidth, kHeight));
    std::uint32_t seed = 1;
    for (BYTE& b : pic) {
        seed = seed * 1664525u + 1013904223u;
        b = BYTE(seed >> 24);
    }
    return pic;
}

// Tiles: 16-split in the main window's 815 x 548 video area (200, 201 and 203 columns wide: three
// of its four columns are odd), and one channel on a 1920 x 1080
// monitor; drawn straight into a tile image of its own (as the video window does), or into a
// rectangle of a larger image through the scaler's work image.
void DrawD1Picture(benchmark::State& state) {
    const PictureFormat format = state.range(0) ? PictureFormat::Bgr24 : PictureFormat::Yuv420;
    const int tileW = int(state.range(1));
    const int tileH = int(state.range(2));
    const bool own = state.range(3) != 0;
    const std::vector<BYTE> picture = Picture(format);
    const PictureSource source{picture.data(), picture.size(), kWidth, kHeight, format};
    std::vector<BYTE> image(own ? CPictureScaler::PaddedBytes(tileW, tileH) + CPictureScaler::kPaddedAlign
                                : std::size_t(1920) * 1080 * 4);
    BYTE* base = image.data() + (CPictureScaler::kPaddedAlign -
                                 reinterpret_cast<std::uintptr_t>(image.data()) % CPictureScaler::kPaddedAlign) %
                                    CPictureScaler::kPaddedAlign;
    const VideoTarget target = own ? VideoTarget{base, CPictureScaler::PaddedStride(tileW), tileW, tileH, true}
                                   : VideoTarget{base + (2 * 1920 + 2) * 4, 1920 * 4, tileW, tileH, false};
    CPictureScaler scaler;
    for (auto _ : state) {
        if (!scaler.Draw(source, target)) {
            state.SkipWithError("draw failed");
            return;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(DrawD1Picture)
    ->ArgNames({"rgb", "w", "h", "own"})
    ->Args({0, 200, 134, 1})
    ->Args({0, 201, 135, 1})
    ->Args({0, 203, 134, 1})
    ->Args({1, 200, 134, 1})
    ->Args({1, 201, 135, 1})
    ->Args({0, 200, 134, 0})
    ->Args({0, 1916, 1076, 1})
    ->Args({1, 1916, 1076, 1})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
