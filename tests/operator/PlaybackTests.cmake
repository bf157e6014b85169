# Remote and local playback as the operator drives them, against the simulator.
kelo_test(kelo_operator_playback_tests
  SOURCES
    ${PROJECT_SOURCE_DIR}/tests/app/GuiEnvironment.cpp
    PlaybackOperatorTest.cpp
    PlaybackModeRaceTest.cpp
  DEPS kelo_app_parts kelo_sim_core kelo_test_support
  GUI TIMEOUT 600)
add_dependencies(kelo_operator_playback_tests kelo-recorder-sim H264_D1 KeloRes)
