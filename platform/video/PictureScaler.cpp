#include "platform/video/PictureScaler.h"

#include <bit>
#include <cstring>
#include <new>

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

static_assert(std::endian::native == std::endian::little, "32-bit target pixels are written as B, G, R, A bytes");

namespace {

// Where a crop of the picture starts in memory, and how far apart its rows are.
struct SourcePlanes {
    const std::uint8_t* planes[4] = {};
    int strides[4] = {};
    int width = 0;
    int height = 0;
};

SourcePlanes YuvPlanes(const PictureSource& s, const RECT& crop) {
    const int w = s.width;
    const BYTE* y = s.data;
    const BYTE* u = y + std::size_t(w) * s.height;
    const BYTE* v = u + std::size_t(w / 2) * (s.height / 2);
    SourcePlanes p;
    p.width = crop.right - crop.left;
    int top = crop.top;
    int lumaStride = w;
    int chromaStride = w / 2;
    p.height = crop.bottom - crop.top;
    if (HasStackedFields(s.height)) {
        // Only the first field is shown, its lines doubled: take its rows once and let the scaling
        // to the target's height do the doubling.
        p.height /= 2;
        if (s.firstFieldDoubled) {
            lumaStride *= 2;
            chromaStride *= 2;
        } else {
            top /= 2;
        }
    }
    const std::size_t chromaTop = std::size_t(top / 2);
    p.planes[0] = y + std::size_t(top) * w + crop.left;
    p.planes[1] = u + chromaTop * (w / 2) + crop.left / 2;
    p.planes[2] = v + chromaTop * (w / 2) + crop.left / 2;
    p.strides[0] = lumaStride;
    p.strides[1] = p.strides[2] = chromaStride;
    return p;
}

SourcePlanes BgrPlanes(const PictureSource& s, const RECT& crop) {
    const std::ptrdiff_t rowBytes = std::ptrdiff_t(s.width) * 3;
    SourcePlanes p;
    p.width = crop.right - crop.left;
    p.height = crop.bottom - crop.top;
    std::ptrdiff_t firstRow = crop.top;
    if (HasStackedFields(s.height)) {
        // The second (lower) field is shown, its lines doubled: shown rows 2m and 2m + 1 are its row
        // m. Read its rows once and let the scaling double them.
        p.height /= 2;
        firstRow = s.height / 2 + crop.top / 2;
    }
    p.planes[0] = s.data + firstRow * rowBytes + std::ptrdiff_t(crop.left) * 3;
    p.strides[0] = int(rowBytes);
    return p;
}

SourcePlanes DibPlanes(const PictureSource& s, const RECT& crop) {
    const std::ptrdiff_t rowBytes = std::ptrdiff_t(s.width) * 3;
    SourcePlanes p;
    p.width = crop.right - crop.left;
    p.height = crop.bottom - crop.top;
    // Shown row r (top first) is buffer row height - 1 - r. With stacked fields the buffer's even
    // rows hold the field that is shown, shown row 2m + 1 being buffer row height - 2 - 2m: read those
    // rows once, upwards, and let the scaling double them.
    std::ptrdiff_t firstRow = s.height - 1 - crop.top;
    std::ptrdiff_t stride = -rowBytes;
    if (HasStackedFields(s.height)) {
        p.height /= 2;
        firstRow = s.height - 2 - crop.top;
        stride = -2 * rowBytes;
    }
    p.planes[0] = s.data + firstRow * rowBytes + std::ptrdiff_t(crop.left) * 3;
    p.strides[0] = int(stride);
    return p;
}

// A target of half the rows or fewer takes every other row of the shown picture (in every plane),
// as a stretch blit to a small tile picks its rows: the converter then filters half the rows for the
// same picture, which is most of what drawing a small tile costs.
void SkipRows(SourcePlanes& p, int targetHeight) {
    while (p.height >= 2 * targetHeight) {
        p.height /= 2;
        for (int& stride : p.strides) {
            stride *= 2;
        }
    }
}

bool IsUsable(const PictureSource& s) {
    if (!s.data || s.width <= 0 || s.height <= 0) {
        return false;
    }
    if (s.format == PictureFormat::Yuv420 && ((s.width & 1) || (s.height & 1))) {
        return false;
    }
    return s.size >= PictureBytes(s.format, s.width, s.height);
}

// The converter draws an odd number of columns only through its slow path (full chroma, one pixel at
// a time: five times the cost of an even width), and three of the four columns of the 16-split
// layout are odd. An odd target is drawn one column wider, into its row's slack, and that column
// stays hidden: the tile shows the picture less one column's share of its right edge.
int ConverterTargetWidth(int targetWidth) {
    return targetWidth + (targetWidth & 1);
}

} // namespace

void CPictureScaler::SwsFree::operator()(SwsContext* p) const {
    sws_freeContext(p);
}

CPictureScaler::CPictureScaler() = default;
CPictureScaler::~CPictureScaler() = default;

SwsContext* CPictureScaler::Find(const Key& key) {
    for (auto it = m_setups.begin(); it != m_setups.end(); ++it) {
        if (it->key == key) {
            Setup found = std::move(*it);
            m_setups.erase(it);
            m_setups.push_back(std::move(found));
            return m_setups.back().sws.get();
        }
    }
    std::unique_ptr<SwsContext, SwsFree> sws(sws_alloc_context());
    if (!sws) {
        return nullptr;
    }
    SwsContext* c = sws.get();
    av_opt_set_int(c, "srcw", key.srcWidth, 0);
    av_opt_set_int(c, "srch", key.srcHeight, 0);
    av_opt_set_int(c, "src_format", key.srcFormat, 0);
    av_opt_set_int(c, "dstw", key.dstWidth, 0);
    av_opt_set_int(c, "dsth", key.dstHeight, 0);
    av_opt_set_int(c, "dst_format", AV_PIX_FMT_BGRA, 0);
    // The fast bilinear filter: against the full bilinear one it costs half as much on a small tile
    // and gives the same picture within a step or two of each colour.
    av_opt_set_int(c, "sws_flags", SWS_FAST_BILINEAR, 0);
    if (key.oddChroma) {
        // The first chroma sample lies half a pixel left of the first luma column (in luma units / 256).
        av_opt_set_int(c, "src_h_chr_pos", -128, 0);
    }
    if (sws_init_context(c, nullptr, nullptr) < 0) {
        return nullptr;
    }
    if (m_setups.size() >= kCachedSetups) {
        m_setups.erase(m_setups.begin());
    }
    m_setups.push_back(Setup{key, std::move(sws)});
    return c;
}

BYTE* CPictureScaler::Scratch(int width, int height, int& stride) {
    stride = PaddedStride(width);
    const std::size_t bytes = PaddedBytes(width, height);
    // A full-screen picture's work image is not kept for the tiles that follow it.
    if (bytes > m_scratch.size() || bytes * 4 < m_scratch.size()) {
        std::vector<BYTE> fresh;
        m_scratch.swap(fresh);
        m_scratch.resize(bytes);
    }
    // Rows start on a 64-byte boundary, as the converter's aligned stores want.
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(m_scratch.data());
    const std::size_t skew = (64 - address % 64) % 64;
    return skew + std::size_t(stride) * height <= m_scratch.size() ? m_scratch.data() + skew : nullptr;
}

bool CPictureScaler::Draw(const PictureSource& source, const VideoTarget& target) {
    if (!IsUsable(source) || !target.bits || target.width <= 0 || target.height <= 0 ||
        target.stride < target.width * 4) {
        return false;
    }
    const RECT crop = GetPictureCrop(source.format, source.width, source.height);
    const bool yuv = source.format == PictureFormat::Yuv420;
    SourcePlanes planes = yuv                                        ? YuvPlanes(source, crop)
                          : source.format == PictureFormat::Bgr24Dib ? DibPlanes(source, crop)
                                                                     : BgrPlanes(source, crop);
    if (planes.width <= 0 || planes.height <= 0) {
        return false;
    }
    SkipRows(planes, target.height);
    if (!yuv) {
        return m_bgr.Draw(planes.planes[0], planes.strides[0], planes.width, planes.height, target);
    }
    const Key key{planes.width,  planes.height,       AV_PIX_FMT_YUV420P, ConverterTargetWidth(target.width),
                  target.height, (crop.left & 1) != 0};
    SwsContext* sws = Find(key);
    if (!sws) {
        return false;
    }
    if (target.padded && target.stride == PaddedStride(target.width) &&
        reinterpret_cast<std::uintptr_t>(target.bits) % kPaddedAlign == 0) {
        std::uint8_t* dst[4] = {target.bits};
        const int dstStrides[4] = {target.stride};
        return sws_scale(sws, planes.planes, planes.strides, 0, planes.height, dst, dstStrides) == target.height;
    }
    int scratchStride = 0;
    BYTE* scratch = Scratch(target.width, target.height, scratchStride);
    if (!scratch) {
        return false;
    }
    std::uint8_t* dst[4] = {scratch};
    const int dstStrides[4] = {scratchStride};
    if (sws_scale(sws, planes.planes, planes.strides, 0, planes.height, dst, dstStrides) != target.height) {
        return false;
    }
    const std::size_t rowBytes = std::size_t(target.width) * 4;
    for (int y = 0; y < target.height; ++y) {
        std::memcpy(target.bits + std::size_t(y) * target.stride, scratch + std::size_t(y) * scratchStride, rowBytes);
    }
    return true;
}
