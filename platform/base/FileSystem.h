#pragma once
// Folders and files by path. Paths go through MapWindowsPath first.

#include "platform/base/WinTypes.h"

// Creates the folder and every missing parent. True when the folder exists afterwards.
BOOL CreateDirectories(const char* path);
BOOL FileExists(const char* path);      // a regular file (or a link to one)
BOOL DirectoryExists(const char* path); // a folder (or a link to one)

// Space on the file system holding path, in bytes: free space available to the program and total
// size. When path does not exist yet, its nearest existing parent is asked. False, with the outputs
// untouched, when the question cannot be answered.
BOOL GetDiskFreeSpace(const char* path, ULONGLONG* freeBytes, ULONGLONG* totalBytes);
