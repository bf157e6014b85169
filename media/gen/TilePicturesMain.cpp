// Build tool: paints the two pictures the video window shows in tiles without video and writes them
// beside the program as 24-bit .bmp files: ComMark.bmp (no picture yet) and VdoLoss.bmp (no camera,
// or a channel hidden from the account). Usage: kelo-tile-pictures <output folder>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 352;
constexpr int kHeight = 240;

struct Rgb {
    std::uint8_t r, g, b;
};

class Picture {
public:
    explicit Picture(Rgb background) : m_pixels(std::size_t(kWidth) * kHeight, background) {}

    void Set(int x, int y, Rgb c) {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) {
            m_pixels[std::size_t(y) * kWidth + x] = c;
        }
    }
    void Box(int x0, int y0, int x1, int y1, int thickness, Rgb c) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (x < x0 + thickness || x >= x1 - thickness || y < y0 + thickness || y >= y1 - thickness) {
                    Set(x, y, c);
                }
            }
        }
    }
    void Ring(int cx, int cy, double radius, double thickness, Rgb c) {
        for (int y = cy - int(radius) - 2; y <= cy + int(radius) + 2; ++y) {
            for (int x = cx - int(radius) - 2; x <= cx + int(radius) + 2; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d <= radius && d > radius - thickness) {
                    Set(x, y, c);
                }
            }
        }
    }
    void Line(int x0, int y0, int x1, int y1, int thickness, Rgb c) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            const int x = x0 + (x1 - x0) * i / steps;
            const int y = y0 + (y1 - y0) * i / steps;
            for (int d = -thickness / 2; d <= thickness / 2; ++d) {
                Set(x + d, y, c);
            }
        }
    }

    // A plain camera: body, lens and viewfinder, centred.
    void Camera(Rgb c) {
        const int cx = kWidth / 2;
        const int cy = kHeight / 2 + 6;
        Box(cx - 64, cy - 38, cx + 64, cy + 38, 5, c);
        Box(cx - 30, cy - 52, cx + 2, cy - 38, 5, c);
        Ring(cx, cy, 26, 5, c);
    }

    bool WriteBmp(const std::string& path) const {
        const std::uint32_t rowBytes = (kWidth * 3 + 3) & ~3u;
        const std::uint32_t imageBytes = rowBytes * kHeight;
        std::vector<std::uint8_t> file(54 + imageBytes, 0);
        auto put16 = [&file](std::size_t at, std::uint32_t v) {
            file[at] = std::uint8_t(v);
            file[at + 1] = std::uint8_t(v >> 8);
        };
        auto put32 = [&](std::size_t at, std::uint32_t v) {
            put16(at, v & 0xFFFF);
            put16(at + 2, v >> 16);
        };
        file[0] = 'B';
        file[1] = 'M';
        put32(2, std::uint32_t(file.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, kWidth);
        put32(22, kHeight);
        put16(26, 1);
        put16(28, 24);
        put32(34, imageBytes);
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = file.data() + 54 + std::size_t(kHeight - 1 - y) * rowBytes; // bottom-up
            for (int x = 0; x < kWidth; ++x) {
                const Rgb& p = m_pixels[std::size_t(y) * kWidth + x];
                row[x * 3] = p.b;
                row[x * 3 + 1] = p.g;
                row[x * 3 + 2] = p.r;
            }
        }
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) {
            return false;
        }
        const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
        return std::fclose(out) == 0 && written;
    }

private:
    std::vector<Rgb> m_pixels;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelo-tile-pictures <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];

    Picture blank({34, 38, 46});
    blank.Camera({72, 80, 94});

    Picture loss({10, 10, 14});
    loss.Camera({120, 34, 34});
    loss.Line(kWidth / 2 - 80, kHeight / 2 + 60, kWidth / 2 + 80, kHeight / 2 - 50, 7, {150, 40, 40});

    if (!blank.WriteBmp(folder + "/ComMark.bmp") || !loss.WriteBmp(folder + "/VdoLoss.bmp")) {
        std::fprintf(stderr, "kelo-tile-pictures: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
