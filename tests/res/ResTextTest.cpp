// The English text table: ids that code computes from a base and an index are all there, texts fit
// the fixed fields they are copied into, and captions fit the controls that show them.

#include "tests/res/ResTestSupport.h"

#include "res/TextIds.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <initializer_list>
#include <vector>

namespace {

using restest::Library;

struct IdRange {
    unsigned first;
    unsigned last;
    const char* what;
};

// Ranges that code indexes into: a gap would show an empty text on screen.
constexpr IdRange kIndexedRanges[] = {
    {IDS_STEP_BACKWARD, IDS_PAUSE, "play bar tooltips"},
    {IDS_SETUP_DATA_CHECK_FAILED, IDS_NO_PERMISSION_FOR_THIS_FUNCTION, "notice texts"},
    {IDS_POWER_ON, IDS_DISK_ALARM, "remote log kinds"},
    {IDS_TOTAL_SPACE, IDS_APPLICATION, "status and system rows"},
    {IDS_LOADER, IDS_DONE, "firmware rows and status"},
    {IDS_DISABLED, IDS_EVENTS_AND_LOG, "e-mail options"},
    {IDS_HIGH, IDS_LOW, "levels"},
    {IDS_ENGLISH, IDS_DANISH, "recorder languages (5211 + p)"},
    {IDS_USER_DEFINED, IDS_RULE_28, "daylight-saving modes"},
    {IDS_JAN, IDS_DEC, "months"},
    {IDS_1ST, IDS_LAST, "weeks"},
    {IDS_SUNDAY, IDS_SATURDAY, "weekdays"},
    {IDS_PROGRAM_START, IDS_SNAPSHOT, "local log kinds"},
    {IDS_YYYY_MM_DD, IDS_LOCAL_PLAYBACK, "local setup captions"},
    {IDS_START, IDS_SAT, "calendar captions and days"},
    {IDS_RESOLUTION, IDS_SLOT_5, "record captions and slots"},
    {IDS_REMOTE_LOG_ALL, IDS_LOCAL_PLAY, "log titles"},
    {IDS_CHOOSE_THE_START_DAY, IDS_BACKUP_BUTTON, "archive buttons"},
    {IDS_CAMERA, IDS_DURATION, "display menu and columns"},
    {IDS_GENERAL, IDS_CIF, "record menu and columns"},
    {IDS_PAN_MIN, IDS_TILT_MAX, "PTZ range columns"},
    {IDS_E_MAIL, IDS_NO, "event menu, Yes and No"},
    {IDS_GMT_LONDON_LISBON, IDS_GMT_PLUS_9_30_ADELAIDE_DARWIN, "time zones (5779 + z)"},
    {IDS_INITIALIZE_THE_RECORDER_SETUP, IDS_ITS_FACTORY_VALUE, "initialise notice"},
    {IDS_ADMIN, IDS_USER_MENU, "accounts and rights"},
    {IDS_PLAYBACK_OPERATION, IDS_MEDIA, "log details"},
    {IDS_AUTO_SAVE, IDS_SEC_AUTO_SAVE, "auto save"},
};

TEST(ResTexts, IndexedRangesHaveNoGaps) {
    for (const IdRange& range : kIndexedRanges) {
        for (unsigned id = range.first; id <= range.last; ++id) {
            if (id == 5149) {
                continue; // not part of the status rows
            }
            EXPECT_FALSE(Library().LoadText(id).IsEmpty()) << range.what << ": text " << id;
        }
    }
}

struct Limit {
    std::initializer_list<unsigned> ids;
    int maxBytes;
    const char* field;
};

TEST(ResTexts, TextsFitTheFieldsTheyAreCopiedInto) {
    const Limit limits[] = {
        // Tooltip text field of 80 bytes with its terminator.
        {{IDS_CONNECT,
          IDS_REMOTE_SEARCH,
          IDS_REMOTE_SETUP,
          IDS_LOCAL_SEARCH,
          IDS_LOCAL_SETUP,
          IDS_PAN_TILT,
          IDS_ZOOM_FOCUS,
          IDS_FIRMWARE_UPGRADE,
          IDS_QUIT,
          IDS_1,
          IDS_4,
          IDS_FULL_SCREEN,
          IDS_LIVE,
          IDS_ON_SCREEN_DISPLAY,
          IDS_RESET_TILE_ORDER,
          IDS_SAVE,
          IDS_OPEN_IMAGE,
          IDS_MUTE,
          IDS_VOLUME,
          IDS_AUDIO_CHANNEL,
          IDS_TALK,
          IDS_STEP_BACKWARD,
          IDS_PLAY_BACKWARD,
          IDS_PLAY_FORWARD,
          IDS_PAUSE,
          IDS_STOP,
          IDS_STEP_FORWARD,
          IDS_MINIMIZE,
          IDS_AUDIO,
          IDS_DISCONNECT,
          IDS_STOP_RECORDING,
          IDS_START_RECORDING},
         79,
         "tooltip"},
        // "Channel" + " 16" in the tooltip too.
        {{IDS_CHANNEL}, 76, "channel tooltip prefix"},
        // Decoder labels are char[30]; name tables of the time page and OSD items hold 29 characters.
        {{IDS_LIVE, IDS_PLAYBACK, IDS_LOCAL_PLAY}, 29, "decoder label"},
        {{IDS_JAN,      IDS_FEB,    IDS_MAR,      IDS_APR,    IDS_MAY,    IDS_JUN,     IDS_JUL,
          IDS_AUG,      IDS_SEP,    IDS_OCT,      IDS_NOV,    IDS_DEC,    IDS_1ST,     IDS_2ND,
          IDS_3RD,      IDS_4TH,    IDS_LAST,     IDS_SUNDAY, IDS_MONDAY, IDS_TUESDAY, IDS_WEDNESDAY,
          IDS_THURSDAY, IDS_FRIDAY, IDS_SATURDAY, IDS_OFF,    IDS_ALWAYS},
         29,
         "time page name tables"},
        {{IDS_SEC, IDS_MIN}, 25, "OSD items (\"10 %s\")"},
        {{IDS_GMT_LONDON_LISBON,
          IDS_GMT_PLUS_1_PARIS_BERLIN_ROME,
          IDS_GMT_PLUS_2_ATHENS_CAIRO_HELSINKI,
          IDS_GMT_PLUS_3_MOSCOW_RIYADH,
          IDS_GMT_PLUS_4_DUBAI_BAKU,
          IDS_GMT_PLUS_5_KARACHI_TASHKENT,
          IDS_GMT_PLUS_6_DHAKA_ALMATY,
          IDS_GMT_PLUS_7_BANGKOK_JAKARTA,
          IDS_GMT_PLUS_8_BEIJING_SINGAPORE,
          IDS_GMT_PLUS_9_SEOUL_TOKYO,
          IDS_GMT_PLUS_10_SYDNEY_GUAM,
          IDS_GMT_PLUS_11_NOUMEA,
          IDS_GMT_PLUS_12_AUCKLAND_FIJI,
          IDS_GMT_MINUS_11_MIDWAY_SAMOA,
          IDS_GMT_MINUS_10_HAWAII,
          IDS_GMT_MINUS_9_ALASKA,
          IDS_GMT_MINUS_8_LOS_ANGELES_VANCOUVER,
          IDS_GMT_MINUS_7_DENVER_PHOENIX,
          IDS_GMT_MINUS_6_CHICAGO_MEXICO_CITY,
          IDS_GMT_MINUS_5_NEW_YORK_BOGOTA,
          IDS_GMT_MINUS_4_SANTIAGO_CARACAS,
          IDS_GMT_MINUS_3_BUENOS_AIRES_BRASILIA,
          IDS_GMT_MINUS_2_MID_ATLANTIC,
          IDS_GMT_PLUS_9_30_ADELAIDE_DARWIN,
          IDS_NONE},
         99,
         "zone names"},
    };
    for (const Limit& limit : limits) {
        for (unsigned id : limit.ids) {
            EXPECT_LE(Library().LoadText(id).GetLength(), limit.maxBytes) << limit.field << ": text " << id;
        }
    }
    for (unsigned id = IDS_USER_DEFINED; id <= IDS_RULE_28; ++id) {
        EXPECT_LE(Library().LoadText(id).GetLength(), 29) << "daylight-saving mode name " << id;
    }
}

struct Fit {
    std::initializer_list<unsigned> ids;
    int pixelSize; // "Arial Bold" 9 pt is 12 pixels, 8 pt is 11
    int room;      // pixels available for the text
    const char* where;
};

int TextWidth(const QString& text, int pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(text);
}

TEST(ResTexts, CaptionsFitTheirControls) {
    restest::EnsureGuiApplication();
    const Fit fits[] = {
        // Notice lines are drawn 1.2 times as wide as measured, centred in a 309-pixel row.
        {{IDS_SETUP_DATA_CHECK_FAILED,
          IDS_REASON_INVALID_SETUP_DATA,
          IDS_NOT_ENOUGH_SPACE_ON_THE_RECORDER,
          IDS_CONNECTION_FAILED,
          IDS_REFUSED_THE_RECORDER_IS_BUSY,
          IDS_REFUSED_FUNCTION_IN_USE,
          IDS_REASON_THE_RECORDER_IS_BUSY,
          IDS_REASON_THE_RECORDER_SHUT_DOWN,
          IDS_REASON_IMAGE_WRITE_FAILED,
          IDS_REASON_IMAGE_CHECK_FAILED,
          IDS_REASON_ANOTHER_USER_LOGGED_IN,
          IDS_NOT_ENOUGH_SPACE_FOR_THE_BACKUP,
          IDS_REASON_TOO_MANY_CONNECTIONS,
          IDS_FIRMWARE_UPGRADE_FAILED,
          IDS_FIRMWARE_UPGRADE_FINISHED,
          IDS_REFUSED_PLAYBACK_IS_RUNNING,
          IDS_REASON_THE_SETUP_WAS_CHANGED,
          IDS_NEW_FIRMWARE_FOUND_UPGRADE_NOW,
          IDS_NO_FIRMWARE_IMAGE_FOUND,
          IDS_NO_DATA_FOUND,
          IDS_REFUSED_NOT_ALLOWED_NOW,
          IDS_REASON_FIRMWARE_UPDATE_RUNNING,
          IDS_REASON_WRONG_FIRMWARE_IMAGE,
          IDS_REASON_NO_ANSWER_IN_TIME,
          IDS_REFUSED_SETUP_IS_BEING_CHANGED,
          IDS_THE_RECORDER_REFUSED_THE_SETUP,
          IDS_SETUP_SAVED,
          IDS_RESTART_THE_RECORDER_NOW,
          IDS_TRY_AGAIN,
          IDS_CONNECTION_CLOSED,
          IDS_NETWORK_SOCKET_UNAVAILABLE,
          IDS_REFUSED_WRONG_REQUEST,
          IDS_REASON_CLOSED_BY_THE_RECORDER,
          IDS_REQUEST_REFUSED,
          IDS_REASON_UNKNOWN,
          IDS_TALK_IS_IN_USE_BY_ANOTHER,
          IDS_TALK_IS_NOT_AVAILABLE,
          IDS_CONNECTION_TIMED_OUT,
          IDS_REASON_RECORDER_STORAGE_ERROR,
          IDS_REASON_TRANSFER_FAILED,
          IDS_INITIALIZE,
          IDS_RESET_EVERY_SETTING_TO_DEFAULT,
          IDS_REFUSED_RECORDER_DISK_ERROR,
          IDS_NO_PERMISSION_FOR_THIS_FUNCTION,
          IDS_APPLY_THE_DST_CHANGE_THIS_YEAR,
          IDS_INITIALIZE_THE_RECORDER_SETUP,
          IDS_EVERY_SETTING_RETURNS_TO,
          IDS_ITS_FACTORY_VALUE},
         12,
         300 * 10 / 12,
         "notice box line"},
        {{IDS_OK, IDS_CANCEL, IDS_MODIFY, IDS_DEFAULT, IDS_DELETE, IDS_EDIT, IDS_SAVE, IDS_PRESET, IDS_LEARN, IDS_DOME,
          IDS_SET, IDS_CALL},
         12,
         92,
         "100-pixel button"},
        {{IDS_START, IDS_STOP, IDS_CLOSE}, 12, 80, "firmware button"},
        {{IDS_ALL_CHECK, IDS_RETURN_ALL, IDS_RESET, IDS_PREV, IDS_NEXT, IDS_PLAY_BUTTON, IDS_CALCULATE,
          IDS_BACKUP_BUTTON, IDS_PRINT, IDS_DETAILS, IDS_ADD, IDS_REGION, IDS_PRESET},
         12,
         91,
         "page button"},
        {{IDS_INITIALIZE, IDS_DEINTERLACE, IDS_REGION_BUTTON, IDS_SEND_TEST_MAIL}, 12, 150, "wide page button"},
        {{IDS_CAMERA,       IDS_COVERT,
          IDS_CAMERA_NAME,  IDS_SPOT_OUT,
          IDS_OSD,          IDS_GENERAL,
          IDS_CONTINUOUS,   IDS_ALARM,
          IDS_MOTION,       IDS_SCHEDULE,
          IDS_AUDIO_EVENT,  IDS_HOLIDAY,
          IDS_MODE_SLOTS,   IDS_GENERAL_SYSTEM_MENU,
          IDS_USER_MENU,    IDS_ALARM_OUTPUT,
          IDS_AUTO_DELETE,  IDS_PTZ_MENU,
          IDS_KEYBOARD,     IDS_TIME_MENU,
          IDS_TIME_SERVER,  IDS_OPTIONS,
          IDS_E_MAIL,       IDS_BUZZER,
          IDS_ALARM_OUT,    IDS_EVENT_POPUP,
          IDS_DATE_TIME,    IDS_EVENT,
          IDS_CALENDAR,     IDS_SELECT_CHANNEL,
          IDS_ALL,          IDS_POWER,
          IDS_RECORD,       IDS_OPERATION,
          IDS_CLIENT,       IDS_SYSTEM_INFO,
          IDS_STATUS_INFO,  IDS_OPACITY,
          IDS_AUDIO_BUFFER, IDS_AUTO_SAVE},
         12,
         130,
         "menu entry beside its picture"},
        {{IDS_HUE, IDS_SATURATION, IDS_CONTRAST, IDS_BRIGHTNESS, IDS_RESOLUTION_COLUMN, IDS_RATE, IDS_AUDIO,
          IDS_SENSITIVITY, IDS_ON_OFF, IDS_DAYS, IDS_PAN_MIN, IDS_PAN_MAX, IDS_TILT_MIN, IDS_TILT_MAX},
         12,
         94,
         "column button"},
        {{IDS_ID, IDS_PROTOCOL, IDS_BAUD_RATE}, 12, 127, "three-column button"},
        {{IDS_MODE, IDS_DURATION, IDS_NTP, IDS_CITY}, 12, 190, "half-width column button"},
        {{IDS_ON, IDS_OFF, IDS_YES, IDS_NO, IDS_4CIF, IDS_2CIF, IDS_CIF}, 12, 58, "switch button right of its lamp"},
        {{IDS_NONE, IDS_OFF_CHOICE, IDS_ON_CHOICE, IDS_WEEK, IDS_DATE}, 12, 70, "narrow switch button"},
        {{IDS_JAN, IDS_FEB, IDS_MAR, IDS_APR, IDS_MAY, IDS_JUN, IDS_JUL, IDS_AUG, IDS_SEP, IDS_OCT, IDS_NOV, IDS_DEC},
         12,
         45,
         "calendar month"},
        {{IDS_SUN, IDS_MON, IDS_TUE, IDS_WED, IDS_THU, IDS_FRI, IDS_SAT}, 12, 46, "weekday caption"},
        {{IDS_IP_ADDRESS, IDS_PORT, IDS_ID, IDS_PASSWORD, IDS_DESCRIPTION}, 12, 100, "connect dialog label plate"},
        // The row's progress bar starts 56 pixels right of its name label.
        {{IDS_LOADER, IDS_KERNEL, IDS_PROGRAM, IDS_FILES, IDS_WEB}, 12, 54, "firmware row name"},
        {{IDS_SENDING_THE_IMAGE, IDS_RECORDER_IS_UPDATING, IDS_STOPPED, IDS_WRONG_IMAGE, IDS_RECORDER_BUSY, IDS_FAILED,
          IDS_DONE, IDS_REQUEST_REFUSED},
         12,
         132,
         "firmware status"},
        {{IDS_CH}, 11, 41 - TextWidth(QStringLiteral("00"), 11), "channel button prefix"},
    };
    for (const Fit& fit : fits) {
        for (unsigned id : fit.ids) {
            const QString text = QString::fromUtf8(Library().LoadText(id).GetString());
            EXPECT_LE(TextWidth(text, fit.pixelSize), fit.room)
                << fit.where << ": text " << id << " \"" << text.toStdString() << "\"";
        }
    }
}

} // namespace
