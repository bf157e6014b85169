// Picture files read back from disk (previews of saved stills, bitmaps beside the program): bytes go
// through a temporary file, named as a TIFF, a BMP or a JPEG by the first byte.
#include "controls/LoadImageFile.h"

#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& PathFor(int kind) {
    static std::string paths[3];
    static const char* const endings[3] = {".tif", ".bmp", ".jpg"};
    if (paths[kind].empty())
        paths[kind] = "/tmp/kelo_image_fuzz_" + std::to_string(getpid()) + endings[kind];
    return paths[kind];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string& path = PathFor(data[0] % 3);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);
    HBITMAP bitmap = LoadImageFile(path.c_str());
    if (bitmap)
        DeleteObject(bitmap);
    std::remove(path.c_str());
    return 0;
}
