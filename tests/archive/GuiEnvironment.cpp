// One QApplication for the whole test program (offscreen platform, set by the test runner), and the
// resource library built beside the tests, so that pages get their real texts and bitmaps.
#include "tests/support/GuiEnvironment.h"
#include "res/ResLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Registered after the application's environment, so it is set up after it and torn down before it.
class ResLibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const char* bin = std::getenv("KELO_BIN_DIR");
        const std::string path = std::string(bin != nullptr ? bin : ".") + "/" + CResLibrary::kFileName;
        if (m_library.LoadFrom(path)) {
            CResLibrary::SetCurrent(&m_library);
        }
    }
    void TearDown() override {
        CResLibrary::SetCurrent(nullptr);
        m_library.Free();
    }

private:
    CResLibrary m_library;
};

const auto* const g_application = kelotest::AddGuiEnvironment("archive_gui_test", kelotest::GuiKind::Widgets);
const auto* const g_library = ::testing::AddGlobalTestEnvironment(new ResLibraryEnvironment);

} // namespace
