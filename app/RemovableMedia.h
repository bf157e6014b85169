#pragma once
// Whether the program runs from removable media (a CD, DVD or USB stick): the file system holding
// the program is an optical disc's, or its block device (or the disk of its partition) is flagged
// removable. KELO_REMOVABLE_MEDIA=1 or 0 in the environment forces the answer (tests, demos).

#include <string>

class CRemovableMedia {
public:
    static bool IsProgramOnRemovableMedia();
    static bool IsOnRemovableMedia(const std::string& path);
    // The folder of the running program ("." when it cannot be told).
    static std::string ProgramFolder();
    static std::string ProgramPath();
};
