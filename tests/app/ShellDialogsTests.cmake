# Tests of the local setup, PTZ, firmware and arrange-bar dialogs, under the offscreen platform with
# the real resource library; the firmware upload also against the recorder simulator.
set(KELO_APP_DIALOG_TESTS
    ShellDialogsEnvironment.cpp
    ArrangeDlgTest.cpp
    FwUpgradeTest.cpp
    LocalSetupTest.cpp
    PtzDialogsTest.cpp
)
kelo_test(kelo_app_dialog_tests
  SOURCES ${KELO_APP_DIALOG_TESTS}
  DEPS kelo_app_dialogs kelo_test_support Qt6::Widgets
  GUI TIMEOUT 300)
add_dependencies(kelo_app_dialog_tests KeloRes)
add_dependencies(kelo_app_dialog_tests kelo-recorder-sim)

# The same dialogs in the program (the main window with the program's parts) against the simulator.
kelo_test(kelo_app_dialog_wired_tests
  SOURCES GuiEnvironment.cpp ShellDialogsWiredTest.cpp
  DEPS kelo_app_parts kelo_test_support
  GUI TIMEOUT 300)
add_dependencies(kelo_app_dialog_wired_tests kelo-recorder-sim H264_D1 KeloRes)
