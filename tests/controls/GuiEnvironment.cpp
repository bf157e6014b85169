// The controls are widgets, and their fonts need an application.
#include "tests/support/GuiEnvironment.h"

namespace {

const auto* const g_environment = kelotest::AddGuiEnvironment("controls_test", kelotest::GuiKind::Widgets);

} // namespace
