#pragma once
// The mapping of the program's Windows-shaped paths onto this system:
// - the fixed system-folder copy of the start-up file, "c:\windows\system32\ClientD1.bin" (any case),
//   becomes "/etc/ClientD1.bin";
// - any other path starting with a drive ("C:\H264\Log\") starts at the user's home folder instead
//   ("$HOME/H264/Log/"), so the default save location "C:\%s" becomes "$HOME/%s";
// - backslashes become '/', and runs of separators collapse into one.
// A path without a drive keeps its root: POSIX paths pass through unchanged except for backslashes.

#include <string>

std::string MapWindowsPath(const char* path);

// The user's home folder without a trailing '/': $HOME, else the password database's entry, else "/".
std::string HomeFolder();

// The default save location for a save-folder name ("C:\%s" on Windows): "$HOME/<name>".
std::string DefaultSaveLocation(const char* folderName);

// Where the system-wide copy of the start-up file lives.
inline constexpr const char* kSystemStartupFile = "/etc/ClientD1.bin";

// Joins a folder and a name with exactly one '/' between them.
std::string JoinPath(const std::string& folder, const std::string& name);
