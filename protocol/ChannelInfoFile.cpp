#include "protocol/ChannelInfoFile.h"

#include <cstdio>
#include <memory>
#include <system_error>

bool WriteChannelInfoFile(const WebExportSettings& web, DWORD mask) {
    if (web.location.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(web.location, error);
    const std::filesystem::path path = web.location / "chinfo.bin";
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        return false;
    }
    const int written =
        std::fprintf(file.get(), "%d\r\n%d\r\n%d\r\n%d\r\n", int(mask & 0xFFFF), web.width, web.height, web.interval);
    return written > 0 && std::fclose(file.release()) == 0;
}
