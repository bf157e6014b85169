// One decoded D1 picture drawn into a tile of a 32-bit image: crop, field, colour conversion and
// scaling, for a 16-split tile and a full-screen tile, in both drawing modes.

#include "platform/video/PictureScaler.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kWidth = 704;
constexpr int kHeight = 576;

std::vector<BYTE> Picture(PictureFormat format) {
    std::vector<BYTE> pic(PictureBytes(format, kWidth, kHeight));
    std::uint32_t seed = 1;
    for (BYTE& b : pic) {
        seed = seed * 1664525u + 1013904223u;
        b = BYTE(seed >> 24);
    }
    return pic;
}

// Tiles: 16-split in the main window's 815 x 548 video area, and one channel on a 1920 x 1080 monitor.
void DrawD1Picture(benchmark::State& state) {
    const PictureFormat format = state.range(0) ? PictureFormat::Bgr24Dib : PictureFormat::Yuv420;
    const int tileW = int(state.range(1));
    const int tileH = int(state.range(2));
    const std::vector<BYTE> picture = Picture(format);
    const PictureSource source{picture.data(), picture.size(), kWidth, kHeight, format};
    // The back buffer of a full-screen window; the tile sits at the layout's (2, 2).
    std::vector<DWORD> image(1920 * 1080);
    const VideoTarget target{reinterpret_cast<BYTE*>(&image[2 * 1920 + 2]), 1920 * 4, tileW, tileH};
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
    ->ArgNames({"rgb", "w", "h"})
    ->Args({0, 200, 134})
    ->Args({1, 200, 134})
    ->Args({0, 1916, 1076})
    ->Args({1, 1916, 1076})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
