# The operator tests of live view and the main window: the real main window with the program's parts
# against the simulator, driven as an operator clicks and types.
kelo_test(kelo_operator_live_tests
  SOURCES
    ${PROJECT_SOURCE_DIR}/tests/app/GuiEnvironment.cpp
    ConnectionOperatorTest.cpp
    LiveViewTest.cpp
    MainWindowOperatorTest.cpp
  DEPS kelo_app_parts kelo_test_support kelo_sim_core
  GUI TIMEOUT 600)
add_dependencies(kelo_operator_live_tests kelo-recorder-sim H264_D1 KeloRes)
