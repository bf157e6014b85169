#pragma once
// What the local search frame and its pages use of the main window. The main window's side
// implements it (app/MainLocalSearchHost.cpp for the program); every call comes from the UI
// thread.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;
class CDvrClient;
class CLocalPlayer;
class ILocalPlayerHost;

class ILocalSearchHost {
public:
    virtual ~ILocalSearchHost() = default;

    // The main window: the frame's owner; notices (0x5226) are posted to it.
    virtual CWnd* MainWindow() = 0;
    // The connection, or null when there is none.
    virtual CDvrClient* Client() = 0;
    // 0 YYYY-MM-DD, 1 MM-DD-YYYY, 2 DD-MM-YYYY.
    virtual int DateFormat() const = 0;
    // Fields (year, month 0-11, day 0-30, hour, minute, second) to a recorder time.
    virtual DWORD TimeToCTime(const int fields[6]) const = 0;
    // The save location (the local log lies in its Log folder, the backups in its Download folder).
    virtual std::string SaveLocation() const = 0;
    // The program runs from removable media: the backups are looked for beside it instead.
    virtual bool IsRemovable() const = 0;
    // The program's file version: major, minor, build, revision (zeros when it has none).
    virtual void GetFileVersion(WORD version[4]) const = 0;
    // Whether a local player exists (the log pages' Play stays disabled then).
    virtual bool HasLocalPlayer() const = 0;

    // What the local player uses of the main window, the video window and the media workers.
    virtual std::unique_ptr<ILocalPlayerHost> MakePlayerHost() = 0;
    // The started player becomes the main window's local player (its play bar drives it from now).
    virtual void AdoptLocalPlayer(std::unique_ptr<CLocalPlayer> player) = 0;
    // Where a printed list goes as a PDF file when there is no printer.
    virtual std::string NoPrinterFolder() const = 0;
    // Shows the operator a box of up to three lines over `owner` and returns when it is closed.
    virtual void ShowTextBox(CWnd* owner, const std::vector<CString>& lines) = 0;
};
