#include "res/SkinTable.h"

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
    Face(1500, 0, 0, 86, 58, "main window face, top left"),
    Face(1501, 86, 0, 755, 58, "main window face, top"),
    Face(1502, 841, 0, 87, 58, "main window face, top right"),
    Face(1503, 0, 58, 86, 568, "main window face, left"),
    Face(1504, 86, 58, 755, 568, "main window face, centre (also stretched over the centre)"),
    Face(1505, 841, 58, 87, 568, "main window face, right"),
    Face(1506, 0, 626, 86, 72, "main window face, bottom left"),
    Face(1507, 86, 626, 755, 72, "main window face, bottom"),
    Face(1508, 841, 626, 87, 72, "main window face, bottom right"),

    // Split layouts: main window buttons 320-328 and arrange bar buttons 400-408.
    Button(1510, 34, 34, Layout1, Chrome, "split: one tile"),
    Button(1511, 34, 34, Layout4, Chrome, "split: four tiles"),
    Button(1512, 34, 34, Layout6, Chrome, "split: six tiles"),
    Button(1513, 34, 34, Layout7, Chrome, "split: seven tiles"),
    Button(1514, 34, 34, Layout8, Chrome, "split: eight tiles"),
    Button(1515, 34, 34, Layout9, Chrome, "split: nine tiles"),
    Button(1516, 34, 34, Layout10, Chrome, "split: ten tiles"),
    Button(1517, 34, 34, Layout13, Chrome, "split: thirteen tiles"),
    Button(1518, 34, 34, Layout16, Chrome, "split: sixteen tiles"),
    Back(1536, 350, 44, backdrop::ArrangeBar, "full-screen arrange bar"),
    Button(1537, 34, 34, LeaveFullScreen, Chrome, "arrange bar: leave full screen"),
    Button(1538, 34, 34, FullScreen, Chrome, "full screen"),
    Button(1541, 34, 34, Live, Chrome, "live view"),
    Button(1542, 34, 34, Osd, Chrome, "on-screen text on and off"),
    Button(1543, 34, 34, Arrange, Chrome, "put the tiles back in channel order"),
    Button(1544, 34, 34, Snapshot, Chrome, "save still images"),
    Button(1545, 34, 34, OpenImage, Chrome, "open a saved image"),
    Button(1546, 34, 34, AudioOut, Chrome, "listen to the recorder's audio"),

    // Play bar 340-346, one segmented control.
    Segment(1550, 76, Play, 0, "play bar: play"),
    Segment(1551, 50, Reverse, 1, "play bar: play backward"),
    Segment(1552, 50, Forward, 1, "play bar: fast forward"),
    Segment(1553, 50, Pause, 1, "play bar: pause"),
    Segment(1554, 50, Record, 1, "play bar: recording on the recorder"),
    Segment(1555, 50, Stop, 1, "play bar: stop"),
    Segment(1556, 73, Step, 2, "play bar: step one picture"),

    // PTZ pad and main window buttons.
    Button(1557, 41, 41, PanTilt, Chrome, "PTZ pad: pan and tilt mode"),
    Button(1558, 41, 41, Zoom, Chrome, "PTZ pad: zoom and focus mode"),
    Button(1559, 22, 22, Close, Chrome, "PTZ pad: close"),
    Button(1560, 29, 29, ArrowUp, Disc, "PTZ pad: up"),
    Button(1561, 29, 29, ArrowRight, Disc, "PTZ pad: right"),
    Button(1562, 29, 29, ArrowDown, Disc, "PTZ pad: down"),
    Button(1563, 29, 29, ArrowLeft, Disc, "PTZ pad: left"),
    Button(1564, 37, 32, PanTilt, Chrome, "pan and tilt pad"),
    Button(1565, 37, 32, Zoom, Chrome, "zoom and focus pad"),
    Button(1566, 37, 32, Firmware, Chrome, "firmware upgrade"),
    Button(1569, 37, 32, Quit, Chrome, "quit the program"),
    Button(1570, 28, 29, Sound, Chrome, "sound on, and muted in the second looks"),
    Button(1571, 28, 29, AudioChannel, Chrome, "choose the audio channel"),
    Button(1572, 28, 29, Mike, Chrome, "talk to the recorder"),
    Button(1573, 18, 17, Minimize, Chrome, "minimise the main window"),
    Track(1574, 69, 16, track::VolumeActive, "volume slider, part below the position"),
    Track(1575, 69, 16, track::VolumeNormal, "volume slider, part above the position"),
    Plate(1584, 427, 14, plate::PlayStrip, "playback strip under the play bar"),

    // Clock digits.
    Digits(1590, 7, 11, 11, digits::Small, "clock date digits 0-9 and separator"),
    Digits(1591, 13, 18, 14, digits::Large, "clock time digits 0-9, AM, PM, colon, blank"),
    Digits(1592, 7, 9, 11, digits::PlayDate, "playback date digits 0-9 and separator"),
    Digits(1593, 7, 9, 12, digits::PlayTime, "playback time digits 0-9, colon, blank"),
    Digits(1594, 18, 9, 2, digits::PlayMark, "playback AM and PM marks"),

    // Video overlay icons: a mask (black shape on white) and a picture (on black) each.
    Mask(1600, 16, osd::Pause, "playback indicator: pause, mask"),
    Icon(1601, 16, osd::Pause, "playback indicator: pause"),
    Mask(1602, 16, osd::Forward, "playback indicator: forward, mask"),
    Icon(1603, 16, osd::Forward, "playback indicator: forward"),
    Mask(1604, 40, osd::ForwardSteps, "playback indicator: arrows 7 pixels apart from x 5, mask"),
    Icon(1605, 40, osd::ForwardSteps, "playback indicator: arrows 7 pixels apart from x 5"),
    Mask(1606, 16, osd::Backward, "playback indicator: backward, mask"),
    Icon(1607, 16, osd::Backward, "playback indicator: backward"),
    Mask(1610, 16, osd::Audio, "audio icon: channel heard, mask"),
    Icon(1611, 16, osd::Audio, "audio icon: channel heard"),
    Mask(1612, 16, osd::AudioSilent, "audio icon: channel silent, mask"),
    Icon(1613, 16, osd::AudioSilent, "audio icon: channel silent"),

    Button(1620, 37, 32, RemoteSearch, Chrome, "search the recorder"),
    Button(1621, 37, 32, RemoteSetup, Chrome, "recorder setup"),
    Button(1622, 37, 32, LocalSearch, Chrome, "search backups on this computer"),
    Button(1623, 37, 32, LocalSetup, Chrome, "settings of this program"),
    Button(1624, 37, 32, Connect, Chrome, "connect and disconnect"),
    Button(1625, 28, 28, Stop, Chrome, "backup progress: stop"),
    Back(1634, 354, 40, backdrop::ProgressPopup, "backup progress popup"),
    Progress(1635, 8, 18, 0, Chrome, "backup progress bar: groove"),
    Progress(1636, 8, 18, 1, Chrome, "backup progress bar: fill"),
    Back(1640, 308, 136, backdrop::MessageBox, "notice box and daylight-saving question"),
    Plate(1641, 64, 20, plate::NoticeLine, "notice box: plate of line 1"),
    Plate(1642, 64, 20, plate::NoticeLine, "notice box: plate of line 2 (and of a single line)"),
    Plate(1643, 64, 20, plate::NoticeLine, "notice box: plate of line 3"),
    Progress(1644, 6, 14, 0, Light, "firmware row progress: groove"),
    Progress(1645, 6, 14, 1, Light, "firmware row progress: fill"),
    Back(1646, 398, 222, backdrop::Firmware, "firmware upgrade"),

    // Frames, panels and popups.
    Back(1650, 618, 546, backdrop::Frame, "frame of setup, local setup, remote and local search"),
    Button(1651, 26, 26, Close, Chrome, "frame: close"),
    Back(1652, 174, 430, backdrop::MenuPanel, "frame: menu and tab panel"),
    Row(1654, 5, 0, "popup row: left cap"),
    Row(1655, 8, 1, "popup row: middle (stretched)"),
    Row(1656, 6, 2, "popup row: right cap"),
    Page(1657, backdrop::PageNames, "page: camera names"),
    Page(1658, backdrop::PageCaptions, "page: on-screen display (basic) and record general (newer recorders)"),
    Page(1659, backdrop::PageCaptions, "page: on-screen display (extended)"),
    Track(1660, 190, 9, track::Sensitivity, "sensitivity slider: part below the position"),
    Page(1661, backdrop::PageMotion, "page: motion area"),
    Grid(1662, 360, 288, grid::MotionBackdrop, "motion area: cells not picked"),
    Grid(1663, 360, 288, grid::MotionPicked, "motion area: picked cells"),
    Page(1666, backdrop::PageCaptions, "page: record general (older recorders)"),
    Page(1667, backdrop::PageRegion, "page: record region"),
    Grid(1668, 356, 244, grid::RegionBackdrop, "record region: cells not picked"),
    Grid(1669, 356, 244, grid::RegionPicked, "record region: picked cells"),
    Page(1670, backdrop::PageCaptions, "page: record mode slots"),
    Page(1671, backdrop::PageSchedule, "page: weekly schedule"),
    Page(1675, backdrop::PagePreset, "page: presets"),
    Page(1681, backdrop::PageCaptions, "page: system general"),
    Page(1687, backdrop::PageCaptions, "page: user accounts"),
    Page(1688, backdrop::PageCaptions, "page: time and daylight saving"),
    Page(1689, backdrop::PageCaptions, "page: e-mail"),
    Page(1690, backdrop::PageCaptions, "page: event yes and no rows"),
    Plate(1691, 400, 19, plate::EventBand, "event pages: band behind the duration row"),
    Check(1692, 1, "check box: checked"),
    Check(1693, 0, "check box: not checked"),
    Check(1694, 2, "check box: shape"),
    Track(1695, 190, 9, track::Channel, "setup slider: part above the position"),
    Track(1696, 190, 9, track::Active, "setup slider: part below the position"),
    Track(1697, 150, 9, track::Channel, "local setup slider: part above the position"),
    Track(1698, 150, 9, track::Active, "local setup slider: part below the position"),
    Plate(1700, 64, 14, plate::Field, "value field behind labels and selectors"),
    Plate(1702, 72, 14, plate::FieldGroup4, "spot page: value field of a group of four"),
    Plate(1703, 72, 14, plate::FieldGroup8, "spot page: value field of a group of eight"),
    Legend(1704, 0, "timeline legend: record type 0"),
    Legend(1705, 1, "timeline legend: alarm"),
    Legend(1706, 2, "timeline legend: motion"),
    Legend(1707, 3, "timeline legend: record type 3"),
    Legend(1708, 4, "timeline legend: audio"),
    Legend(1709, 5, "timeline legend: record type 5"),
    Frame(1710, 0, "popup frame: top left corner"),
    Frame(1711, 1, "popup frame: top edge"),
    Frame(1712, 2, "popup frame: top right corner"),
    Frame(1713, 3, "popup frame: left edge"),
    Frame(1714, 4, "popup frame: centre"),
    Frame(1715, 5, "popup frame: right edge"),
    Frame(1716, 6, "popup frame: bottom left corner"),
    Frame(1717, 7, "popup frame: bottom edge"),
    Frame(1718, 8, "popup frame: bottom right corner"),
    Page(1720, backdrop::PageColumns, "page: column buttons over channel rows (camera adjust, record pages)"),
    Page(1721, backdrop::PageRows, "page: channel rows (covert, per-channel choices, channel select)"),
    Page(1722, backdrop::PageOpen, "page: column buttons over an open area (keyboard, days column)"),
    Page(1723, backdrop::PagePlain, "page: blank page and days"),
    Page(1727, backdrop::PageGroups4, "spot page: groups of four"),
    Page(1728, backdrop::PageGroups8, "spot page: groups of eight"),
    Page(1729, backdrop::PageModes, "spot page: modes"),
    Back(1730, 147, 171, backdrop::PtzPad, "PTZ pad"),
    Button(1731, 44, 44, CentrePan, Disc, "PTZ pad: centre in pan and tilt mode"),
    Button(1732, 44, 44, CentreZoom, Disc, "PTZ pad: centre in zoom and focus mode"),
    Mask(1733, 16, osd::PtzReady, "PTZ icon: camera can be steered, mask"),
    Icon(1734, 16, osd::PtzReady, "PTZ icon: camera can be steered"),
    Mask(1735, 16, osd::PtzUnavailable, "PTZ icon: camera cannot be steered, mask"),
    Icon(1736, 16, osd::PtzUnavailable, "PTZ icon: camera cannot be steered"),
    {1737, 54, 171, 1, SkinArt::Backdrop, backdrop::MenuPad, 0, "MENU", "dome menu pad"},
    Button(1739, 39, 39, MenuSelect, Chrome, "dome menu: select"),
    Button(1740, 39, 39, MenuBack, Chrome, "dome menu: back"),
    Button(1741, 39, 39, Close, Chrome, "dome menu: close"),
    Page(1742, backdrop::PageCaptions, "local setup page: global"),
    Page(1743, backdrop::PageCaptions, "local setup page: opacity"),
    Page(1744, backdrop::PageCaptions, "local setup page: audio buffer"),
    Page(1745, backdrop::PageCaptions, "local setup page: auto save"),
    Page(1749, backdrop::PageCaptions, "page: date and time search (older recorders)"),
    Page(1750, backdrop::PageCaptions, "page: date and time search"),
    Page(1751, backdrop::PagePlain, "page: lists (events, logs, information, options)"),
    Page(1752, backdrop::PageCalendar, "page: play calendar"),
    Cell(1753, 52, 25, 1, "calendar day"),
    Page(1754, backdrop::PageTimeline, "page: day timeline"),
    Grid(1755, 289, 305, grid::TimelineGrid, "day timeline: chart grid"),
    Page(1756, backdrop::PageCaptions, "page: backup date and time"),
    Page(1757, backdrop::PagePlain, "page: backup event list"),
    Page(1758, backdrop::PageBackupCalendar, "page: backup calendar"),
    Page(1759, backdrop::PageTimeline, "page: backup timeline"),
    Bar(1760, 0, "timeline bar: record type 0"),
    Bar(1761, 1, "timeline bar: alarm"),
    Bar(1762, 2, "timeline bar: motion"),
    Bar(1763, 3, "timeline bar: record type 3"),
    Bar(1764, 4, "timeline bar: audio"),
    Bar(1765, 5, "timeline bar: record type 5"),
    Grid(1770, 350, 360, grid::ScheduleValue1, "schedule: hours with value 1"),
    Grid(1771, 350, 360, grid::ScheduleValue0, "schedule: hours with value 0, and the backdrop"),
    Grid(1772, 350, 360, grid::ScheduleValue0, "schedule of three-value recorders: value 0, and the backdrop"),
    Grid(1773, 350, 360, grid::ScheduleValue1, "schedule of three-value recorders: value 1"),
    Grid(1774, 350, 360, grid::ScheduleValue2, "schedule of three-value recorders: value 2"),
    Grid(1775, 350, 360, grid::ScheduleValue3, "schedule of three-value recorders: value 3"),

    // World map of the time-server page and its zone highlights (each as wide as its rectangle).
    Map(1782, 380, 0, "world map"),
    Map(1783, 20, 1, "zone highlight: UTC"),
    Map(1784, 39, 2, "zone highlight: UTC+1"),
    Map(1785, 34, 3, "zone highlight: UTC+2"),
    Map(1786, 36, 4, "zone highlight: UTC+3"),
    Map(1787, 33, 5, "zone highlight: UTC+4"),
    Map(1788, 32, 6, "zone highlight: UTC+5"),
    Map(1789, 33, 7, "zone highlight: UTC+6"),
    Map(1790, 43, 8, "zone highlight: UTC+7"),
    Map(1791, 62, 9, "zone highlight: UTC+8"),
    Map(1792, 40, 10, "zone highlight: UTC+9"),
    Map(1793, 32, 11, "zone highlight: UTC+10"),
    Map(1794, 17, 12, "zone highlight: UTC+11"),
    Map(1795, 32, 13, "zone highlight: UTC+12"),
    Map(1796, 10, 14, "zone highlight: UTC-11"),
    Map(1797, 19, 15, "zone highlight: UTC-10"),
    Map(1798, 16, 16, "zone highlight: UTC-9"),
    Map(1799, 24, 17, "zone highlight: UTC-8"),
    Map(1800, 20, 18, "zone highlight: UTC-7"),
    Map(1801, 23, 19, "zone highlight: UTC-6"),
    Map(1802, 29, 20, "zone highlight: UTC-5"),
    Map(1803, 23, 21, "zone highlight: UTC-4"),
    Map(1804, 39, 22, "zone highlight: UTC-3"),
    Map(1805, 9, 23, "zone highlight: UTC-2"),
    Map(1806, 32, 24, "zone highlight: UTC+9:30 (drawn in the UTC+10 rectangle)"),
    Map(1807, 32, 25, "zone highlight: UTC+10 of the newer zone list"),
    Page(1808, backdrop::PageTimeServer, "time-server page, synchronisation off"),
    Page(1809, backdrop::PageTimeServer, "time-server page, synchronisation on"),
    Page(1810, backdrop::PageCity, "time-server page, city tab"),

    // PTZ keypad.
    Back(1821, 320, 200, backdrop::Keypad, "PTZ keypad"),
    Button(1822, 22, 22, Close, Light, "PTZ keypad: close"),
    Button(1830, 30, 26, Key1, Light, "PTZ keypad: 1"),
    Button(1831, 30, 26, Key2, Light, "PTZ keypad: 2"),
    Button(1832, 30, 26, Key3, Light, "PTZ keypad: 3"),
    Button(1833, 30, 26, Key4, Light, "PTZ keypad: 4"),
    Button(1834, 30, 26, Key5, Light, "PTZ keypad: 5"),
    Button(1835, 30, 26, Key6, Light, "PTZ keypad: 6"),
    Button(1836, 30, 26, Key7, Light, "PTZ keypad: 7"),
    Button(1837, 30, 26, Key8, Light, "PTZ keypad: 8"),
    Button(1838, 30, 26, Key9, Light, "PTZ keypad: 9"),
    Button(1839, 30, 26, Key0, Light, "PTZ keypad: 0"),
    Button(1840, 30, 26, Tour, Light, "PTZ keypad: tour"),

    // Connect, password and history dialogs, firmware.
    Back(2000, 356, 182, backdrop::Connect, "connect dialog"),
    Label(2001, Address, "connect dialog: address label"),
    Label(2002, Port, "connect dialog: port label"),
    Label(2003, Person, "connect dialog: user id label"),
    Label(2004, Key, "connect dialog and password prompt: password label"),
    Label(2005, Note, "connect dialog: description label"),
    Text(2009, 100, 27, button::Dialog, "dialog button (OK, Cancel, ...)"),
    Text(2010, 100, 27, button::Secondary, "connect dialog: Modify and Default"),
    Plate(2011, 342, 22, plate::StatusArea, "firmware upgrade: status strip"),
    Text(2012, 86, 27, button::Dialog, "firmware upgrade: Start, Stop, Close"),
    Back(2013, 356, 86, backdrop::Password, "password prompt"),
    Button(2014, 17, 23, Chevron, Light, "connect dialog: connection history"),
    Back(2015, 433, 457, backdrop::ConnectList, "connection history"),

    // Setup frame tabs and menus.
    Tab(2020, Display, "Display", "setup frame tab: display"),
    Tab(2021, RecordMode, "Record", "setup frame tab: recording"),
    Tab(2022, System, "System", "setup frame tab: system"),
    Tab(2023, Event, "Event", "setup frame tab: events"),
    Menu(2030, Camera, "display menu: camera adjust"),
    Menu(2031, Covert, "display menu: covert"),
    Menu(2032, Name, "display menu: camera names"),
    Menu(2033, Spot, "display menu: spot out"),
    Menu(2034, Osd, "display menu: on-screen display"),
    Menu(2040, RecordMode, "record menu: general"),
    Menu(2041, Record, "record menu: mode 0"),
    Menu(2042, Alarm, "record menu: alarm"),
    Menu(2043, Motion, "record menu: motion"),
    Menu(2044, Schedule, "record menu: mode 3"),
    Menu(2045, AudioOut, "record menu: audio"),
    Menu(2046, Holiday, "record menu: mode 5"),
    Menu(2047, Slots, "record menu: mode slots"),
    Menu(2050, System, "system menu: every entry"),
    Menu(2060, Mail, "event menu: e-mail"),
    Menu(2061, Buzzer, "event menu: first yes and no page"),
    Menu(2062, AlarmOut, "event menu: second yes and no page"),
    Menu(2063, Popup, "event menu: third yes and no page"),

    Text(2084, 45, 22, button::Channel, "channel buttons of the region, motion and preset pages"),
    Text(2136, 100, 17, button::SwitchOn, "On and Yes buttons"),
    Text(2137, 100, 17, button::SwitchChoice, "Off and No buttons, and choices shown as button pairs"),
    Text(2139, 95, 17, button::SwitchChoice, "None, Off and On buttons"),
    Tab(2150, Setup, "Setup", "local setup frame: settings tab"),
    Menu(2151, Options, "local setup frame: tabs"),
    Tab(2160, Search, "Search", "search frame tab: search"),
    Tab(2161, Backup, "Backup", "search frame tab: backup"),
    Tab(2162, Log, "Log", "search frame tab: logs"),
    Tab(2163, Info, "Info", "search frame tab: information"),
    Menu(2164, Clock, "search menu: date and time"),
    Menu(2165, Event, "search menu: events"),
    Menu(2166, Calendar, "search menu: calendar"),
    Menu(2167, Channels, "search menu: select channels"),
    Menu(2170, List, "log menu: all"),
    Menu(2171, Power, "log menu: power"),
    Menu(2172, Record, "log menu: recording"),
    Menu(2173, Operation, "log menu: operation"),
    Menu(2174, Client, "log menu: client"),
    Menu(2175, Event, "log menu: events"),
    Menu(2176, Info, "information menu: system"),
    Menu(2177, Status, "information menu: status"),
    Plate(2190, 398, 19, plate::TitleBand, "backup calendar: title band"),
    Cell(2212, 49, 19, 0, "calendar month"),
    Text(2232, 100, 26, button::Dialog, "PTZ keypad: text buttons"),
    Text(2250, 200, 24, button::ColumnLeft, "column buttons: left half"),
    Text(2251, 200, 24, button::ColumnRight, "column buttons: right half"),
    Text(2252, 133, 24, button::ColumnLeft, "three column buttons: left"),
    Text(2253, 133, 24, button::ColumnMiddle, "three column buttons: middle"),
    Text(2254, 133, 24, button::ColumnRight, "three column buttons: right"),
    Text(2255, 100, 24, button::ColumnLeft, "four column buttons: left"),
    Text(2256, 100, 24, button::ColumnMiddle, "four column buttons: middle"),
    Text(2257, 100, 24, button::ColumnRight, "four column buttons: right"),
    Text(2258, 97, 22, button::Dialog, "page buttons (All Check, Return All, Prev, Next, ...)"),
    Text(2259, 160, 22, button::Dialog, "wide page buttons (Initialize, Deinterlace, Region, ...)"),
    Text(2260, 97, 22, button::Dialog, "frame OK and Cancel"),
    Plate(2261, 403, 23, plate::RowBand, "options page: band behind a row (stretched)"),
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
