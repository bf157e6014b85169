# The archive: the remote search frame's Backup, Log and Info tabs against the simulator.
kelo_test(archive_operator_test
  SOURCES
    ${PROJECT_SOURCE_DIR}/tests/app/GuiEnvironment.cpp
    ArchiveBackupTest.cpp
    ArchiveLogsAndInfoTest.cpp
    ArchiveFaceTest.cpp
  DEPS kelo_app_parts kelo_test_support
  GUI TIMEOUT 600)
add_dependencies(archive_operator_test kelo-recorder-sim H264_D1 KeloRes)
