#pragma once
// The private window messages the client posts to the windows that asked (wParam, lParam as noted
// where they carry something).

#include "platform/base/WinTypes.h"

// Private window messages the client posts.
constexpr UINT WM_KELO_NOTICE = 0x5226;
constexpr UINT WM_KELO_SETUP_READY = 0x5227;
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
constexpr UINT WM_KELO_LOG_READY = 0x523A;
constexpr UINT WM_KELO_SYSTEM_INFO_READY = 0x523B;
constexpr UINT WM_KELO_STATUS_READY = 0x523C;
constexpr UINT WM_KELO_MIKE_START = 0x523D;
constexpr UINT WM_KELO_MIKE_STOP = 0x523E;
constexpr UINT WM_KELO_BACKUP_CREATE = 0x5248;
constexpr UINT WM_KELO_BACKUP_PROGRESS = 0x5249;
constexpr UINT WM_KELO_BACKUP_CLOSE = 0x524A;
constexpr UINT WM_KELO_PLAY_STARTED = 0x5252;
constexpr UINT WM_KELO_DVR_TIME = 0x5254;
constexpr UINT WM_KELO_RIGHTS_CHANGED = 0x5255;
// To the main window: the account lost the PTZ right while the PTZ dialog was open in mode wParam
// (0 pan, 1 zoom); the main window closes the PTZ set through its Pan or Zoom command.
constexpr UINT WM_KELO_PTZ_RIGHT_LOST = 0x5256;

// The standard close request, posted to frames and dialogs that must end with the connection.
constexpr UINT kMsgClose = 0x0010;
