// One QApplication for the whole test program (offscreen platform, set by the test runner), and the
// resource library built beside the tests, so that pages get their real texts and bitmaps.
#include "res/ResLibrary.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "archive_gui_test";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
        const char* bin = std::getenv("KELO_BIN_DIR");
        const std::string path = std::string(bin != nullptr ? bin : ".") + "/" + CResLibrary::kFileName;
        if (m_library.LoadFrom(path)) {
            CResLibrary::SetCurrent(&m_library);
        }
    }
    void TearDown() override {
        CResLibrary::SetCurrent(nullptr);
        m_library.Free();
        delete m_app;
    }

private:
    QApplication* m_app = nullptr;
    CResLibrary m_library;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
