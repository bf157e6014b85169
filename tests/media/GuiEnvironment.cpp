// One QGuiApplication for the whole test program: the captions need its fonts.
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "kelo_media_still_tests";
        static char* argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QGuiApplication* m_app = nullptr;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
