#pragma once
// Folders and files by path. Paths go through MapWindowsPath first.

#include "platform/base/WinTypes.h"

// Creates the folder and every missing parent. True when the folder exists afterwards.
BOOL CreateDirectories(const char* path);
BOOL FileExists(const char* path);      // a regular file (or a link to one)
BOOL DirectoryExists(const char* path); // a folder (or a link to one)
// Deletes a file (not a folder). False when it did not exist or could not be deleted.
BOOL DeleteFile(const char* path);
// The size of a regular file, or -1.
LONGLONG GetFileSize(const char* path);

// Space on the file system holding path, in bytes: free space available to the program and total
// size. When path does not exist yet, its nearest existing parent is asked. False, with the outputs
// untouched, when the question cannot be answered.
BOOL GetDiskFreeSpace(const char* path, ULONGLONG* freeBytes, ULONGLONG* totalBytes);
