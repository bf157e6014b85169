#include "tests/res/ResTestSupport.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace restest {

std::string LibraryPath() {
    const char* bin = std::getenv("KELO_BIN_DIR");
    return std::string(bin != nullptr ? bin : ".") + "/" + CResLibrary::kFileName;
}

const CResLibrary& Library() {
    static const std::unique_ptr<CResLibrary> library = [] {
        auto lib = std::make_unique<CResLibrary>();
        lib->LoadFrom(LibraryPath());
        return lib;
    }();
    EXPECT_TRUE(library->IsLoaded()) << "cannot load " << LibraryPath();
    return *library;
}

void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "test_res";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv); // lives for the whole test run
    (void)app;
}

QImage Cell(const QImage& strip, int cellWidth, int cell) {
    return strip.copy(cell * cellWidth, 0, cellWidth, strip.height());
}

} // namespace restest
