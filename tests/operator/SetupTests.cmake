# The remote setup against the simulator: edits on several pages uploaded by the frame's OK and
# compared with the record the recorder sent; the daylight-saving question on OK, Cancel and Close.
kelo_test(kelo_operator_setup_tests
  SOURCES
    ${PROJECT_SOURCE_DIR}/tests/app/GuiEnvironment.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SetupUploadTest.cpp
  DEPS kelo_app_parts kelo_test_support ZLIB::ZLIB
  # The daylight-saving test runs the frame once for each way it ends; beside a build that has
  # taken more than five minutes.
  GUI TIMEOUT 900)
add_dependencies(kelo_operator_setup_tests kelo-recorder-sim H264_D1 KeloRes)
