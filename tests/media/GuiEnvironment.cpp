// One QGuiApplication for the whole test program: the captions need its fonts.
#include "tests/support/GuiEnvironment.h"

namespace {

const auto* const g_environment = kelotest::AddGuiEnvironment("kelo_media_still_tests", kelotest::GuiKind::Gui);

} // namespace
