#pragma once
// The recorder's whole configuration as one fixed 6632-byte record. Multi-byte integers are
// big-endian on the wire; DbToHostOrder and DbToNetworkOrder swap exactly the integer fields in place
// (on a big-endian host they change nothing). Everything else is bytes or text and is never touched.
// Reserved ranges are carried unchanged, so a record goes back to the recorder as it came.
// Every integer field lies on its natural alignment, so the record needs no packing.

#include "platform/base/WinTypes.h"
#include "protocol/AccountRightsTable.h"

#include <cstddef>
#include <span>

constexpr std::size_t kSetupDatabaseSize = 6632;
constexpr int kSetupChannels = 16;
constexpr std::size_t kCameraNameSize = 32;

// Bytes 3512-4027: also the body of the test-mail request.
struct EmailSettings {
    char text[4][128]; // 0: the four text fields
    BYTE option;       // 512: 0..2
    BYTE reserved[3];  // 513: sent as stored
};

struct SetupDatabase {
    BYTE version_major;                                // 0
    BYTE version_minor;                                // 1
    BYTE video_standard;                               // 2: 0 NTSC, 1 PAL
    BYTE recorder_id;                                  // 3: 0..99
    DWORD recorder_clock;                              // 4: u32 BE, seconds since 1970
    BYTE hue[kSetupChannels];                          // 8
    BYTE saturation[kSetupChannels];                   // 24
    BYTE contrast[kSetupChannels];                     // 40
    BYTE brightness[kSetupChannels];                   // 56
    BYTE covert[kSetupChannels];                       // 72
    char camera_name[kSetupChannels][kCameraNameSize]; // 88
    BYTE spot_mode;                                    // 600
    BYTE reserved_601[3];                              // 601
    BYTE spot_dwell[kSetupChannels];                   // 604: slider position x 5
    BYTE spot_event_switch[kSetupChannels];            // 620
    BYTE osd_list0;                                    // 636
    BYTE osd_switch1;                                  // 637
    BYTE osd_switch2;                                  // 638
    BYTE osd_list1;                                    // 639
    BYTE reserved_640[4];                              // 640
    BYTE rec_resolution_class;                         // 644
    BYTE rec_onoff1;                                   // 645
    BYTE rec_onoff2;                                   // 646
    BYTE rec_single_rate;                              // 647
    WORD rec_value0;                                   // 648: u16 BE
    WORD rec_value1;                                   // 650: u16 BE
    BYTE rec_selector;                                 // 652
    BYTE reserved_653[3];                              // 653
    BYTE mode_a_rate[kSetupChannels];                  // 656
    BYTE mode_a_audio[kSetupChannels];                 // 672
    BYTE mode_b_rate[kSetupChannels];                  // 688
    BYTE mode_b_audio[kSetupChannels];                 // 704
    BYTE mode_c_rate[kSetupChannels];                  // 720
    BYTE mode_c_audio[kSetupChannels];                 // 736
    BYTE mode_c_sensitivity[kSetupChannels];           // 752
    BYTE motion_grid[kSetupChannels][9][11];           // 768
    BYTE mode_d_rate[kSetupChannels];                  // 2352
    BYTE mode_d_audio[kSetupChannels];                 // 2368
    BYTE schedule[7][24];                              // 2384
    BYTE mode_e_rate[kSetupChannels];                  // 2552
    BYTE mode_e_audio[kSetupChannels];                 // 2568
    BYTE mode_e_sensitivity[kSetupChannels];           // 2584
    BYTE reserved_2600[16];                            // 2600
    BYTE mode_f_onoff[kSetupChannels];                 // 2616
    BYTE mode_f_audio[kSetupChannels];                 // 2632
    BYTE mode_f_days;                                  // 2648: 5..90
    BYTE reserved_2649[3];                             // 2649
    BYTE rec_mode_slot[5];                             // 2652: 0..6
    BYTE reserved_2657[3];                             // 2657
    BYTE language;                                     // 2660
    BYTE date_format;                                  // 2661: 0..2
    BYTE reserved_2662[6];                             // 2662
    BYTE resolution;                                   // 2668: 0..2
    BYTE reserved_2669[419];                           // 2669
    BYTE tri_state[kSetupChannels];                    // 3088: 0 none, 1 off, 2 on
    BYTE days;                                         // 3104: 0..99
    BYTE reserved_3105[3];                             // 3105
    BYTE ptz_id[kSetupChannels];                       // 3108
    BYTE ptz_protocol[kSetupChannels];                 // 3124
    BYTE ptz_baud[kSetupChannels];                     // 3140: baud index 0..5
    BYTE keyboard_id;                                  // 3156
    BYTE reserved_3157[15];                            // 3157
    BYTE keyboard_protocol;                            // 3172
    BYTE reserved_3173[15];                            // 3173
    BYTE keyboard_baud;                                // 3188
    BYTE reserved_3189[15];                            // 3189
    BYTE dst[17];                                      // 3204: mode, style, start and end rule, offset, answer
    BYTE reserved_3221[283];                           // 3221
    DWORD unedited_3504;                               // 3504: u32 BE
    DWORD unedited_3508;                               // 3508: u32 BE
    EmailSettings email;                               // 3512
    BYTE event_set1[4];                                // 4028
    BYTE event_set2[4];                                // 4032
    BYTE event_set3[4];                                // 4036
    BYTE reserved_4040[4];                             // 4040
    BYTE mode_a_resolution[kSetupChannels];            // 4044: 0 4CIF, 1 2CIF, 2 CIF
    BYTE mode_b_resolution[kSetupChannels];            // 4060
    BYTE mode_c_resolution[kSetupChannels];            // 4076
    BYTE mode_d_resolution[kSetupChannels];            // 4092
    BYTE mode_e_resolution[kSetupChannels];            // 4108
    BYTE mode_f_resolution[kSetupChannels];            // 4124
    BYTE time_server_city;                             // 4140: 0 none, 1..24
    BYTE time_server_sync;                             // 4141
    BYTE reserved_4142[2];                             // 4142
    BYTE time_server_source;                           // 4144: 0 built-in name, 1 user name, 2 IPv4 address
    BYTE reserved_4145[3];                             // 4145
    char time_server_builtin[32];                      // 4148
    BYTE time_server_ip[4];                            // 4180: most significant byte first
    char time_server_user[32];                         // 4184
    WORD unedited_4216;                                // 4216: u16 BE
    WORD unedited_4218;                                // 4218: u16 BE
    BYTE reserved_4220[100];                           // 4220
    WORD ptz_pan_low[kSetupChannels];                  // 4320: u16 BE
    WORD ptz_pan_high[kSetupChannels];                 // 4352: u16 BE
    WORD ptz_tilt_low[kSetupChannels];                 // 4384: u16 BE
    WORD ptz_tilt_high[kSetupChannels];                // 4416: u16 BE
    DWORD unedited_4448;                               // 4448: u32 BE
    DWORD unedited_4452;                               // 4452: u32 BE
    DWORD rec_general_flag;                            // 4456: u32 BE, 0..1
    DWORD event_time_a;                                // 4460: u32 BE, 5..240
    DWORD event_time_b;                                // 4464: u32 BE, 5..240
    BYTE reserved_4468[49];                            // 4468
    BYTE rec_channel_selector;                         // 4517
    BYTE system_option1;                               // 4518
    BYTE system_option2;                               // 4519
    BYTE region_left[kSetupChannels];                  // 4520: units of 4 pixels
    BYTE region_right[kSetupChannels];                 // 4536
    BYTE region_top[kSetupChannels];                   // 4552
    BYTE region_bottom[kSetupChannels];                // 4568
    BYTE deinterlace[kSetupChannels];                  // 4584
    WORD unedited_4600[kSetupChannels][32];            // 4600: u16 BE
    AccountRightsTable accounts;                       // 5624
    BYTE reserved_6208[64];                            // 6208
    BYTE preset_camera[kSetupChannels][4];             // 6272
    BYTE preset_onoff[kSetupChannels][4];              // 6336
    WORD preset_number[kSetupChannels][4];             // 6400: u16 BE, 1..999
    BYTE reserved_6528[8];                             // 6528
    BYTE osd_list2;                                    // 6536
    BYTE osd_list3;                                    // 6537
    BYTE osd_list4;                                    // 6538
    BYTE reserved_6539[93];                            // 6539
};

static_assert(sizeof(EmailSettings) == 516);
static_assert(sizeof(SetupDatabase) == kSetupDatabaseSize);
static_assert(offsetof(SetupDatabase, recorder_clock) == 4 && offsetof(SetupDatabase, camera_name) == 88);
static_assert(offsetof(SetupDatabase, spot_mode) == 600 && offsetof(SetupDatabase, osd_list0) == 636);
static_assert(offsetof(SetupDatabase, rec_value0) == 648 && offsetof(SetupDatabase, mode_a_rate) == 656);
static_assert(offsetof(SetupDatabase, motion_grid) == 768 && offsetof(SetupDatabase, mode_d_rate) == 2352);
static_assert(offsetof(SetupDatabase, schedule) == 2384 && offsetof(SetupDatabase, mode_e_rate) == 2552);
static_assert(offsetof(SetupDatabase, mode_f_onoff) == 2616 && offsetof(SetupDatabase, mode_f_days) == 2648);
static_assert(offsetof(SetupDatabase, rec_mode_slot) == 2652 && offsetof(SetupDatabase, language) == 2660);
static_assert(offsetof(SetupDatabase, resolution) == 2668 && offsetof(SetupDatabase, tri_state) == 3088);
static_assert(offsetof(SetupDatabase, days) == 3104 && offsetof(SetupDatabase, ptz_id) == 3108);
static_assert(offsetof(SetupDatabase, keyboard_id) == 3156 && offsetof(SetupDatabase, keyboard_protocol) == 3172);
static_assert(offsetof(SetupDatabase, keyboard_baud) == 3188 && offsetof(SetupDatabase, dst) == 3204);
static_assert(offsetof(SetupDatabase, unedited_3504) == 3504 && offsetof(SetupDatabase, email) == 3512);
static_assert(offsetof(SetupDatabase, event_set1) == 4028 && offsetof(SetupDatabase, mode_a_resolution) == 4044);
static_assert(offsetof(SetupDatabase, time_server_city) == 4140 && offsetof(SetupDatabase, time_server_source) == 4144);
static_assert(offsetof(SetupDatabase, time_server_builtin) == 4148 && offsetof(SetupDatabase, time_server_ip) == 4180);
static_assert(offsetof(SetupDatabase, time_server_user) == 4184 && offsetof(SetupDatabase, unedited_4216) == 4216);
static_assert(offsetof(SetupDatabase, ptz_pan_low) == 4320 && offsetof(SetupDatabase, unedited_4448) == 4448);
static_assert(offsetof(SetupDatabase, rec_general_flag) == 4456 && offsetof(SetupDatabase, event_time_b) == 4464);
static_assert(offsetof(SetupDatabase, rec_channel_selector) == 4517 && offsetof(SetupDatabase, region_left) == 4520);
static_assert(offsetof(SetupDatabase, deinterlace) == 4584 && offsetof(SetupDatabase, unedited_4600) == 4600);
static_assert(offsetof(SetupDatabase, accounts) == 5624 && offsetof(SetupDatabase, preset_camera) == 6272);
static_assert(offsetof(SetupDatabase, preset_onoff) == 6336 && offsetof(SetupDatabase, preset_number) == 6400);
static_assert(offsetof(SetupDatabase, osd_list2) == 6536 && offsetof(SetupDatabase, osd_list4) == 6538);

// The integer fields, as (offset, width in bytes, count).
struct SetupIntegerField {
    std::size_t offset;
    std::size_t width;
    std::size_t count;
};

// Swap the integer fields from network to host order, and back. Each is applied once per edit:
// the record is kept in network order whenever no setup frame is open.
void DbToHostOrder(SetupDatabase& db);
void DbToNetworkOrder(SetupDatabase& db);
