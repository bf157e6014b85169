// One QApplication for the whole test program (offscreen platform, set by the test runner) and the
// program's resource library, so that the dialogs show their real texts and bitmaps.
#include "res/ResLibrary.h"
#include "tests/support/GuiEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Registered after the application's environment, so it is set up after it and torn down before it.
class ResLibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const char* bin = std::getenv("KELO_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        ASSERT_TRUE(m_library.LoadFrom(std::string(bin) + "/" + CResLibrary::kFileName));
        CResLibrary::SetCurrent(&m_library);
    }
    void TearDown() override {
        CResLibrary::SetCurrent(nullptr);
        m_library.Free();
    }

private:
    CResLibrary m_library;
};

const auto* const g_application = kelotest::AddGuiEnvironment("app_dialog_test", kelotest::GuiKind::Widgets);
const auto* const g_library = ::testing::AddGlobalTestEnvironment(new ResLibraryEnvironment);

} // namespace
