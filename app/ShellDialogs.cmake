# The local setup frame and its pages, the PTZ pads, the firmware upgrade and the full-screen arrange
# bar: the dialogs the main window's commands and the video window open.
set(KELO_APP_DIALOG_SOURCES
    ArrangeDlg.cpp
    AudioBufferPageDlg.cpp
    AutoSavePageDlg.cpp
    DropListPopupDlg.cpp
    GlobalPageDlg.cpp
    LocalSetupChildDlg.cpp
    LocalSetupDlg.cpp
    LocalSetupPageDlg.cpp
    LocalSetupTabDlg.cpp
    MainWindowDialogHost.cpp
    OpacityPageDlg.cpp
    SliderRowsPageDlg.cpp
    FwUpgradeDlg.cpp
    PtzControlDlg.cpp
    PtzDialogSet.cpp
    PtzKeypadDlg.cpp
    PtzMenuDlg.cpp
    PtzPadDlg.cpp
    PtzPlacement.cpp
    ShellDialogParts.cpp
)
kelo_library(kelo_app_dialogs
  SOURCES ${KELO_APP_DIALOG_SOURCES}
  DEPS kelo_app kelo_setupkit kelo_controls kelo_window kelo_gdi kelo_res_loader kelo_protocol Qt6::Widgets)
target_link_libraries(kelo1000 PRIVATE kelo_app_dialogs)
