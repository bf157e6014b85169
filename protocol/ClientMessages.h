#pragma once
// Every private window message of the program's windows, each named once (wParam, lParam as noted
// where they carry something). The skinned controls' own messages live with the controls.

#include "platform/base/WinTypes.h"

// Arrange bar and full-screen video window: a button of the arrange bar (wParam the button id), and
// "show the arrange bar" (posted to itself when the mouse comes near the bottom edge).
constexpr UINT WM_KELO_ARRANGE = 0x5220;
constexpr UINT WM_KELO_SHOW_ARRANGE_BAR = 0x5221;

// Notice to the main window: lParam category << 16 | code.
constexpr UINT WM_KELO_NOTICE = 0x5226;
constexpr UINT WM_KELO_SETUP_READY = 0x5227;
// A Search page of the local search asks for playback: wParam the start time, lParam the end or 0.
// The page sets the frame's search kind first and posts WM_CLOSE to the frame right after.
constexpr UINT WM_KELO_LOCAL_OPEN_RECORDINGS = 0x5228;
constexpr UINT WM_KELO_FW_UPDATE_ACK = 0x522A;
constexpr UINT WM_KELO_FW_UPDATE_NACK = 0x522B;
constexpr UINT WM_KELO_FW_DATA_RX_DONE = 0x522C;
constexpr UINT WM_KELO_FW_DATA_RX_FAIL = 0x522D;
constexpr UINT WM_KELO_FW_UPDATE_DONE = 0x522E;
constexpr UINT WM_KELO_FW_UPDATE_FAIL = 0x522F;
constexpr UINT WM_KELO_PLAY_MONTH_READY = 0x5234;
constexpr UINT WM_KELO_EVENT_LIST_READY = 0x5235;
constexpr UINT WM_KELO_TRANS_MONTH_READY = 0x5236;
constexpr UINT WM_KELO_PLAY_DAY_READY = 0x5237;
constexpr UINT WM_KELO_TRANS_DAY_READY = 0x5238;
// A camera move of the PTZ pad to the main window: wParam 0 pressed, 1 released; lParam the
// direction (Up 0, Down 1, Left 2, Right 3, centre 4 or 5).
constexpr UINT WM_KELO_PTZ_MOVE = 0x5239;
constexpr UINT WM_KELO_LOG_READY = 0x523A;
constexpr UINT WM_KELO_SYSTEM_INFO_READY = 0x523B;
constexpr UINT WM_KELO_STATUS_READY = 0x523C;
constexpr UINT WM_KELO_MIKE_START = 0x523D;
constexpr UINT WM_KELO_MIKE_STOP = 0x523E;
// A keypad action to the main window: wParam the action code, lParam the number.
constexpr UINT WM_KELO_PTZ_KEYPAD = 0x523F;
// To the PTZ dialog, the recorder's answer about the PTZ channel: wParam 1 no PTZ, 2 PTZ available.
constexpr UINT WM_KELO_PTZ_AVAILABILITY = 0x5240;
// To the search frame, the size of a backup range: wParam KByte.
constexpr UINT WM_KELO_BACKUP_SIZE = 0x5241;
// Backup started (wParam total KByte), progress (wParam KByte written), ended.
constexpr UINT WM_KELO_BACKUP_CREATE = 0x5248;
constexpr UINT WM_KELO_BACKUP_PROGRESS = 0x5249;
constexpr UINT WM_KELO_BACKUP_CLOSE = 0x524A;
constexpr UINT WM_KELO_PLAY_STARTED = 0x5252;
constexpr UINT WM_KELO_STARTUP_DONE = 0x5253;
constexpr UINT WM_KELO_DVR_TIME = 0x5254;
constexpr UINT WM_KELO_RIGHTS_CHANGED = 0x5255;
// To the main window: the account lost the PTZ right while the PTZ dialog was open in mode wParam
// (0 pan, 1 zoom); the main window closes the PTZ set through its Pan or Zoom command.
constexpr UINT WM_KELO_PTZ_RIGHT_LOST = 0x5256;
// The main window's own: connecting failed (lParam the notice), a recorder of another product, a
// still-image saver started, quit asked from outside, a decoder library error.
constexpr UINT WM_KELO_CONNECT_FAILED = 0x5260;
constexpr UINT WM_KELO_WRONG_PRODUCT = 0x5261;
constexpr UINT WM_KELO_SAVER_ADDED = 0x5262;
constexpr UINT WM_KELO_QUIT_REQUEST = 0x5263;
constexpr UINT WM_KELO_DECODER_ERROR = 0x5264;
// What the firmware upload thread posts to its dialog: progress (wParam row, lParam percent), and
// the end (wParam an UploadResult).
constexpr UINT WM_KELO_FW_UPLOAD_PROGRESS = 0x5280;
constexpr UINT WM_KELO_FW_UPLOAD_ENDED = 0x5281;
// The time-server worker's answer to the time-server page: wParam the query's number, lParam the
// result (code in the high 32 bits, seconds in the low 32).
constexpr UINT WM_KELO_TIME_SERVER_ANSWER = 0x5281;

// The standard close request, posted to frames and dialogs that must end with the connection.
constexpr UINT kMsgClose = 0x0010;
