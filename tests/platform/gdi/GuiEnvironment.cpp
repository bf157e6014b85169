// Fonts need an application; drawing needs no widgets.
#include "tests/support/GuiEnvironment.h"

namespace {

const auto* const g_environment = kelotest::AddGuiEnvironment("gdi_test", kelotest::GuiKind::Gui);

} // namespace
