#pragma once
// The icon ids of the resource library. An icon holds one picture per size the desktop asks for.

inline constexpr unsigned IDI_MAINFRAME = 101;
