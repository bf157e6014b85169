#include "res/SkinTable.h"

#include "res/BitmapIds.h"

#include <algorithm>
#include <array>

namespace {

// Row builders, so that each table row reads as what it is.
constexpr SkinRow Face(unsigned id, int left, int top, int w, int h, const char* what) {
    return {id, w, h, 1, SkinArt::FaceSlice, left, top, nullptr, what};
}
constexpr SkinRow Button(unsigned id, int w, int h, int picture, int under, const char* what) {
    return {id, w, h, 8, SkinArt::IconButton, picture, under, nullptr, what};
}
constexpr SkinRow Segment(unsigned id, int w, int picture, int position, const char* what) {
    return {id, w, 32, 8, SkinArt::BarSegment, picture, position, nullptr, what};
}
constexpr SkinRow Tab(unsigned id, int picture, const char* word, const char* what) {
    return {id, 71, 65, 8, SkinArt::TabButton, picture, 0, word, what};
}
constexpr SkinRow Text(unsigned id, int w, int h, int style, const char* what) {
    return {id, w, h, 4, SkinArt::TextButton, style, 0, nullptr, what};
}
constexpr SkinRow Menu(unsigned id, int picture, const char* what) {
    return {id, 170, 35, 4, SkinArt::TextButton, button::Menu, picture, nullptr, what};
}
constexpr SkinRow Cell(unsigned id, int w, int h, int kind, const char* what) {
    return {id, w, h, 4, SkinArt::CaptionCell, kind, 0, nullptr, what};
}
constexpr SkinRow Back(unsigned id, int w, int h, int layout, const char* what) {
    return {id, w, h, 1, SkinArt::Backdrop, layout, 0, nullptr, what};
}
constexpr SkinRow Page(unsigned id, int layout, const char* what) {
    return Back(id, 403, 417, layout, what);
}
constexpr SkinRow Plate(unsigned id, int w, int h, int kind, const char* what) {
    return {id, w, h, 1, SkinArt::Plate, kind, 0, nullptr, what};
}
constexpr SkinRow Label(unsigned id, int picture, const char* what) {
    return {id, 106, 15, 1, SkinArt::Plate, plate::DialogLabel, picture, nullptr, what};
}
constexpr SkinRow Digits(unsigned id, int w, int h, int cells, int set, const char* what) {
    return {id, w, h, cells, SkinArt::Digits, set, 0, nullptr, what};
}
constexpr SkinRow Track(unsigned id, int w, int h, int kind, const char* what) {
    return {id, w, h, 1, SkinArt::Track, kind, 0, nullptr, what};
}
constexpr SkinRow Progress(unsigned id, int cap, int h, int kind, int under, const char* what) {
    return {id, cap, h, 3, SkinArt::Progress, kind, under, nullptr, what};
}
constexpr SkinRow Check(unsigned id, int kind, const char* what) {
    return {id, 15, 15, 1, SkinArt::CheckBox, kind, 0, nullptr, what};
}
constexpr SkinRow Frame(unsigned id, int piece, const char* what) {
    return {id, 5, 5, 1, SkinArt::PopupFrame, piece, 0, nullptr, what};
}
constexpr SkinRow Row(unsigned id, int w, int piece, const char* what) {
    return {id, w, 21, 1, SkinArt::PopupRow, piece, 0, nullptr, what};
}
constexpr SkinRow Grid(unsigned id, int w, int h, int kind, const char* what) {
    return {id, w, h, 1, SkinArt::AreaGrid, kind, 0, nullptr, what};
}
constexpr SkinRow Bar(unsigned id, int type, const char* what) {
    return {id, 12, 8, 1, SkinArt::TimelineBar, type, 0, nullptr, what};
}
constexpr SkinRow Legend(unsigned id, int type, const char* what) {
    return {id, 36, 8, 1, SkinArt::TimelineBar, type, 1, nullptr, what};
}
constexpr SkinRow Mask(unsigned id, int w, int icon, const char* what) {
    return {id, w, 16, 1, SkinArt::OsdIcon, icon, 0, nullptr, what};
}
constexpr SkinRow Icon(unsigned id, int w, int icon, const char* what) {
    return {id, w, 16, 1, SkinArt::OsdIcon, icon, 1, nullptr, what};
}
constexpr SkinRow Map(unsigned id, int w, int zone, const char* what) {
    return {id, w, 200, 1, SkinArt::WorldMap, zone, 0, nullptr, what};
}

using namespace glyph;
using surface::Chrome;
using surface::Disc;
using surface::Light;

constexpr auto kRows = std::to_array<SkinRow>({
    // Main window face, nine pieces of one 928 x 698 picture.
    Face(IDB_MAIN_WINDOW_FACE_TOP_LEFT, 0, 0, 86, 58, "main window face, top left"),
    Face(IDB_MAIN_WINDOW_FACE_TOP, 86, 0, 755, 58, "main window face, top"),
    Face(IDB_MAIN_WINDOW_FACE_TOP_RIGHT, 841, 0, 87, 58, "main window face, top right"),
    Face(IDB_MAIN_WINDOW_FACE_LEFT, 0, 58, 86, 568, "main window face, left"),
    Face(IDB_MAIN_WINDOW_FACE_CENTRE, 86, 58, 755, 568, "main window face, centre (also stretched over the centre)"),
    Face(IDB_MAIN_WINDOW_FACE_RIGHT, 841, 58, 87, 568, "main window face, right"),
    Face(IDB_MAIN_WINDOW_FACE_BOTTOM_LEFT, 0, 626, 86, 72, "main window face, bottom left"),
    Face(IDB_MAIN_WINDOW_FACE_BOTTOM, 86, 626, 755, 72, "main window face, bottom"),
    Face(IDB_MAIN_WINDOW_FACE_BOTTOM_RIGHT, 841, 626, 87, 72, "main window face, bottom right"),

    // Split layouts: main window buttons 320-328 and arrange bar buttons 400-408.
    Button(IDB_SPLIT_ONE_TILE, 34, 34, Layout1, Chrome, "split: one tile"),
    Button(IDB_SPLIT_FOUR_TILES, 34, 34, Layout4, Chrome, "split: four tiles"),
    Button(IDB_SPLIT_SIX_TILES, 34, 34, Layout6, Chrome, "split: six tiles"),
    Button(IDB_SPLIT_SEVEN_TILES, 34, 34, Layout7, Chrome, "split: seven tiles"),
    Button(IDB_SPLIT_EIGHT_TILES, 34, 34, Layout8, Chrome, "split: eight tiles"),
    Button(IDB_SPLIT_NINE_TILES, 34, 34, Layout9, Chrome, "split: nine tiles"),
    Button(IDB_SPLIT_TEN_TILES, 34, 34, Layout10, Chrome, "split: ten tiles"),
    Button(IDB_SPLIT_THIRTEEN_TILES, 34, 34, Layout13, Chrome, "split: thirteen tiles"),
    Button(IDB_SPLIT_SIXTEEN_TILES, 34, 34, Layout16, Chrome, "split: sixteen tiles"),
    Back(IDB_FULL_SCREEN_ARRANGE_BAR, 350, 44, backdrop::ArrangeBar, "full-screen arrange bar"),
    Button(IDB_ARRANGE_BAR_LEAVE_FULL_SCREEN, 34, 34, LeaveFullScreen, Chrome, "arrange bar: leave full screen"),
    Button(IDB_FULL_SCREEN, 34, 34, FullScreen, Chrome, "full screen"),
    Button(IDB_LIVE_VIEW, 34, 34, Live, Chrome, "live view"),
    Button(IDB_ON_SCREEN_TEXT_ON_OFF, 34, 34, Osd, Chrome, "on-screen text on and off"),
    Button(IDB_PUT_TILES_BACK_CHANNEL_ORDER, 34, 34, Arrange, Chrome, "put the tiles back in channel order"),
    Button(IDB_SAVE_STILL_IMAGES, 34, 34, Snapshot, Chrome, "save still images"),
    Button(IDB_OPEN_SAVED_IMAGE, 34, 34, OpenImage, Chrome, "open a saved image"),
    Button(IDB_LISTEN_RECORDER_AUDIO, 34, 34, AudioOut, Chrome, "listen to the recorder's audio"),

    // Play bar 340-346, one segmented control.
    Segment(IDB_PLAY_BAR_STEP_BACKWARD, 76, StepBack, 0, "play bar: step backward one picture"),
    Segment(IDB_PLAY_BAR_PLAY_BACKWARD, 50, Reverse, 1, "play bar: play backward"),
    Segment(IDB_PLAY_BAR_PLAY_FORWARD, 50, Play, 1, "play bar: play forward"),
    Segment(IDB_PLAY_BAR_PAUSE, 50, Pause, 1, "play bar: pause"),
    Segment(IDB_PLAY_BAR_RECORDING_ON_RECORDER, 50, Record, 1, "play bar: recording on the recorder"),
    Segment(IDB_PLAY_BAR_STOP, 50, Stop, 1, "play bar: stop"),
    Segment(IDB_PLAY_BAR_STEP_FORWARD, 73, Step, 2, "play bar: step forward one picture"),

    // PTZ pad and main window buttons.
    Button(IDB_PTZ_PAD_PAN_TILT_MODE, 41, 41, PanTilt, Chrome, "PTZ pad: pan and tilt mode"),
    Button(IDB_PTZ_PAD_ZOOM_FOCUS_MODE, 41, 41, Zoom, Chrome, "PTZ pad: zoom and focus mode"),
    Button(IDB_PTZ_PAD_CLOSE, 22, 22, Close, Chrome, "PTZ pad: close"),
    Button(IDB_PTZ_PAD_UP, 29, 29, ArrowUp, Disc, "PTZ pad: up"),
    Button(IDB_PTZ_PAD_RIGHT, 29, 29, ArrowRight, Disc, "PTZ pad: right"),
    Button(IDB_PTZ_PAD_DOWN, 29, 29, ArrowDown, Disc, "PTZ pad: down"),
    Button(IDB_PTZ_PAD_LEFT, 29, 29, ArrowLeft, Disc, "PTZ pad: left"),
    Button(IDB_PAN_TILT_PAD, 37, 32, PanTilt, Chrome, "pan and tilt pad"),
    Button(IDB_ZOOM_FOCUS_PAD, 37, 32, Zoom, Chrome, "zoom and focus pad"),
    Button(IDB_FIRMWARE_UPGRADE_BUTTON, 37, 32, Firmware, Chrome, "firmware upgrade"),
    Button(IDB_QUIT_PROGRAM, 37, 32, Quit, Chrome, "quit the program"),
    Button(IDB_SOUND_ON_MUTED_SECOND_LOOKS, 28, 29, Sound, Chrome, "sound on, and muted in the second looks"),
    Button(IDB_CHOOSE_AUDIO_CHANNEL, 28, 29, AudioChannel, Chrome, "choose the audio channel"),
    Button(IDB_TALK_RECORDER, 28, 29, Mike, Chrome, "talk to the recorder"),
    Button(IDB_MINIMISE_MAIN_WINDOW, 18, 17, Minimize, Chrome, "minimise the main window"),
    Track(IDB_VOLUME_SLIDER_PART_BELOW_POSITION, 69, 16, track::VolumeActive, "volume slider, part below the position"),
    Track(IDB_VOLUME_SLIDER_PART_ABOVE_POSITION, 69, 16, track::VolumeNormal, "volume slider, part above the position"),
    Plate(IDB_PLAYBACK_STRIP_UNDER_PLAY_BAR, 427, 14, plate::PlayStrip, "playback strip under the play bar"),

    // Clock digits.
    Digits(IDB_CLOCK_DATE_DIGITS_0_9_SEPARATOR, 7, 11, 11, digits::Small, "clock date digits 0-9 and separator"),
    Digits(IDB_CLOCK_TIME_DIGITS_0_9_AM_PM, 13, 18, 14, digits::Large, "clock time digits 0-9, AM, PM, colon, blank"),
    Digits(IDB_PLAYBACK_DATE_DIGITS_0_9_SEPARATOR, 7, 9, 11, digits::PlayDate,
           "playback date digits 0-9 and separator"),
    Digits(IDB_PLAYBACK_TIME_DIGITS_0_9_COLON_BLANK, 7, 9, 12, digits::PlayTime,
           "playback time digits 0-9, colon, blank"),
    Digits(IDB_PLAYBACK_AM_PM_MARKS, 18, 9, 2, digits::PlayMark, "playback AM and PM marks"),

    // Video overlay icons: a mask (black shape on white) and a picture (on black) each.
    Mask(IDB_PLAYBACK_INDICATOR_PAUSE_MASK, 16, osd::Pause, "playback indicator: pause, mask"),
    Icon(IDB_PLAYBACK_INDICATOR_PAUSE, 16, osd::Pause, "playback indicator: pause"),
    Mask(IDB_PLAYBACK_INDICATOR_FORWARD_MASK, 16, osd::Forward, "playback indicator: forward, mask"),
    Icon(IDB_PLAYBACK_INDICATOR_FORWARD, 16, osd::Forward, "playback indicator: forward"),
    Mask(IDB_PLAYBACK_INDICATOR_ARROWS_MASK, 40, osd::ForwardSteps,
         "playback indicator: arrows 7 pixels apart from x 5, mask"),
    Icon(IDB_PLAYBACK_INDICATOR_ARROWS, 40, osd::ForwardSteps, "playback indicator: arrows 7 pixels apart from x 5"),
    Mask(IDB_PLAYBACK_INDICATOR_BACKWARD_MASK, 16, osd::Backward, "playback indicator: backward, mask"),
    Icon(IDB_PLAYBACK_INDICATOR_BACKWARD, 16, osd::Backward, "playback indicator: backward"),
    Mask(IDB_AUDIO_ICON_CHANNEL_HEARD_MASK, 16, osd::Audio, "audio icon: channel heard, mask"),
    Icon(IDB_AUDIO_ICON_CHANNEL_HEARD, 16, osd::Audio, "audio icon: channel heard"),
    Mask(IDB_AUDIO_ICON_CHANNEL_SILENT_MASK, 16, osd::AudioSilent, "audio icon: channel silent, mask"),
    Icon(IDB_AUDIO_ICON_CHANNEL_SILENT, 16, osd::AudioSilent, "audio icon: channel silent"),

    Button(IDB_SEARCH_RECORDER, 37, 32, RemoteSearch, Chrome, "search the recorder"),
    Button(IDB_RECORDER_SETUP, 37, 32, RemoteSetup, Chrome, "recorder setup"),
    Button(IDB_SEARCH_BACKUPS_ON_COMPUTER, 37, 32, LocalSearch, Chrome, "search backups on this computer"),
    Button(IDB_SETTINGS_PROGRAM, 37, 32, LocalSetup, Chrome, "settings of this program"),
    Button(IDB_CONNECT_DISCONNECT, 37, 32, Connect, Chrome, "connect and disconnect"),
    Button(IDB_BACKUP_PROGRESS_STOP, 28, 28, Stop, Chrome, "backup progress: stop"),
    Back(IDB_BACKUP_PROGRESS_POPUP, 354, 40, backdrop::ProgressPopup, "backup progress popup"),
    Progress(IDB_BACKUP_PROGRESS_BAR_GROOVE, 8, 18, 0, Chrome, "backup progress bar: groove"),
    Progress(IDB_BACKUP_PROGRESS_BAR_FILL, 8, 18, 1, Chrome, "backup progress bar: fill"),
    Back(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION, 308, 136, backdrop::MessageBox,
         "notice box and daylight-saving question"),
    Plate(IDB_NOTICE_BOX_PLATE_LINE_1, 64, 20, plate::NoticeLine, "notice box: plate of line 1"),
    Plate(IDB_NOTICE_BOX_PLATE_LINE_2, 64, 20, plate::NoticeLine, "notice box: plate of line 2 (and of a single line)"),
    Plate(IDB_NOTICE_BOX_PLATE_LINE_3, 64, 20, plate::NoticeLine, "notice box: plate of line 3"),
    Progress(IDB_FIRMWARE_ROW_PROGRESS_GROOVE, 6, 14, 0, Light, "firmware row progress: groove"),
    Progress(IDB_FIRMWARE_ROW_PROGRESS_FILL, 6, 14, 1, Light, "firmware row progress: fill"),
    Back(IDB_FIRMWARE_UPGRADE, 398, 222, backdrop::Firmware, "firmware upgrade"),

    // Frames, panels and popups.
    Back(IDB_SEARCH_SETUP_FRAME, 618, 546, backdrop::Frame, "frame of setup, local setup, remote and local search"),
    Button(IDB_FRAME_CLOSE, 26, 26, Close, Chrome, "frame: close"),
    Back(IDB_FRAME_MENU_TAB_PANEL, 174, 430, backdrop::MenuPanel, "frame: menu and tab panel"),
    Row(IDB_POPUP_ROW_LEFT_CAP, 5, 0, "popup row: left cap"),
    Row(IDB_POPUP_ROW_MIDDLE, 8, 1, "popup row: middle (stretched)"),
    Row(IDB_POPUP_ROW_RIGHT_CAP, 6, 2, "popup row: right cap"),
    Page(IDB_PAGE_CAMERA_NAMES, backdrop::PageNames, "page: camera names"),
    Page(IDB_PAGE_OSD_BASIC, backdrop::PageCaptions,
         "page: on-screen display (basic) and record general (newer recorders)"),
    Page(IDB_PAGE_OSD_EXTENDED, backdrop::PageCaptions, "page: on-screen display (extended)"),
    Track(IDB_SENSITIVITY_SLIDER_PART_BELOW_POSITION, 190, 9, track::Sensitivity,
          "sensitivity slider: part below the position"),
    Page(IDB_PAGE_MOTION_AREA, backdrop::PageMotion, "page: motion area"),
    Grid(IDB_MOTION_AREA_CELLS_NOT_PICKED, 360, 288, grid::MotionBackdrop, "motion area: cells not picked"),
    Grid(IDB_MOTION_AREA_PICKED_CELLS, 360, 288, grid::MotionPicked, "motion area: picked cells"),
    Page(IDB_PAGE_RECORD_GENERAL, backdrop::PageCaptions, "page: record general (older recorders)"),
    Page(IDB_PAGE_RECORD_REGION, backdrop::PageRegion, "page: record region"),
    Grid(IDB_RECORD_REGION_CELLS_NOT_PICKED, 356, 244, grid::RegionBackdrop, "record region: cells not picked"),
    Grid(IDB_RECORD_REGION_PICKED_CELLS, 356, 244, grid::RegionPicked, "record region: picked cells"),
    Page(IDB_PAGE_RECORD_MODE_SLOTS, backdrop::PageCaptions, "page: record mode slots"),
    Page(IDB_PAGE_WEEKLY_SCHEDULE, backdrop::PageSchedule, "page: weekly schedule"),
    Page(IDB_PAGE_PRESETS, backdrop::PagePreset, "page: presets"),
    Page(IDB_PAGE_SYSTEM_GENERAL, backdrop::PageCaptions, "page: system general"),
    Page(IDB_PAGE_USER_ACCOUNTS, backdrop::PageCaptions, "page: user accounts"),
    Page(IDB_PAGE_TIME_DAYLIGHT_SAVING, backdrop::PageCaptions, "page: time and daylight saving"),
    Page(IDB_PAGE_E_MAIL, backdrop::PageCaptions, "page: e-mail"),
    Page(IDB_PAGE_EVENT_YES_NO_ROWS, backdrop::PageCaptions, "page: event yes and no rows"),
    Plate(IDB_EVENT_PAGES_BAND_BEHIND_DURATION_ROW, 400, 19, plate::EventBand,
          "event pages: band behind the duration row"),
    Check(IDB_CHECK_BOX_CHECKED, 1, "check box: checked"),
    Check(IDB_CHECK_BOX_NOT_CHECKED, 0, "check box: not checked"),
    Check(IDB_CHECK_BOX_SHAPE, 2, "check box: shape"),
    Track(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, 190, 9, track::Channel, "setup slider: part above the position"),
    Track(IDB_SETUP_SLIDER_PART_BELOW_POSITION, 190, 9, track::Active, "setup slider: part below the position"),
    Track(IDB_LOCAL_SETUP_SLIDER_PART_ABOVE_POSITION, 150, 9, track::Channel,
          "local setup slider: part above the position"),
    Track(IDB_LOCAL_SETUP_SLIDER_PART_BELOW_POSITION, 150, 9, track::Active,
          "local setup slider: part below the position"),
    Plate(IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, 64, 14, plate::Field, "value field behind labels and selectors"),
    Plate(IDB_SPOT_PAGE_VALUE_FIELD_GROUP_FOUR, 72, 14, plate::FieldGroup4,
          "spot page: value field of a group of four"),
    Plate(IDB_SPOT_PAGE_VALUE_FIELD_GROUP_EIGHT, 72, 14, plate::FieldGroup8,
          "spot page: value field of a group of eight"),
    Legend(IDB_TIMELINE_LEGEND_RECORD_TYPE_0, 0, "timeline legend: record type 0"),
    Legend(IDB_TIMELINE_LEGEND_ALARM, 1, "timeline legend: alarm"),
    Legend(IDB_TIMELINE_LEGEND_MOTION, 2, "timeline legend: motion"),
    Legend(IDB_TIMELINE_LEGEND_RECORD_TYPE_3, 3, "timeline legend: record type 3"),
    Legend(IDB_TIMELINE_LEGEND_AUDIO, 4, "timeline legend: audio"),
    Legend(IDB_TIMELINE_LEGEND_RECORD_TYPE_5, 5, "timeline legend: record type 5"),
    Frame(IDB_POPUP_FRAME_TOP_LEFT_CORNER, 0, "popup frame: top left corner"),
    Frame(IDB_POPUP_FRAME_TOP_EDGE, 1, "popup frame: top edge"),
    Frame(IDB_POPUP_FRAME_TOP_RIGHT_CORNER, 2, "popup frame: top right corner"),
    Frame(IDB_POPUP_FRAME_LEFT_EDGE, 3, "popup frame: left edge"),
    Frame(IDB_POPUP_FRAME_CENTRE, 4, "popup frame: centre"),
    Frame(IDB_POPUP_FRAME_RIGHT_EDGE, 5, "popup frame: right edge"),
    Frame(IDB_POPUP_FRAME_BOTTOM_LEFT_CORNER, 6, "popup frame: bottom left corner"),
    Frame(IDB_POPUP_FRAME_BOTTOM_EDGE, 7, "popup frame: bottom edge"),
    Frame(IDB_POPUP_FRAME_BOTTOM_RIGHT_CORNER, 8, "popup frame: bottom right corner"),
    Page(IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS, backdrop::PageColumns,
         "page: column buttons over channel rows (camera adjust, record pages)"),
    Page(IDB_PAGE_CHANNEL_ROWS, backdrop::PageRows, "page: channel rows (covert, per-channel choices, channel select)"),
    Page(IDB_PAGE_COLUMN_BUTTONS_OVER_OPEN_AREA, backdrop::PageOpen,
         "page: column buttons over an open area (keyboard, days column)"),
    Page(IDB_PAGE_BLANK_PAGE_DAYS, backdrop::PagePlain, "page: blank page and days"),
    Page(IDB_SPOT_PAGE_GROUPS_FOUR, backdrop::PageGroups4, "spot page: groups of four"),
    Page(IDB_SPOT_PAGE_GROUPS_EIGHT, backdrop::PageGroups8, "spot page: groups of eight"),
    Page(IDB_SPOT_PAGE_MODES, backdrop::PageModes, "spot page: modes"),
    Back(IDB_PTZ_PAD, 147, 171, backdrop::PtzPad, "PTZ pad"),
    Button(IDB_PTZ_PAD_CENTRE_PAN_TILT_MODE, 44, 44, CentrePan, Disc, "PTZ pad: centre in pan and tilt mode"),
    Button(IDB_PTZ_PAD_CENTRE_ZOOM_FOCUS_MODE, 44, 44, CentreZoom, Disc, "PTZ pad: centre in zoom and focus mode"),
    Mask(IDB_PTZ_ICON_CAMERA_CAN_BE_STEERED_MASK, 16, osd::PtzReady, "PTZ icon: camera can be steered, mask"),
    Icon(IDB_PTZ_ICON_CAMERA_CAN_BE_STEERED, 16, osd::PtzReady, "PTZ icon: camera can be steered"),
    Mask(IDB_PTZ_ICON_CAMERA_CANNOT_BE_STEERED_MASK, 16, osd::PtzUnavailable,
         "PTZ icon: camera cannot be steered, mask"),
    Icon(IDB_PTZ_ICON_CAMERA_CANNOT_BE_STEERED, 16, osd::PtzUnavailable, "PTZ icon: camera cannot be steered"),
    {IDB_DOME_MENU_PAD, 54, 171, 1, SkinArt::Backdrop, backdrop::MenuPad, 0, "MENU", "dome menu pad"},
    Button(IDB_DOME_MENU_SELECT, 39, 39, MenuSelect, Chrome, "dome menu: select"),
    Button(IDB_DOME_MENU_BACK, 39, 39, MenuBack, Chrome, "dome menu: back"),
    Button(IDB_DOME_MENU_CLOSE, 39, 39, Close, Chrome, "dome menu: close"),
    Page(IDB_LOCAL_SETUP_PAGE_GLOBAL, backdrop::PageCaptions, "local setup page: global"),
    Page(IDB_LOCAL_SETUP_PAGE_OPACITY, backdrop::PageCaptions, "local setup page: opacity"),
    Page(IDB_LOCAL_SETUP_PAGE_AUDIO_BUFFER, backdrop::PageCaptions, "local setup page: audio buffer"),
    Page(IDB_LOCAL_SETUP_PAGE_AUTO_SAVE, backdrop::PageCaptions, "local setup page: auto save"),
    Page(IDB_PAGE_DATE_TIME_SEARCH_OLDER, backdrop::PageCaptions, "page: date and time search (older recorders)"),
    Page(IDB_PAGE_DATE_TIME_SEARCH, backdrop::PageCaptions, "page: date and time search"),
    Page(IDB_PAGE_LISTS, backdrop::PagePlain, "page: lists (events, logs, information, options)"),
    Page(IDB_PAGE_PLAY_CALENDAR, backdrop::PageCalendar, "page: play calendar"),
    Cell(IDB_CALENDAR_DAY, 52, 25, 1, "calendar day"),
    Page(IDB_PAGE_DAY_TIMELINE, backdrop::PageTimeline, "page: day timeline"),
    Grid(IDB_DAY_TIMELINE_CHART_GRID, 289, 305, grid::TimelineGrid, "day timeline: chart grid"),
    Page(IDB_PAGE_BACKUP_DATE_TIME, backdrop::PageCaptions, "page: backup date and time"),
    Page(IDB_PAGE_BACKUP_EVENT_LIST, backdrop::PagePlain, "page: backup event list"),
    Page(IDB_PAGE_BACKUP_CALENDAR, backdrop::PageBackupCalendar, "page: backup calendar"),
    Page(IDB_PAGE_BACKUP_TIMELINE, backdrop::PageTimeline, "page: backup timeline"),
    Bar(IDB_TIMELINE_BAR_RECORD_TYPE_0, 0, "timeline bar: record type 0"),
    Bar(IDB_TIMELINE_BAR_ALARM, 1, "timeline bar: alarm"),
    Bar(IDB_TIMELINE_BAR_MOTION, 2, "timeline bar: motion"),
    Bar(IDB_TIMELINE_BAR_RECORD_TYPE_3, 3, "timeline bar: record type 3"),
    Bar(IDB_TIMELINE_BAR_AUDIO, 4, "timeline bar: audio"),
    Bar(IDB_TIMELINE_BAR_RECORD_TYPE_5, 5, "timeline bar: record type 5"),
    Grid(IDB_SCHEDULE_HOURS_VALUE_1, 350, 360, grid::ScheduleValue1, "schedule: hours with value 1"),
    Grid(IDB_SCHEDULE_HOURS_VALUE_0_BACKDROP, 350, 360, grid::ScheduleValue0,
         "schedule: hours with value 0, and the backdrop"),
    Grid(IDB_SCHEDULE3_VALUE_0_BACKDROP, 350, 360, grid::ScheduleValue0,
         "schedule of three-value recorders: value 0, and the backdrop"),
    Grid(IDB_SCHEDULE3_VALUE_1, 350, 360, grid::ScheduleValue1, "schedule of three-value recorders: value 1"),
    Grid(IDB_SCHEDULE3_VALUE_2, 350, 360, grid::ScheduleValue2, "schedule of three-value recorders: value 2"),
    Grid(IDB_SCHEDULE3_VALUE_3, 350, 360, grid::ScheduleValue3, "schedule of three-value recorders: value 3"),

    // World map of the time-server page and its zone highlights (each as wide as its rectangle).
    Map(IDB_WORLD_MAP, 380, 0, "world map"),
    Map(IDB_ZONE_HIGHLIGHT_UTC, 20, 1, "zone highlight: UTC"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_1, 39, 2, "zone highlight: UTC+1"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_2, 34, 3, "zone highlight: UTC+2"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_3, 36, 4, "zone highlight: UTC+3"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_4, 33, 5, "zone highlight: UTC+4"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_5, 32, 6, "zone highlight: UTC+5"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_6, 33, 7, "zone highlight: UTC+6"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_7, 43, 8, "zone highlight: UTC+7"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_8, 62, 9, "zone highlight: UTC+8"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_9, 40, 10, "zone highlight: UTC+9"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_10, 32, 11, "zone highlight: UTC+10"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_11, 17, 12, "zone highlight: UTC+11"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_12, 32, 13, "zone highlight: UTC+12"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_11, 10, 14, "zone highlight: UTC-11"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_10, 19, 15, "zone highlight: UTC-10"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_9, 16, 16, "zone highlight: UTC-9"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_8, 24, 17, "zone highlight: UTC-8"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_7, 20, 18, "zone highlight: UTC-7"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_6, 23, 19, "zone highlight: UTC-6"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_5, 29, 20, "zone highlight: UTC-5"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_4, 23, 21, "zone highlight: UTC-4"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_3, 39, 22, "zone highlight: UTC-3"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_MINUS_2, 9, 23, "zone highlight: UTC-2"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_9_30, 32, 24, "zone highlight: UTC+9:30 (drawn in the UTC+10 rectangle)"),
    Map(IDB_ZONE_HIGHLIGHT_UTC_PLUS_10_NEW_LIST, 32, 25, "zone highlight: UTC+10 of the newer zone list"),
    Page(IDB_TIME_SERVER_PAGE_SYNCHRONISATION_OFF, backdrop::PageTimeServer, "time-server page, synchronisation off"),
    Page(IDB_TIME_SERVER_PAGE_SYNCHRONISATION_ON, backdrop::PageTimeServer, "time-server page, synchronisation on"),
    Page(IDB_TIME_SERVER_PAGE_CITY_TAB, backdrop::PageCity, "time-server page, city tab"),

    // PTZ keypad.
    Back(IDB_PTZ_KEYPAD, 320, 200, backdrop::Keypad, "PTZ keypad"),
    Button(IDB_PTZ_KEYPAD_CLOSE, 22, 22, Close, Light, "PTZ keypad: close"),
    Button(IDB_PTZ_KEYPAD_1, 30, 26, Key1, Light, "PTZ keypad: 1"),
    Button(IDB_PTZ_KEYPAD_2, 30, 26, Key2, Light, "PTZ keypad: 2"),
    Button(IDB_PTZ_KEYPAD_3, 30, 26, Key3, Light, "PTZ keypad: 3"),
    Button(IDB_PTZ_KEYPAD_4, 30, 26, Key4, Light, "PTZ keypad: 4"),
    Button(IDB_PTZ_KEYPAD_5, 30, 26, Key5, Light, "PTZ keypad: 5"),
    Button(IDB_PTZ_KEYPAD_6, 30, 26, Key6, Light, "PTZ keypad: 6"),
    Button(IDB_PTZ_KEYPAD_7, 30, 26, Key7, Light, "PTZ keypad: 7"),
    Button(IDB_PTZ_KEYPAD_8, 30, 26, Key8, Light, "PTZ keypad: 8"),
    Button(IDB_PTZ_KEYPAD_9, 30, 26, Key9, Light, "PTZ keypad: 9"),
    Button(IDB_PTZ_KEYPAD_0, 30, 26, Key0, Light, "PTZ keypad: 0"),
    Button(IDB_PTZ_KEYPAD_TOUR, 30, 26, Tour, Light, "PTZ keypad: tour"),

    // Connect, password and history dialogs, firmware.
    Back(IDB_CONNECT_DIALOG, 356, 182, backdrop::Connect, "connect dialog"),
    Label(IDB_CONNECT_DIALOG_ADDRESS_LABEL, Address, "connect dialog: address label"),
    Label(IDB_CONNECT_DIALOG_PORT_LABEL, Port, "connect dialog: port label"),
    Label(IDB_CONNECT_DIALOG_USER_ID_LABEL, Person, "connect dialog: user id label"),
    Label(IDB_CONNECT_DIALOG_PASSWORD_LABEL, Key, "connect dialog and password prompt: password label"),
    Label(IDB_CONNECT_DIALOG_DESCRIPTION_LABEL, Note, "connect dialog: description label"),
    Text(IDB_DIALOG_BUTTON, 100, 27, button::Dialog, "dialog button (OK, Cancel, ...)"),
    Text(IDB_CONNECT_DIALOG_MODIFY_DEFAULT, 100, 27, button::Secondary, "connect dialog: Modify and Default"),
    Plate(IDB_FIRMWARE_UPGRADE_STATUS_STRIP, 342, 22, plate::StatusArea, "firmware upgrade: status strip"),
    Text(IDB_FIRMWARE_UPGRADE_START_STOP_CLOSE, 86, 27, button::Dialog, "firmware upgrade: Start, Stop, Close"),
    Back(IDB_PASSWORD_PROMPT, 356, 86, backdrop::Password, "password prompt"),
    Button(IDB_CONNECT_DIALOG_CONNECTION_HISTORY, 17, 23, Chevron, Light, "connect dialog: connection history"),
    Back(IDB_CONNECTION_HISTORY, 433, 457, backdrop::ConnectList, "connection history"),

    // Setup frame tabs and menus.
    Tab(IDB_SETUP_FRAME_TAB_DISPLAY, Display, "Display", "setup frame tab: display"),
    Tab(IDB_SETUP_FRAME_TAB_RECORDING, RecordMode, "Record", "setup frame tab: recording"),
    Tab(IDB_SETUP_FRAME_TAB_SYSTEM, System, "System", "setup frame tab: system"),
    Tab(IDB_SETUP_FRAME_TAB_EVENTS, Event, "Event", "setup frame tab: events"),
    Menu(IDB_DISPLAY_MENU_CAMERA_ADJUST, Camera, "display menu: camera adjust"),
    Menu(IDB_DISPLAY_MENU_COVERT, Covert, "display menu: covert"),
    Menu(IDB_DISPLAY_MENU_CAMERA_NAMES, Name, "display menu: camera names"),
    Menu(IDB_DISPLAY_MENU_SPOT_OUT, Spot, "display menu: spot out"),
    Menu(IDB_DISPLAY_MENU_ON_SCREEN_DISPLAY, Osd, "display menu: on-screen display"),
    Menu(IDB_RECORD_MENU_GENERAL, RecordMode, "record menu: general"),
    Menu(IDB_RECORD_MENU_MODE_0, Record, "record menu: mode 0"),
    Menu(IDB_RECORD_MENU_ALARM, Alarm, "record menu: alarm"),
    Menu(IDB_RECORD_MENU_MOTION, Motion, "record menu: motion"),
    Menu(IDB_RECORD_MENU_MODE_3, Schedule, "record menu: mode 3"),
    Menu(IDB_RECORD_MENU_AUDIO, AudioOut, "record menu: audio"),
    Menu(IDB_RECORD_MENU_MODE_5, Holiday, "record menu: mode 5"),
    Menu(IDB_RECORD_MENU_MODE_SLOTS, Slots, "record menu: mode slots"),
    Menu(IDB_SYSTEM_MENU_EVERY_ENTRY, System, "system menu: every entry"),
    Menu(IDB_EVENT_MENU_E_MAIL, Mail, "event menu: e-mail"),
    Menu(IDB_EVENT_MENU_FIRST_YES_NO_PAGE, Buzzer, "event menu: first yes and no page"),
    Menu(IDB_EVENT_MENU_SECOND_YES_NO_PAGE, AlarmOut, "event menu: second yes and no page"),
    Menu(IDB_EVENT_MENU_THIRD_YES_NO_PAGE, Popup, "event menu: third yes and no page"),

    Text(IDB_CHANNEL_BUTTONS_OF_PAGES, 45, 22, button::Channel,
         "channel buttons of the region, motion and preset pages"),
    Text(IDB_ON_YES_BUTTONS, 100, 17, button::SwitchOn, "On and Yes buttons"),
    Text(IDB_OFF_NO_BUTTONS, 100, 17, button::SwitchChoice, "Off and No buttons, and choices shown as button pairs"),
    Text(IDB_NONE_OFF_ON_BUTTONS, 95, 17, button::SwitchChoice, "None, Off and On buttons"),
    Tab(IDB_LOCAL_SETUP_FRAME_SETTINGS_TAB, Setup, "Setup", "local setup frame: settings tab"),
    Menu(IDB_LOCAL_SETUP_FRAME_TABS, Options, "local setup frame: tabs"),
    Tab(IDB_SEARCH_FRAME_TAB_SEARCH, Search, "Search", "search frame tab: search"),
    Tab(IDB_SEARCH_FRAME_TAB_BACKUP, Backup, "Backup", "search frame tab: backup"),
    Tab(IDB_SEARCH_FRAME_TAB_LOGS, Log, "Log", "search frame tab: logs"),
    Tab(IDB_SEARCH_FRAME_TAB_INFORMATION, Info, "Info", "search frame tab: information"),
    Menu(IDB_SEARCH_MENU_DATE_TIME, Clock, "search menu: date and time"),
    Menu(IDB_SEARCH_MENU_EVENTS, Event, "search menu: events"),
    Menu(IDB_SEARCH_MENU_CALENDAR, Calendar, "search menu: calendar"),
    Menu(IDB_SEARCH_MENU_SELECT_CHANNELS, Channels, "search menu: select channels"),
    Menu(IDB_LOG_MENU_ALL, List, "log menu: all"),
    Menu(IDB_LOG_MENU_POWER, Power, "log menu: power"),
    Menu(IDB_LOG_MENU_RECORDING, Record, "log menu: recording"),
    Menu(IDB_LOG_MENU_OPERATION, Operation, "log menu: operation"),
    Menu(IDB_LOG_MENU_CLIENT, Client, "log menu: client"),
    Menu(IDB_LOG_MENU_EVENTS, Event, "log menu: events"),
    Menu(IDB_INFORMATION_MENU_SYSTEM, Info, "information menu: system"),
    Menu(IDB_INFORMATION_MENU_STATUS, Status, "information menu: status"),
    Plate(IDB_BACKUP_CALENDAR_TITLE_BAND, 398, 19, plate::TitleBand, "backup calendar: title band"),
    Cell(IDB_CALENDAR_MONTH, 49, 19, 0, "calendar month"),
    Text(IDB_PTZ_KEYPAD_TEXT_BUTTONS, 100, 26, button::Dialog, "PTZ keypad: text buttons"),
    Text(IDB_COLUMN_BUTTONS_LEFT_HALF, 200, 24, button::ColumnLeft, "column buttons: left half"),
    Text(IDB_COLUMN_BUTTONS_RIGHT_HALF, 200, 24, button::ColumnRight, "column buttons: right half"),
    Text(IDB_THREE_COLUMN_BUTTONS_LEFT, 133, 24, button::ColumnLeft, "three column buttons: left"),
    Text(IDB_THREE_COLUMN_BUTTONS_MIDDLE, 133, 24, button::ColumnMiddle, "three column buttons: middle"),
    Text(IDB_THREE_COLUMN_BUTTONS_RIGHT, 133, 24, button::ColumnRight, "three column buttons: right"),
    Text(IDB_FOUR_COLUMN_BUTTONS_LEFT, 100, 24, button::ColumnLeft, "four column buttons: left"),
    Text(IDB_FOUR_COLUMN_BUTTONS_MIDDLE, 100, 24, button::ColumnMiddle, "four column buttons: middle"),
    Text(IDB_FOUR_COLUMN_BUTTONS_RIGHT, 100, 24, button::ColumnRight, "four column buttons: right"),
    Text(IDB_PAGE_BUTTONS, 97, 22, button::Dialog, "page buttons (All Check, Return All, Prev, Next, ...)"),
    Text(IDB_WIDE_PAGE_BUTTONS, 160, 22, button::Dialog, "wide page buttons (Initialize, Deinterlace, Region, ...)"),
    Text(IDB_FRAME_OK_CANCEL, 97, 22, button::Dialog, "frame OK and Cancel"),
    Plate(IDB_OPTIONS_PAGE_BAND_BEHIND_ROW, 403, 23, plate::RowBand, "options page: band behind a row (stretched)"),
});

constexpr bool IdsAscending() {
    for (size_t i = 1; i < kRows.size(); ++i) {
        if (kRows[i - 1].id >= kRows[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(IdsAscending(), "skin rows must be in ascending id order, each id once");

} // namespace

std::span<const SkinRow> SkinRows() {
    return kRows;
}

const SkinRow* FindSkinRow(unsigned id) {
    const auto* it =
        std::lower_bound(kRows.begin(), kRows.end(), id, [](const SkinRow& row, unsigned key) { return row.id < key; });
    if (it == kRows.end() || it->id != id) {
        return nullptr;
    }
    return &*it;
}
