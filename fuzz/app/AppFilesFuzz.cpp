// Arbitrary bytes as the files the client reads back: the start-up file, the local log ring and the
// connection history. The first byte picks the file; the rest is its content.
#include "app/ConnectLog.h"
#include "app/LocalLog.h"
#include "app/StartupFile.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string& Location() {
    static const std::string location = [] {
        char pattern[] = "/tmp/kelo-fuzz-app-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return location;
}

void Put(const std::string& path, const uint8_t* data, size_t size) {
    ::mkdir((Location() + "/Log").c_str(), 0700);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t which = data[0] % 3;
    ++data;
    --size;
    const char* location = Location().c_str();
    switch (which) {
    case 0: {
        StartupStrings strings;
        CStartupFile::Parse(data, size, strings);
        CStartupFile::DateFormatFromText(strings.dateFormatText);
        break;
    }
    case 1:
        // Keep the ring within a few slots so each run stays quick.
        Put(CLocalLog::PathOf(location), data, size > 4096 ? 4096 : size);
        CLocalLog::WriteAt(location, false, 2, 1, "user", "10.0.0.1", 1);
        break;
    default: {
        Put(CConnectLog::PathOf(location), data, size);
        ConnectLogTable table;
        CConnectLog::Load(location, table);
        CConnectLog::Add(location, table[0].IsEmpty() ? "host" : table[0].address, 2000, table[0].description, 5);
        CConnectLog::Save(location, table);
        break;
    }
    }
    return 0;
}
