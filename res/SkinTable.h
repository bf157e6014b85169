#pragma once
// The skin's bitmap table: one row per bitmap id of the resource library, with the size of one cell,
// the number of cells side by side, and what the build-time generator draws for it. The generator
// paints every row; the tests check the library against the same rows. Adding a bitmap is one row.

#include <span>

// Which painter of the generator draws a row; `variant` and `tone` are read by that painter.
enum class SkinArt : int {
    FaceSlice,   // a slice of the 928 x 698 main window face; variant = left, tone = top of the slice
    IconButton,  // picture button, 8 looks; variant = glyph, tone = surface under the button
    BarSegment,  // play bar segment, 8 looks; variant = glyph, tone = 0 left end, 1 middle, 2 right end
    TabButton,   // 71 x 65 tab with a picture and a word, 8 looks; variant = glyph, label = word
    TextButton,  // captioned button, 4 looks (normal, selected, hover, disabled); variant = ButtonStyle
    CaptionCell, // calendar cell, 4 looks; variant = 0 month, 1 day
    Backdrop,    // dialog, panel and page backgrounds; variant = backdrop layout
    Plate,       // label fields, plates and bands; variant = plate kind, tone = picture
    Digits,      // clock digit strips; variant = digit set
    Track,       // slider channel pictures; variant = track kind
    Progress,    // progress strips of three cells (left cap, middle, right cap); variant = 0 groove, 1 fill,
                 // tone = surface
    CheckBox,    // variant = 0 unchecked, 1 checked, 2 shape mask
    PopupFrame,  // popup frame piece; variant = 0..8 in reading order
    PopupRow,    // popup row piece; variant = 0 left cap, 1 middle, 2 right cap
    AreaGrid,    // area editor pictures; variant = grid picture
    TimelineBar, // record type colour; variant = type 0..5, tone = 0 bar, 1 legend entry
    OsdIcon,     // 16-pixel video overlay icons; variant = icon, tone = 0 mask (black shape), 1 picture
    WorldMap,    // variant = 0 the map, z = 1..24 the highlight of zone z, 25 zone 11 of the new list
};

// Pictures drawn on buttons, tabs and plates.
namespace glyph {
enum : int {
    None,
    Layout1,
    Layout4,
    Layout6,
    Layout7,
    Layout8,
    Layout9,
    Layout10,
    Layout13,
    Layout16,
    FullScreen,
    LeaveFullScreen,
    Live,
    Osd,
    Arrange,
    Snapshot,
    OpenImage,
    AudioOut,
    Play,
    Reverse,
    StepBack,
    Pause,
    Record,
    Stop,
    Step,
    PanTilt,
    Zoom,
    Close,
    ArrowUp,
    ArrowRight,
    ArrowDown,
    ArrowLeft,
    CentrePan,
    CentreZoom,
    Firmware,
    Quit,
    Sound,
    AudioChannel,
    Mike,
    Minimize,
    RemoteSearch,
    RemoteSetup,
    LocalSearch,
    LocalSetup,
    Connect,
    MenuSelect,
    MenuBack,
    Key1,
    Key2,
    Key3,
    Key4,
    Key5,
    Key6,
    Key7,
    Key8,
    Key9,
    Key0,
    Tour,
    Chevron,
    Display,
    RecordMode,
    System,
    Event,
    Search,
    Backup,
    Log,
    Info,
    Setup,
    Camera,
    Covert,
    Name,
    Spot,
    Clock,
    Calendar,
    Channels,
    Alarm,
    Motion,
    Schedule,
    Holiday,
    Slots,
    Users,
    Days,
    Keyboard,
    Globe,
    Options,
    Mail,
    Buzzer,
    AlarmOut,
    Popup,
    Power,
    Operation,
    Client,
    List,
    Status,
    Opacity,
    Buffer,
    Folder,
    Address,
    Port,
    Person,
    Key,
    Note,
};
} // namespace glyph

// The surface a picture button sits on: its corners blend into it.
namespace surface {
enum : int { Chrome, Disc, Light };
} // namespace surface

// Captioned button looks.
namespace button {
enum : int {
    Dialog,     // navy button of dialogs and pages (white caption)
    Secondary,  // steel-blue button for the second choice of a pair (Modify / Default)
    Menu,       // 170 x 35 menu entry with a picture at its left; tone = glyph
    ColumnLeft, // segmented column header: left end, middle, right end
    ColumnMiddle,
    ColumnRight,
    SwitchOn,     // light switch button with a green lamp at its left (captions at x 38)
    SwitchChoice, // light switch button with a blue lamp at its left
    Channel,      // small channel button
};
} // namespace button

// Background layouts.
namespace backdrop {
enum : int {
    Frame,              // 618 x 546 frame of setup, local setup and searches
    MenuPanel,          // 174 x 430 menu and tab panel
    MessageBox,         // 308 x 136 notice box
    Firmware,           // 398 x 222 firmware upgrade
    Connect,            // 356 x 182 connect dialog
    Password,           // 356 x 86 password prompt
    ConnectList,        // 433 x 457 connection history
    PtzPad,             // 147 x 171 PTZ pad
    MenuPad,            // 54 x 171 dome menu pad; label = title
    Keypad,             // 320 x 200 PTZ keypad
    ArrangeBar,         // 350 x 44 full-screen arrange bar
    ProgressPopup,      // 354 x 40 backup progress popup
    PageRows,           // page: one row per channel from the top, bottom buttons
    PageColumns,        // page: column buttons on top, channel rows below, bottom buttons
    PageNames,          // page: channel rows without bottom buttons
    PageCaptions,       // page: caption rows with value fields, bottom buttons
    PageModes,          // page: column buttons and a few mode rows
    PageGroups4,        // page: column buttons and rows in groups of four
    PageGroups8,        // page: column buttons and rows in groups of eight
    PagePlain,          // page: an open area (lists), bottom buttons
    PageOpen,           // page: column buttons, an open area, bottom buttons
    PageMotion,         // page: channel buttons and the motion area
    PageRegion,         // page: channel buttons and the region area
    PagePreset,         // page: channel buttons and preset rows
    PageSchedule,       // page: day captions and hour labels around the schedule
    PageCalendar,       // page: year, months, weekdays and the day grid
    PageBackupCalendar, // page: the calendar under a title band
    PageTimeline,       // page: channel rows and hour scale around the day chart, legend
    PageTimeServer,     // page: tabs on top and the server rows
    PageCity,           // page: tabs on top and the frame of the world map
};
} // namespace backdrop

// Label fields, plates and bands.
namespace plate {
enum : int {
    Field,       // value field behind labels and selectors (stretched)
    FieldGroup4, // value field of a group of four channels
    FieldGroup8, // value field of a group of eight channels
    NoticeLine,  // navy plate behind a notice line (stretched to the text)
    DialogLabel, // navy label plate of the connect and password dialogs; tone = glyph
    StatusArea,  // firmware upgrade status strip
    TitleBand,   // title band of the backup calendar
    RowBand,     // band behind an option row (stretched)
    EventBand,   // band behind the duration row of event pages
    PlayStrip,   // playback strip of the main window
};
} // namespace plate

namespace digits {
enum : int { Large, Small, PlayDate, PlayTime, PlayMark };
} // namespace digits

namespace track {
enum : int { Channel, Active, Sensitivity, VolumeNormal, VolumeActive };
} // namespace track

namespace grid {
enum : int {
    MotionBackdrop,
    MotionPicked,
    RegionBackdrop,
    RegionPicked,
    ScheduleValue0,
    ScheduleValue1,
    ScheduleValue2,
    ScheduleValue3,
    TimelineGrid,
};
} // namespace grid

namespace osd {
enum : int { Pause, Forward, ForwardSteps, Backward, Audio, AudioSilent, PtzReady, PtzUnavailable };
} // namespace osd

struct SkinRow {
    unsigned id;
    int cellWidth;
    int height;
    int cells;
    SkinArt art;
    int variant;
    int tone;
    const char* label; // a word drawn into the picture, or null
    const char* what;  // what the bitmap is for
};

// Every row, in ascending id order.
std::span<const SkinRow> SkinRows();
// The row of an id, or null.
const SkinRow* FindSkinRow(unsigned id);
