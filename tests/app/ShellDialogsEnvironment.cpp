// One QApplication for the whole test program (offscreen platform, set by the test runner) and the
// program's resource library, so that the dialogs show their real texts and bitmaps.
#include "res/ResLibrary.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

class ShellDialogsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "app_dialog_test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        const char* bin = std::getenv("KELO_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        ASSERT_TRUE(m_library.LoadFrom(std::string(bin) + "/" + CResLibrary::kFileName));
        CResLibrary::SetCurrent(&m_library);
    }
    void TearDown() override {
        CResLibrary::SetCurrent(nullptr);
        m_library.Free();
        m_app.reset();
    }

private:
    std::unique_ptr<QApplication> m_app;
    CResLibrary m_library;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ShellDialogsEnvironment);

} // namespace
