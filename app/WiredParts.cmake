# The program's parts for the main window: the adapters over the live media, remote setup and
# archive subsystems that the main window's commands open.
set(KELO_APP_PARTS_SOURCES
    StandardParts.cpp
    MainSetupHost.cpp
    MainArchiveHost.cpp
    MainLocalSearchHost.cpp
    MainLocalPlayerHost.cpp
    LocalPlayerAdapter.cpp
    MainPrintOutcome.cpp
)
kelo_library(kelo_app_parts
  SOURCES ${KELO_APP_PARTS_SOURCES}
  DEPS kelo_app kelo_app_dialogs kelo_media kelo_setup kelo_archive Qt6::Widgets)
target_link_libraries(kelo1000 PRIVATE kelo_app_parts)
