// One QGuiApplication for the whole test program: fonts need it.
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "controls_test";
        static char* argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QGuiApplication* m_app = nullptr;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
