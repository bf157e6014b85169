#include "tests/support/GuiEnvironment.h"

#include <QApplication>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelotest {
namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    GuiEnvironment(const char* programName, GuiKind kind) : m_name(programName), m_kind(kind) {}

    void SetUp() override {
        // Qt keeps argc and argv for the life of the application object.
        m_argv[0] = m_name.data();
        if (m_kind == GuiKind::Widgets) {
            m_app = std::make_unique<QApplication>(m_argc, m_argv);
        } else {
            m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
        }
    }
    void TearDown() override { m_app.reset(); }

private:
    std::string m_name;
    GuiKind m_kind;
    int m_argc = 1;
    char* m_argv[2] = {nullptr, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace

::testing::Environment* AddGuiEnvironment(const char* programName, GuiKind kind) {
    return ::testing::AddGlobalTestEnvironment(new GuiEnvironment(programName, kind));
}

} // namespace kelotest
