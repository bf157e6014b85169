#include "media/ImageFileWriter.h"

#include "platform/base/WinTypes.h"

#include <QImage>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <jpeglib.h>
#include <tiffio.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool Usable(const QImage& image) {
    return !image.isNull() && image.format() == QImage::Format_RGB888 && image.width() > 0 && image.height() > 0;
}

// A file whose writing failed is removed, so that no empty or cut picture is left looking like a
// saved one; the failure's error number is kept for the caller.
bool Discard(const std::string& path) {
    const int error = errno;
    std::remove(path.c_str());
    errno = error;
    return false;
}

// Closes a file that was written whole; false (and the file removed) when the close fails.
bool CloseWritten(FilePtr file, const std::string& path) {
    if (std::fclose(file.release()) != 0) {
        return Discard(path);
    }
    return true;
}

// Closes a file whose writing failed, and removes it.
bool CloseFailed(FilePtr file, const std::string& path) {
    const int error = errno;
    std::fclose(file.release());
    errno = error;
    return Discard(path);
}

void PutLe(BYTE* p, DWORD v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        p[i] = BYTE(v >> (8 * i));
    }
}

// libjpeg reports a fatal error by calling error_exit, which must not return.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// Kept free of C++ objects with destructors between setjmp and any longjmp back to it.
bool CompressJpeg(std::FILE* file, const QImage& image) {
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegErrorExit;
    error.manager.emit_message = JpegQuiet;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

bool WriteBmpFile(const std::string& path, const QImage& image) {
    if (!Usable(image)) {
        return false;
    }
    const DWORD w = static_cast<DWORD>(image.width());
    const DWORD h = static_cast<DWORD>(image.height());
    const DWORD stride = (w * 3 + 3) & ~3u; // rows are padded to four bytes
    const DWORD imageBytes = stride * h;
    BYTE header[54] = {'B', 'M'};
    PutLe(header + 2, 54 + imageBytes, 4);
    PutLe(header + 10, 54, 4);
    PutLe(header + 14, 40, 4);
    PutLe(header + 18, w, 4);
    PutLe(header + 22, h, 4);
    PutLe(header + 26, 1, 2);
    PutLe(header + 28, 24, 2);
    PutLe(header + 34, imageBytes, 4);
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    if (std::fwrite(header, 1, sizeof(header), file.get()) != sizeof(header)) {
        return CloseFailed(std::move(file), path);
    }
    std::vector<BYTE> row(stride, 0);
    for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
        const BYTE* rgb = image.constScanLine(y);
        for (DWORD x = 0; x < w; ++x) {
            row[3 * x] = rgb[3 * x + 2];
            row[3 * x + 1] = rgb[3 * x + 1];
            row[3 * x + 2] = rgb[3 * x];
        }
        if (std::fwrite(row.data(), 1, stride, file.get()) != stride) {
            return CloseFailed(std::move(file), path);
        }
    }
    return CloseWritten(std::move(file), path);
}

bool WriteJpegFile(const std::string& path, const QImage& image) {
    if (!Usable(image)) {
        return false;
    }
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    if (!CompressJpeg(file.get(), image)) {
        return CloseFailed(std::move(file), path);
    }
    return CloseWritten(std::move(file), path);
}

bool WriteTiffFile(const std::string& path, const QImage& image) {
    if (!Usable(image)) {
        return false;
    }
    // The file is opened here, so that a file the library then fails to start is known to be ours.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    TIFF* tiff = TIFFFdOpen(fd, path.c_str(), "wb");
    if (tiff == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return Discard(path);
    }
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_NONE);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    bool written = true;
    std::vector<BYTE> row(static_cast<std::size_t>(image.width()) * 3);
    for (int y = 0; y < image.height() && written; ++y) {
        const BYTE* rgb = image.constScanLine(y);
        std::copy(rgb, rgb + row.size(), row.begin());
        written = TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) == 1;
    }
    written = written && TIFFFlush(tiff) == 1;
    const int error = errno;
    TIFFClose(tiff);
    errno = error;
    return written || Discard(path);
}
