#pragma once
// Control ids that more than one file names: those of the connect dialog and its connection history,
// and the buttons of the archive's menus. A control id used only inside its own dialog stays there.

// Connect dialog.
inline constexpr unsigned IDC_CONNECT_ADDRESS = 380;
inline constexpr unsigned IDC_CONNECT_PORT = 381;
inline constexpr unsigned IDC_CONNECT_USER_ID = 382;
inline constexpr unsigned IDC_CONNECT_PASSWORD = 383;
inline constexpr unsigned IDC_CONNECT_DEFAULT = 384;
inline constexpr unsigned IDC_CONNECT_MODIFY = 385;
inline constexpr unsigned IDC_CONNECT_DESCRIPTION = 386;
inline constexpr unsigned IDC_CONNECT_HISTORY = 993;

// Connection history.
inline constexpr unsigned IDC_HISTORY_DELETE = 480;
inline constexpr unsigned IDC_HISTORY_EDIT = 481;
inline constexpr unsigned IDC_HISTORY_SAVE = 482;
inline constexpr unsigned IDC_HISTORY_DESCRIPTION = 530;
inline constexpr unsigned IDC_HISTORY_LIST = 914;

// Search and backup menus (the backup menu has the same four buttons).
inline constexpr unsigned IDC_SEARCH_MENU_DATE_TIME = 450;
inline constexpr unsigned IDC_SEARCH_MENU_EVENT = 451;
inline constexpr unsigned IDC_SEARCH_MENU_CALENDAR = 452;
inline constexpr unsigned IDC_SEARCH_MENU_CHANNELS = 453;

// Log menu.
inline constexpr unsigned IDC_LOG_MENU_ALL = 450;
inline constexpr unsigned IDC_LOG_MENU_POWER = 451;
inline constexpr unsigned IDC_LOG_MENU_RECORD = 452;
inline constexpr unsigned IDC_LOG_MENU_OPERATION = 453;
inline constexpr unsigned IDC_LOG_MENU_CLIENT = 454;
inline constexpr unsigned IDC_LOG_MENU_EVENT = 455;

// Information menu.
inline constexpr unsigned IDC_INFO_MENU_SYSTEM = 450;
inline constexpr unsigned IDC_INFO_MENU_STATUS = 451;
