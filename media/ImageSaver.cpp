#include "media/ImageSaver.h"

#include "media/ImageFileWriter.h"
#include "platform/base/FileSystem.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace {

// The largest picture a channel's frame buffer holds.
constexpr int kMaxWidth = 720;
constexpr int kMaxHeight = 576;

BYTE Saturate(int v) {
    return static_cast<BYTE>(std::clamp(v, 0, 255));
}

bool HasCaptionFonts() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

RECT StillSource(int width, int height) {
    if (width < 701) {
        return RECT{6, 6, 6 + (width - 11), 6 + (height - 10)};
    }
    return RECT{12, 12, 12 + (width - 22), 12 + (height - 20)};
}

} // namespace

void YuvToRgb24(BYTE* dst, int width, const BYTE* y, const BYTE* u, const BYTE* v, int yStride, int cStride,
                int dstRowLen, int height) {
    const int rows = height < 0 ? -height : height;
    for (int r = 0; r < rows; ++r) {
        const int sr = height < 0 ? rows - 1 - r : r;
        const BYTE* yr = y + static_cast<std::ptrdiff_t>(sr) * yStride;
        const BYTE* ur = u + static_cast<std::ptrdiff_t>(sr / 2) * cStride;
        const BYTE* vr = v + static_cast<std::ptrdiff_t>(sr / 2) * cStride;
        BYTE* out = dst + static_cast<std::ptrdiff_t>(r) * dstRowLen;
        for (int x = 0; x < width; ++x) {
            const int yy = (yr[x] - 16) * 74;
            const int uu = ur[x / 2] - 128;
            const int vv = vr[x / 2] - 128;
            out[3 * x] = Saturate((yy + 129 * uu) >> 6);
            out[3 * x + 1] = Saturate((yy - 25 * uu - 52 * vv) >> 6);
            out[3 * x + 2] = Saturate((yy + 102 * vv) >> 6);
        }
    }
}

CImageSaver::CImageSaver() {
    SetFont(9, 400, "Tahoma");
}

void CImageSaver::SetFont(int pointSize, int weight, const char* face) {
    m_fontHeight = -static_cast<int>(pointSize * 1.33 + 0.5);
    m_font = QFont(QString::fromUtf8(face != nullptr ? face : ""));
    m_font.setPixelSize(std::max(1, -m_fontHeight));
    // The 100-900 weight scale maps onto Qt's by its own rule.
    m_font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    m_font.setStyleStrategy(QFont::NoAntialias);
}

bool CImageSaver::ToPicture(const BYTE* frame, std::size_t frameSize, int width, int height, int inputFormat,
                            BgrPicture& picture) {
    if (frame == nullptr || width <= 0 || height <= 0 || width > kMaxWidth || height > kMaxHeight || (width & 1) != 0 ||
        (height & 1) != 0) {
        return false;
    }
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(pixels * 3, 0);
    const std::size_t rowBytes = std::size_t(width) * 3;
    if (inputFormat == kInputYuv420) {
        if (frameSize < pixels * 3 / 2) {
            return false;
        }
        const BYTE* y = frame;
        const BYTE* u = y + pixels;
        const BYTE* v = u + pixels / 4;
        YuvToRgb24(picture.pixels.data(), width, y, u, v, width, width / 2, static_cast<int>(rowBytes), height);
        return true;
    }
    if (inputFormat == kInputRgb24) {
        if (frameSize < pixels * 3) {
            return false;
        }
        for (int r = 0; r < height; ++r) {
            const BYTE* src = frame + std::size_t(height - 1 - r) * rowBytes;
            std::copy(src, src + rowBytes,
                      picture.pixels.begin() + static_cast<std::ptrdiff_t>(std::size_t(r) * rowBytes));
        }
        return true;
    }
    return false;
}

QImage CImageSaver::Render(const BgrPicture& picture, const RECT& source, int width, int height) {
    const int sw = source.right - source.left;
    const int sh = source.bottom - source.top;
    if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0 || source.left < 0 || source.top < 0 ||
        source.right > picture.width || source.bottom > picture.height) {
        return QImage();
    }
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull()) {
        return image;
    }
    const std::size_t rowBytes = std::size_t(picture.width) * 3;
    for (int y = 0; y < height; ++y) {
        const int sy = source.top + static_cast<int>(static_cast<long long>(y) * sh / height);
        const BYTE* row = picture.pixels.data() + std::size_t(sy) * rowBytes;
        BYTE* out = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int sx = source.left + static_cast<int>(static_cast<long long>(x) * sw / width);
            const BYTE* p = row + std::size_t(sx) * 3;
            out[3 * x] = p[2];
            out[3 * x + 1] = p[1];
            out[3 * x + 2] = p[0];
        }
    }
    return image;
}

void CImageSaver::DrawCaption(QImage& image, const std::string& text, int x, int y, COLORREF colour) const {
    if (image.isNull() || text.empty() || !HasCaptionFonts()) {
        return;
    }
    QPainter painter(&image);
    painter.setFont(m_font);
    painter.setPen(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    const QString caption = QString::fromLocal8Bit(text.c_str());
    const int cell = -m_fontHeight;
    painter.drawText(QRect(x, y, image.width() * 2, cell * 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     caption);
}

bool CImageSaver::WriteFile(int saveFormat, const std::string& path, const QImage& image) {
    switch (saveFormat) {
    case kSaveJpeg:
        return WriteJpegFile(path, image);
    case kSaveBmp:
        return WriteBmpFile(path, image);
    case kSaveTiff:
        return WriteTiffFile(path, image);
    default:
        return false;
    }
}

bool CImageSaver::SaveFrame(const BYTE* frame, std::size_t frameSize, int width, int height, int inputFormat,
                            int saveFormat, const std::string& folder, bool resize, int outWidth, int outHeight,
                            bool caption, const std::string& captionText, int captionLine, const std::string& name,
                            COLORREF colour) {
    if (saveFormat < kSaveJpeg || saveFormat > kSaveTiff) {
        return false;
    }
    BgrPicture picture;
    if (!ToPicture(frame, frameSize, width, height, inputFormat, picture)) {
        return false;
    }
    const int w = resize ? outWidth : width;
    const int h = resize ? outHeight : height;
    QImage image = Render(picture, StillSource(width, height), w, h);
    if (image.isNull()) {
        return false;
    }
    if (caption) {
        const int textWidth = static_cast<int>(captionText.size()) * m_fontHeight / 2;
        const int x = (w + textWidth) / 2;
        const int y = captionLine == kCaptionTop ? 3 : h + m_fontHeight - 10;
        DrawCaption(image, captionText, x, y, colour);
    }
    return WriteFile(saveFormat, folder + name, image);
}
