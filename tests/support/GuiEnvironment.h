#pragma once
// One application object for a whole test program (on the offscreen platform the test runner sets): fonts
// need one, and widgets need the widget kind.

namespace testing {
class Environment;
}

namespace kelotest {

enum class GuiKind { Gui, Widgets };

// Registers the environment with GoogleTest; call it once per program, from a namespace-scope initializer.
::testing::Environment* AddGuiEnvironment(const char* programName, GuiKind kind);

} // namespace kelotest
