#pragma once
// The still-image files: BMP (24-bit, bottom row first), JPEG (libjpeg, default quality) and TIFF
// (libtiff, PackBits, one row per strip). Each takes an image of Format_RGB888 (R, G, B bytes, top
// row first) and writes it over any file of that name. False when the file cannot be written; a file
// whose writing failed is removed (errno keeps the failure).

#include <string>

class QImage;

bool WriteBmpFile(const std::string& path, const QImage& image);
bool WriteJpegFile(const std::string& path, const QImage& image);
bool WriteTiffFile(const std::string& path, const QImage& image);
