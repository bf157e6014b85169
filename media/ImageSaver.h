#pragma once
// Renders a channel's picture for a still image or a web snapshot and writes it: the picture (planar
// YUV 4:2:0, or RGB24 rows bottom first) is cut to its shown part, stretched to the output size, a
// caption is drawn over it, and it is written as JPEG, BMP or TIFF. Everything here works on images
// of its own, so it runs on any thread; the caption needs the program's QGuiApplication (without one
// the picture is written without caption).

#include "platform/base/WinTypes.h"

#include <QFont>
#include <QImage>

#include <cstddef>
#include <string>
#include <vector>

// Planar YUV 4:2:0 to 3-byte pixels in DIB order (blue, green, red), integer arithmetic with six
// fractional bits; one U and one V serve 2 x 2 pixels. A negative height walks the source from its
// last row, so that the rows come out bottom first.
void YuvToRgb24(BYTE* dst, int width, const BYTE* y, const BYTE* u, const BYTE* v, int yStride, int cStride,
                int dstRowLen, int height);

// A picture as 3-byte pixels in DIB order (blue, green, red), top row first.
struct BgrPicture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> pixels;
};

class CImageSaver {
public:
    enum InputFormat { kInputYuv420 = 0, kInputRgb24 = 1 };
    enum SaveFormat { kSaveJpeg = 0, kSaveBmp = 1, kSaveTiff = 2 };
    enum CaptionLine { kCaptionBottom = 0, kCaptionTop = 1 };

    CImageSaver();

    // The caption font: the face at the weight, height -(point size x 1.33 + 0.5) pixels truncated.
    void SetFont(int pointSize, int weight, const char* face);
    // Negative, as a cell height.
    int GetFontHeight() const { return m_fontHeight; }

    // Writes folder + name. inputFormat 0: planar YUV 4:2:0; 1: RGB24 rows bottom first; others fail.
    // The shown part is (6, 6) to (W - 5, H - 4) of pictures narrower than 701, else (12, 12) to
    // (W - 10, H - 8); it is stretched to outWidth x outHeight when resize is set, else kept at W x H.
    // The caption is centred, on the top line (3) or the bottom one. False when the picture is not
    // usable or the file cannot be written.
    bool SaveFrame(const BYTE* frame, std::size_t frameSize, int width, int height, int inputFormat, int saveFormat,
                   const std::string& folder, bool resize, int outWidth, int outHeight, bool caption,
                   const std::string& captionText, int captionLine, const std::string& name, COLORREF colour);

    // ---- the steps, for the web snapshots
    // The picture in DIB byte order, top row first. False for an odd or empty size, a size beyond
    // 720 x 576, too few bytes, or an unknown input format.
    static bool ToPicture(const BYTE* frame, std::size_t frameSize, int width, int height, int inputFormat,
                          BgrPicture& picture);
    // The source rectangle of the picture stretched over a new image of width x height
    // (Format_RGB888). Null when the rectangle leaves the picture or is empty.
    static QImage Render(const BgrPicture& picture, const RECT& source, int width, int height);
    // Text with the caption font, transparent background, the top of its cell at (x, y).
    void DrawCaption(QImage& image, const std::string& text, int x, int y, COLORREF colour) const;
    // By save format 0 JPEG, 1 BMP, 2 TIFF; false for any other.
    static bool WriteFile(int saveFormat, const std::string& path, const QImage& image);

private:
    QFont m_font;
    int m_fontHeight = -12;
};
