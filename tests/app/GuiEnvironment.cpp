// One QApplication for the whole test program (the offscreen platform, set by the test runner).
#include "tests/support/GuiEnvironment.h"

namespace {

const auto* const g_environment = kelotest::AddGuiEnvironment("app_test", kelotest::GuiKind::Widgets);

} // namespace
