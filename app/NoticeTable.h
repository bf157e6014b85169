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
        MByte,        // "%d MByte" with the value
    };
    Kind kind = Text;
    UINT textId = 0;
    DWORD value = 0;
};

struct NoticeContext {
    bool connected = false;
    bool searchToReturn = false; // the client keeps a search to return to
    DWORD size1 = 0;             // megabytes, from a refusal for lack of space or a backup page
    DWORD size2 = 0;
    DWORD searchFrameMByte = 0; // the free-space margin the backup page stored for notice 13/0
};

struct NoticeContent {
    int lineCount = 0;
    NoticeLine lines[3];
    int buttons = kNoticeButtonsOk;
    NoticeAction action = NoticeAction::None;
    bool clearsSizes = false;      // the two sizes are set to 0 once shown
    bool keepsMainEnabled = false; // the main window is not disabled again afterwards
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
