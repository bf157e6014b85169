#pragma once
// What a notice (category, code) shows in the message box: one to three lines of resource text or
// formatted text, which buttons, and what OK does. Sizes and the connection state come from the
// caller, so the table is the same whoever shows it.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <functional>

// Button modes of the message box.
constexpr int kNoticeButtonsOk = 1;
constexpr int kNoticeButtonsCancel = 2;
constexpr int kNoticeButtonsBoth = 3;

enum class NoticeAction {
    None,
    ReopenRemoteSearch, // OK reopens the remote search; Cancel drops the search kept to return to
    ResendSetup,        // send the setup record again
    RebootRecorder,     // reboot when the account may, else notice 15/0
    RunFirmwareUpgrade, // run the firmware upgrade dialog that came with the notice
    InitRecorderSetup,  // ask the recorder to initialise its setup
};

struct NoticeLine {
    enum Kind {
        Text,         // the resource text
        SizeGByte,    // "%s : %d GByte" with the text and value / 1024 (integer division)
        SizeGByteDec, // "%s : %6.1f GByte" with the text and value / 1024.0
        MByte,        // "%d MByte" with the value (a signed number)
        Literal,      // the text as it comes (a folder)
    };
    Kind kind = Text;
    UINT textId = 0;
    DWORD value = 0;
    CString text;
};

struct NoticeContext {
    bool connected = false;
    bool searchToReturn = false; // the client keeps a search to return to
    DWORD size1 = 0;             // megabytes, from the recorder's refusal for lack of space
    DWORD size2 = 0;
    // What the backup page found for notice 13/0, in megabytes: the size of the range, the free
    // space less the 100 kept spare, and the free space less the range (negative when it does not fit).
    LONG backupNeeded = 0;
    LONG backupFree = 0;
    LONG backupMargin = 0;
    // The folder a local write failed in (notices 17/0 and 17/1).
    CString folder;
};

struct NoticeContent {
    int lineCount = 0;
    NoticeLine lines[3];
    int buttons = kNoticeButtonsOk;
    NoticeAction action = NoticeAction::None;
    bool clearsSizes = false;       // the recorder's two sizes are set to 0 once shown
    bool clearsBackupSizes = false; // the backup page's needed and free sizes are set to 0 once shown
    bool keepsMainEnabled = false;  // the main window is not disabled again afterwards
};

class CNoticeTable {
public:
    // False for a (category, code) the table does not list: nothing is shown.
    static bool LookUp(WORD category, WORD code, const NoticeContext& context, NoticeContent& out);
    // The text of one line, with texts by id from the loader.
    static CString RenderLine(const NoticeLine& line, const std::function<CString(UINT)>& loadText);
    // The width scale of the text by the user's language: Japanese 0.9, Korean 1.0, any other 1.2.
    static double LanguageScale(const char* localeName);
};
