#include "res/TextTable.h"

#include "res/TextIds.h"

#include <algorithm>
#include <array>

namespace {

// Wording of the program's texts. Notice lines stay short enough for the notice box.
constexpr auto kTexts = std::to_array<ResText>({
    {IDS_CONNECT, "Connect"},             // tooltip: connect (not connected)
    {IDS_REMOTE_SEARCH, "Remote Search"}, // tooltip: search the recorder; opacity row of the remote search frame
    {IDS_REMOTE_SETUP, "Remote Setup"},   // tooltip: recorder setup; opacity row of the setup frame
    {IDS_LOCAL_SEARCH, "Local Search"},   // tooltip: search backups on this computer; opacity row of the local search
    {IDS_LOCAL_SETUP,
     "Local Setup"},              // tooltip: settings of this program; opacity row; local log entry of saved settings
    {IDS_PAN_TILT, "Pan / Tilt"}, // tooltip: pan and tilt pad
    {IDS_ZOOM_FOCUS, "Zoom / Focus"},             // tooltip: zoom and focus pad
    {IDS_FIRMWARE_UPGRADE, "Firmware Upgrade"},   // tooltip: firmware upgrade; opacity row of the firmware dialog
    {IDS_QUIT, "Quit"},                           // tooltip: quit the program
    {IDS_CHANNEL, "Channel"},                     // channel prefix shown with a number ("Channel 1")
    {IDS_1, "1"},                                 // tooltip: one-tile split
    {IDS_4, "4"},                                 // tooltip: four-tile split
    {IDS_FULL_SCREEN, "Full Screen"},             // tooltip: full screen
    {IDS_LIVE, "Live"},                           // tooltip: live view; label of live pictures
    {IDS_ON_SCREEN_DISPLAY, "On-Screen Display"}, // tooltip: on-screen text on and off
    {IDS_RESET_TILE_ORDER, "Reset Tile Order"},   // tooltip: put the tiles back in channel order
    {IDS_SAVE, "Save"},                           // tooltip: save still images; connection history Save
    {IDS_OPEN_IMAGE, "Open Image"},               // tooltip: open a saved image
    {IDS_MUTE, "Mute"},                           // tooltip: sound on and off
    {IDS_VOLUME, "Volume"},                       // tooltip: volume slider
    {IDS_AUDIO_CHANNEL, "Audio Channel"},         // tooltip: choose the audio channel
    {IDS_TALK, "Talk"},                           // tooltip: talk to the recorder
    {IDS_STEP_BACKWARD, "Step Backward"},         // tooltip: step backward one picture
    {IDS_PLAY_BACKWARD, "Play Backward"},         // tooltip: play backward
    {IDS_PLAY_FORWARD, "Play Forward"},           // tooltip: play forward
    {IDS_PAUSE, "Pause"},                         // tooltip: pause
    {IDS_RECORD, "Record"},                       // log menu: recording entries; detail page: record settings group
    {IDS_STOP, "Stop"},                           // tooltip: stop; firmware Stop button
    {IDS_STEP_FORWARD, "Step Forward"},           // tooltip: step forward one picture
    {IDS_MINIMIZE, "Minimize"},                   // tooltip: minimise the main window
    {IDS_AUDIO, "Audio"},                         // tooltip: listen to audio; audio column and filter
    {IDS_SETUP_DATA_CHECK_FAILED, "Setup data check failed."},      // notice: setup data failed its check
    {IDS_REASON_INVALID_SETUP_DATA, "Reason: invalid setup data."}, // notice: setup update refused, reason 81
    {IDS_NOT_ENOUGH_SPACE_ON_THE_RECORDER,
     "Not enough space on the recorder."},         // notice: refused for lack of space on the recorder
    {IDS_CONNECTION_FAILED, "Connection failed."}, // notice: connecting failed
    {IDS_REFUSED_THE_RECORDER_IS_BUSY, "Refused: the recorder is busy."}, // notice: request refused, reason 86
    {IDS_REFUSED_FUNCTION_IN_USE, "Refused: function in use."},           // notice: request refused, reason 53
    {IDS_REASON_THE_RECORDER_IS_BUSY, "Reason: the recorder is busy."},   // notice: setup update refused, reason 51
    {IDS_REASON_THE_RECORDER_SHUT_DOWN,
     "Reason: the recorder shut down."}, // notice: the recorder ended the connection, reason 34
    {IDS_REASON_IMAGE_WRITE_FAILED, "Reason: image write failed."}, // notice: firmware upgrade result 4
    {IDS_REASON_IMAGE_CHECK_FAILED, "Reason: image check failed."}, // notice: firmware upgrade result 3
    {IDS_REASON_ANOTHER_USER_LOGGED_IN,
     "Reason: another user logged in."}, // notice: the recorder ended the connection, reason 35
    {IDS_NOT_ENOUGH_SPACE_FOR_THE_BACKUP,
     "Not enough space for the backup."}, // notice: not enough disk space for a backup
    {IDS_REASON_TOO_MANY_CONNECTIONS,
     "Reason: too many connections."},                         // notice: the recorder ended the connection, reason 36
    {IDS_FIRMWARE_UPGRADE_FAILED, "Firmware upgrade failed."}, // notice: firmware upgrade result, first line
    {IDS_FIRMWARE_UPGRADE_FINISHED, "Firmware upgrade finished."}, // notice: firmware upgrade finished
    {IDS_REFUSED_PLAYBACK_IS_RUNNING,
     "Refused: playback is running."}, // notice: live view or recording refused, reason 66
    {IDS_REASON_THE_SETUP_WAS_CHANGED,
     "Reason: the setup was changed."}, // notice: the recorder ended the connection, reason 3
    {IDS_NEW_FIRMWARE_FOUND_UPGRADE_NOW, "New firmware found. Upgrade now?"}, // notice: firmware images found
    {IDS_NO_FIRMWARE_IMAGE_FOUND, "No firmware image found."},                // notice: no firmware image found
    {IDS_NO_DATA_FOUND, "No data found."},                                    // notice: a request found no data
    {IDS_REFUSED_NOT_ALLOWED_NOW, "Refused: not allowed now."},               // notice: refused, reason 65
    {IDS_REASON_FIRMWARE_UPDATE_RUNNING,
     "Reason: firmware update running."}, // notice: the recorder ended the connection, reason 33
    {IDS_REASON_WRONG_FIRMWARE_IMAGE, "Reason: wrong firmware image."}, // notice: firmware upgrade result 2
    {IDS_REASON_NO_ANSWER_IN_TIME,
     "Reason: no answer in time."}, // notice: the recorder ended the connection, reason -2
    {IDS_REFUSED_SETUP_IS_BEING_CHANGED, "Refused: setup is being changed."}, // notice: refused, reason 97
    {IDS_THE_RECORDER_REFUSED_THE_SETUP, "The recorder refused the setup."}, // notice: setup update refused, first line
    {IDS_SETUP_SAVED, "Setup saved."},                                       // notice: setup saved
    {IDS_RESTART_THE_RECORDER_NOW, "Restart the recorder now?"}, // notice: firmware upgrade finished, second line
    {IDS_TRY_AGAIN, "Try again?"},                 // notice: question to search again or send the setup again
    {IDS_CONNECTION_CLOSED, "Connection closed."}, // notice: connection closed
    {IDS_NETWORK_SOCKET_UNAVAILABLE, "Network socket unavailable."}, // notice: the socket could not be created
    {IDS_REFUSED_WRONG_REQUEST, "Refused: wrong request."},          // notice: refused, reason 2
    {IDS_REASON_CLOSED_BY_THE_RECORDER,
     "Reason: closed by the recorder."},       // notice: the recorder ended the connection, reason 2
    {IDS_REQUEST_REFUSED, "Request refused."}, // notice: refused, reason 1; firmware row status
    {IDS_REASON_UNKNOWN, "Reason unknown."},   // notice: reason without a text of its own
    {IDS_TALK_IS_IN_USE_BY_ANOTHER, "Talk is in use by another user."},     // notice: talk refused, reason 54
    {IDS_TALK_IS_NOT_AVAILABLE, "Talk is not available."},                  // notice: talk refused, reason 55
    {IDS_CONNECTION_TIMED_OUT, "Connection timed out."},                    // notice: connecting timed out
    {IDS_REASON_RECORDER_STORAGE_ERROR, "Reason: recorder storage error."}, // notice: firmware upgrade result 6
    {IDS_REASON_TRANSFER_FAILED, "Reason: transfer failed."},               // notice: firmware upgrade result 1
    {IDS_INITIALIZE, "Initialize"}, // Initialize button; notice line; operation log entry
    {IDS_RESET_EVERY_SETTING_TO_DEFAULT,
     "Reset every setting to default?"}, // notice: initialise the recorder's setup, second line
    {IDS_REFUSED_RECORDER_DISK_ERROR, "Refused: recorder disk error."},        // notice: refused, reason 98
    {IDS_NO_PERMISSION_FOR_THIS_FUNCTION, "No permission for this function."}, // notice: not allowed for this account
    {IDS_POWER_ON, "Power On"},                                                // remote log: power on
    {IDS_POWER_OFF, "Power Off"},                                              // remote log: power off
    {IDS_POWER_FAILURE, "Power Failure"},                                      // remote log: power failure
    {IDS_RECORDING_STARTED, "Recording Started"},                              // remote log: recording started
    {IDS_RECORDING_STOPPED, "Recording Stopped"},                              // remote log: recording stopped
    {IDS_DISK_FULL, "Disk Full"},                                              // remote log: disk full
    {IDS_OVERWRITE_STARTED, "Overwrite Started"},                              // remote log: overwriting old recordings
    {IDS_DISK_ERROR, "Disk Error"},                                            // remote log: disk error
    {IDS_MENU_ENTERED, "Menu Entered"},              // remote log: operation on the recorder's menu
    {IDS_TIME_CHANGED, "Time Changed"},              // remote log: clock changed
    {IDS_FIRMWARE_UPDATE, "Firmware Update"},        // remote log: firmware updated
    {IDS_SETUP, "Setup"},                            // remote log: setup changed; account right: remote setup
    {IDS_LOGIN, "Login"},                            // remote log: client logged in
    {IDS_LOGOUT, "Logout"},                          // remote log: client logged out
    {IDS_LIVE_VIEW, "Live View"},                    // remote log: client live view
    {IDS_PLAYBACK, "Playback"},                      // remote log: client playback; label of remotely played pictures
    {IDS_BACKUP, "Backup"},                          // remote log: client backup
    {IDS_SETUP_CHANGE, "Setup Change"},              // remote log: client changed the setup
    {IDS_FIRMWARE, "Firmware"},                      // remote log: client firmware upgrade
    {IDS_PTZ_CONTROL, "PTZ Control"},                // remote log: client steered a camera
    {IDS_ALARM, "Alarm"},                            // record mode and event type: alarm
    {IDS_MOTION, "Motion"},                          // record mode and event type: motion
    {IDS_AUDIO_EVENT, "Audio"},                      // record mode and event type: audio
    {IDS_VIDEO_LOSS, "Video Loss"},                  // event type: video loss
    {IDS_DISK_ALARM, "Disk Alarm"},                  // event type: disk alarm
    {IDS_TOTAL_SPACE, "Total Space"},                // status row: disk capacity
    {IDS_USED_SPACE, "Used Space"},                  // status row: disk space used
    {IDS_FREE_SPACE, "Free Space"},                  // status row: disk space free
    {IDS_IDLE, "Idle"},                              // channel status 0
    {IDS_RECORDING, "Recording"},                    // channel status 1
    {IDS_ALARM_RECORDING, "Alarm Recording"},        // channel status 2
    {IDS_MOTION_RECORDING, "Motion Recording"},      // channel status 4
    {IDS_SCHEDULE_RECORDING, "Schedule Recording"},  // channel status 3
    {IDS_VIDEO_LOSS_STATUS, "Video Loss"},           // channel status 5
    {IDS_NONE_STATUS, "None"},                       // no record mode; channel without status
    {IDS_MAC_ADDRESS, "MAC Address"},                // system information: MAC address
    {IDS_BOOT_LOADER, "Boot Loader"},                // system information: firmware slot 0
    {IDS_KERNEL_INFO, "Kernel"},                     // system information: firmware slot 3
    {IDS_APPLICATION, "Application"},                // system information: firmware slot 4
    {IDS_FILE_SYSTEM, "File System"},                // system information: firmware slot 5
    {IDS_WEB_PAGES, "Web Pages"},                    // system information: firmware slot 6
    {IDS_CH, "CH"},                                  // channel prefix before two digits ("CH01")
    {IDS_LOADER, "Loader"},                          // firmware row: slot 0
    {IDS_KERNEL, "Kernel"},                          // firmware row: slot 3
    {IDS_PROGRAM, "Program"},                        // firmware row: slot 4
    {IDS_FIRMWARE_ROWS, "Firmware"},                 // firmware rows: any part
    {IDS_FILES, "Files"},                            // firmware row: slot 5
    {IDS_WEB, "Web"},                                // firmware row: slot 6
    {IDS_SENDING_THE_IMAGE, "Sending the image..."}, // firmware status while sending
    {IDS_RECORDER_IS_UPDATING, "Recorder is updating..."}, // firmware status once the recorder has the image
    {IDS_CLOSE, "Close"},                                  // firmware Close button
    {IDS_UPGRADE, "Upgrade"},                              // firmware upgrade
    {IDS_STOPPED, "Stopped"},                              // firmware row status: stopped
    {IDS_WRONG_IMAGE, "Wrong image"},                      // firmware row status: refused, reason 17
    {IDS_RECORDER_BUSY, "Recorder busy"},                  // firmware row status: refused, reason 18
    {IDS_FAILED, "Failed"},                                // firmware row status: failed
    {IDS_DONE, "Done"},                                    // firmware row status: done
    {IDS_DISABLED, "Disabled"},                            // e-mail option 0
    {IDS_EVENTS, "Events"},                                // e-mail option 1
    {IDS_EVENTS_AND_LOG, "Events and Log"},                // e-mail option 2
    {IDS_HIGH, "High"},                                    // level 3 (sensitivity, options)
    {IDS_MIDDLE, "Middle"},                                // level 2
    {IDS_LOW, "Low"},                                      // level 1
    {IDS_CONTINUOUS, "Continuous"},                        // record mode 0
    {IDS_SCHEDULE, "Schedule"},                            // record mode 3
    {IDS_HOLIDAY, "Holiday"},                              // record mode 5
    {IDS_ENGLISH, "English"},                              // recorder language 0
    {IDS_FRENCH, "French"},                                // recorder language 1
    {IDS_GERMAN, "German"},                                // recorder language 2
    {IDS_ITALIAN, "Italian"},                              // recorder language 3
    {IDS_DUTCH, "Dutch"},                                  // recorder language 4
    {IDS_RUSSIAN, "Russian"},                              // recorder language 5
    {IDS_POLISH, "Polish"},                                // recorder language 6
    {IDS_SPANISH, "Spanish"},                              // recorder language 7
    {IDS_HUNGARIAN, "Hungarian"},                          // recorder language 8
    {IDS_SLOVAK, "Slovak"},                                // recorder language 9
    {IDS_PORTUGUESE, "Portuguese"},                        // recorder language 10
    {IDS_KOREAN, "Korean"},                                // recorder language 11
    {IDS_JAPANESE, "Japanese"},                            // recorder language 12
    {IDS_SIMPLIFIED_CHINESE, "Simplified Chinese"},        // recorder language 13
    {IDS_TRADITIONAL_CHINESE, "Traditional Chinese"},      // recorder language 14
    {IDS_TURKISH, "Turkish"},                              // recorder language 15
    {IDS_DANISH, "Danish"},                                // recorder language 16
    {IDS_ADD, "Add"},                                      // account name action: add; Add button
    {IDS_EDIT, "Edit"},                                    // account name action: edit; connection history Edit
    {IDS_DELETE, "Delete"},                                // account name action: delete; connection history Delete
    {IDS_NONE, "None"},                                    // none (zone, days, three-way choice)
    {IDS_USER_DEFINED, "User Defined"},                    // daylight-saving mode 1: the user's rule
    {IDS_RULE_1, "Rule 1"},                                // daylight-saving mode 2: the recorder's rule 0
    {IDS_RULE_2, "Rule 2"},                                // daylight-saving mode 3: the recorder's rule 1
    {IDS_RULE_3, "Rule 3"},                                // daylight-saving mode 4: the recorder's rule 2
    {IDS_RULE_4, "Rule 4"},                                // daylight-saving mode 5: the recorder's rule 3
    {IDS_RULE_5, "Rule 5"},                                // daylight-saving mode 6: the recorder's rule 4
    {IDS_RULE_6, "Rule 6"},                                // daylight-saving mode 7: the recorder's rule 5
    {IDS_RULE_7, "Rule 7"},                                // daylight-saving mode 8: the recorder's rule 6
    {IDS_RULE_8, "Rule 8"},                                // daylight-saving mode 9: the recorder's rule 7
    {IDS_RULE_9, "Rule 9"},                                // daylight-saving mode 10: the recorder's rule 8
    {IDS_RULE_10, "Rule 10"},                              // daylight-saving mode 11: the recorder's rule 9
    {IDS_RULE_11, "Rule 11"},                              // daylight-saving mode 12: the recorder's rule 10
    {IDS_RULE_12, "Rule 12"},                              // daylight-saving mode 13: the recorder's rule 11
    {IDS_RULE_13, "Rule 13"},                              // daylight-saving mode 14: the recorder's rule 12
    {IDS_RULE_14, "Rule 14"},                              // daylight-saving mode 15: the recorder's rule 13
    {IDS_RULE_15, "Rule 15"},                              // daylight-saving mode 16: the recorder's rule 14
    {IDS_RULE_16, "Rule 16"},                              // daylight-saving mode 17: the recorder's rule 15
    {IDS_RULE_17, "Rule 17"},                              // daylight-saving mode 18: the recorder's rule 16
    {IDS_RULE_18, "Rule 18"},                              // daylight-saving mode 19: the recorder's rule 17
    {IDS_RULE_19, "Rule 19"},                              // daylight-saving mode 20: the recorder's rule 18
    {IDS_RULE_20, "Rule 20"},                              // daylight-saving mode 21: the recorder's rule 19
    {IDS_RULE_21, "Rule 21"},                              // daylight-saving mode 22: the recorder's rule 20
    {IDS_RULE_22, "Rule 22"},                              // daylight-saving mode 23: the recorder's rule 21
    {IDS_RULE_23, "Rule 23"},                              // daylight-saving mode 24: the recorder's rule 22
    {IDS_RULE_24, "Rule 24"},                              // daylight-saving mode 25: the recorder's rule 23
    {IDS_RULE_25, "Rule 25"},                              // daylight-saving mode 26: the recorder's rule 24
    {IDS_RULE_26, "Rule 26"},                              // daylight-saving mode 27: the recorder's rule 25
    {IDS_RULE_27, "Rule 27"},                              // daylight-saving mode 28: the recorder's rule 26
    {IDS_RULE_28, "Rule 28"},                              // daylight-saving mode 29: the recorder's rule 27
    {IDS_JAN, "Jan"},                                      // month 1
    {IDS_FEB, "Feb"},                                      // month 2
    {IDS_MAR, "Mar"},                                      // month 3
    {IDS_APR, "Apr"},                                      // month 4
    {IDS_MAY, "May"},                                      // month 5
    {IDS_JUN, "Jun"},                                      // month 6
    {IDS_JUL, "Jul"},                                      // month 7
    {IDS_AUG, "Aug"},                                      // month 8
    {IDS_SEP, "Sep"},                                      // month 9
    {IDS_OCT, "Oct"},                                      // month 10
    {IDS_NOV, "Nov"},                                      // month 11
    {IDS_DEC, "Dec"},                                      // month 12
    {IDS_1ST, "1st"},                                      // week of the month 0
    {IDS_2ND, "2nd"},                                      // week of the month 1
    {IDS_3RD, "3rd"},                                      // week of the month 2
    {IDS_4TH, "4th"},                                      // week of the month 3
    {IDS_LAST, "Last"},                                    // week of the month 4
    {IDS_SUNDAY, "Sunday"},                                // weekday 0
    {IDS_MONDAY, "Monday"},                                // weekday 1
    {IDS_TUESDAY, "Tuesday"},                              // weekday 2
    {IDS_WEDNESDAY, "Wednesday"},                          // weekday 3
    {IDS_THURSDAY, "Thursday"},                            // weekday 4
    {IDS_FRIDAY, "Friday"},                                // weekday 5
    {IDS_SATURDAY, "Saturday"},                            // weekday 6
    {IDS_OFF, "Off"},                                      // off; none
    {IDS_SEC, "sec"},                             // seconds unit (also the "on" name of time-server synchronisation)
    {IDS_DAYS, "Days"},                           // days unit
    {IDS_ALWAYS, "Always"},                       // on-screen display time: always
    {IDS_ON, "On"},                               // on
    {IDS_HOUR, "Hour"},                           // hour
    {IDS_MIN, "Min"},                             // minutes
    {IDS_PROGRAM_START, "Program Start"},         // local log: program started
    {IDS_PROGRAM_END, "Program End"},             // local log: program ended
    {IDS_LOGIN_LOCAL_LOG, "Login"},               // local log and remote log: logged in
    {IDS_DISCONNECT_LOG, "Disconnect"},           // local log and remote log: disconnected
    {IDS_LOGIN_FAILED, "Login Failed"},           // local log and remote log: login failed
    {IDS_LOCAL_PLAY_START, "Local Play Start"},   // local log: local playback started
    {IDS_LOCAL_PLAY_END, "Local Play End"},       // local log: local playback ended
    {IDS_LOCAL_SETUP_SAVED, "Local Setup Saved"}, // local log: settings saved
    {IDS_SNAPSHOT, "Snapshot"},                   // local log: still image saved
    {IDS_CHOOSE_A_FOLDER, "Choose a folder"},     // folder browser caption
    {IDS_YYYY_MM_DD, "YYYY-MM-DD"},               // date format 0
    {IDS_MM_DD_YYYY, "MM-DD-YYYY"},               // date format 1
    {IDS_DD_MM_YYYY, "DD-MM-YYYY"},               // date format 2
    {IDS_DRAW_MODE, "Draw Mode"},                 // local setup caption: draw mode
    {IDS_DATE_FORMAT, "Date Format"},             // caption: date format
    {IDS_SAVE_FORMAT, "Save Format"},             // local setup caption: still image format
    {IDS_SAVE_LOCATION, "Save Location"},         // local setup caption: save location
    {IDS_CONNECT_PASSWORD, "Connect / Password"}, // opacity row: connect and password dialogs
    {IDS_PTZ_CONTROL_OPACITY, "PTZ Control"},     // opacity row: PTZ pads
    {IDS_RESERVED, "Reserved"},                   // opacity row: unused
    {IDS_NOTICE_BOX, "Notice Box"},               // opacity row: notice box
    {IDS_LIVE_AUDIO_BUFFER, "Live"},              // audio buffer row: live
    {IDS_REMOTE_PLAYBACK, "Remote Playback"},     // audio buffer row: remote playback
    {IDS_LOCAL_PLAYBACK, "Local Playback"},       // audio buffer row: local playback
    {IDS_PROGRAM_VERSION, "Program Version"},     // local information: program version
    {IDS_START, "Start"},                         // start; firmware Start button
    {IDS_END, "End"},                             // end
    {IDS_DATE, "Date"},                           // date; daylight-saving rule by date
    {IDS_TIME, "Time"},                           // time
    {IDS_YEAR, "Year"},                           // calendar caption: year
    {IDS_MONTH, "Month"},                         // calendar caption: month
    {IDS_SUN, "Sun"},                             // weekday column 0
    {IDS_MON, "Mon"},                             // weekday column 1
    {IDS_TUE, "Tue"},                             // weekday column 2
    {IDS_WED, "Wed"},                             // weekday column 3
    {IDS_THU, "Thu"},                             // weekday column 4
    {IDS_FRI, "Fri"},                             // weekday column 5
    {IDS_SAT, "Sat"},                             // weekday column 6
    {IDS_DISPLAY_TIME, "Display Time"},           // on-screen display caption: status display time
    {IDS_EVENT, "Event"},                         // event; menus, captions and log kinds
    {IDS_CAMERA_NAME, "Camera Name"},             // camera names
    {IDS_RESOLUTION, "Resolution"},               // record general caption: resolution
    {IDS_OVERWRITE, "Overwrite"},                 // record general caption: overwrite
    {IDS_EVENT_RECORD, "Event Record"},           // record general caption: event recording
    {IDS_RECORD_RATE, "Record Rate"},             // record general caption: record rate
    {IDS_PRE_EVENT, "Pre-Event"},                 // record general caption: recording before an event
    {IDS_POST_EVENT, "Post-Event"},               // record general caption: recording after an event
    {IDS_QUALITY, "Quality"},                     // record general caption: quality
    {IDS_SLOT_1, "Slot 1"},                       // record mode slot 0
    {IDS_SLOT_2, "Slot 2"},                       // record mode slot 1
    {IDS_SLOT_3, "Slot 3"},                       // record mode slot 2
    {IDS_SLOT_4, "Slot 4"},                       // record mode slot 3
    {IDS_SLOT_5, "Slot 5"},                       // record mode slot 4
    {IDS_LANGUAGE, "Language"},                   // system general caption: language
    {IDS_VIDEO_STANDARD, "Video Standard"},       // system general caption: video standard
    {IDS_RECORDER_ID, "Recorder ID"},             // system general caption: recorder ID
    {IDS_USER, "User"},                           // account and e-mail name prefix
    {IDS_ID, "ID"},                               // user id label; ID column
    {IDS_PASSWORD, "Password"},                   // password label
    {IDS_CONFIRM, "Confirm"},                     // password confirmation
    {IDS_ALARM_OUTPUT, "Alarm Output"},           // system menu: per-channel three-way choice
    {IDS_DST_MODE, "DST Mode"},                   // time page caption: daylight-saving mode
    {IDS_TYPE, "Type"},                           // caption: type (rule, time-server source, backup format)
    {IDS_OFFSET, "Offset"},                       // time page caption: daylight-saving offset
    {IDS_SERVER, "Server"},                       // time-server caption: server name
    {IDS_DEFAULT, "Default"},                     // Default button; time-server source 0
    {IDS_HOST_NAME, "Host Name"},                 // time-server source 1
    {IDS_IP_ADDRESS, "IP Address"},               // address label; time-server source 2
    {IDS_WEEK, "Week"},                           // daylight-saving rule by week
    {IDS_MAIL_SERVER, "Mail Server"},             // e-mail caption: mail server
    {IDS_SENDER, "Sender"},                       // e-mail caption: sender
    {IDS_DISK_FULL_EVENT, "Disk Full"},           // event row: disk full
    {IDS_APPLY_THE_DST_CHANGE_THIS_YEAR, "Apply the DST change this year?"}, // daylight-saving question
    {IDS_REMOTE_LOG_ALL, "Remote Log - All"},                                // remote log title: all
    {IDS_REMOTE_LOG_CLIENT, "Remote Log - Client"},                          // remote log title: client
    {IDS_REMOTE_LOG_EVENT, "Remote Log - Event"},                            // remote log title: events
    {IDS_REMOTE_LOG_OPERATION, "Remote Log - Operation"},                    // remote log title: operation
    {IDS_REMOTE_LOG_POWER, "Remote Log - Power"},                            // remote log title: power
    {IDS_REMOTE_LOG_RECORD, "Remote Log - Record"},                          // remote log title: recording
    {IDS_LOCAL_LOG, "Local Log"},                                            // local log print title
    {IDS_LOCAL_PLAY, "Local Play"},                                          // label of locally played pictures
    {IDS_PORT, "Port"},                                                      // port label
    {IDS_OK, "OK"},                                                          // OK button
    {IDS_CANCEL, "Cancel"},                                                  // Cancel button
    {IDS_MODIFY, "Modify"},                                                  // connect dialog: Modify button
    {IDS_DATE_TIME, "Date / Time"},                                          // search menu: date and time
    {IDS_CALENDAR, "Calendar"},                                              // search menu: calendar
    {IDS_SELECT_CHANNEL, "Select Channel"},                                  // search menu: select channels
    {IDS_PLAY_BUTTON, "Play"},                                               // Play button
    {IDS_CHOOSE_THE_START_DAY, "Choose the start day"},              // backup calendar title, choosing the start
    {IDS_CHOOSE_THE_END_DAY, "Choose the end day"},                  // backup calendar title, choosing the end
    {IDS_CALCULATE, "Calculate"},                                    // Calculate button
    {IDS_PREV, "Prev"},                                              // Prev button
    {IDS_NEXT, "Next"},                                              // Next button
    {IDS_BACKUP_BUTTON, "Backup"},                                   // Backup button; log entry; account right: backup
    {IDS_ALL, "All"},                                                // log menu: all
    {IDS_POWER, "Power"},                                            // log menu: power
    {IDS_OPERATION, "Operation"},                                    // log menu: operation
    {IDS_CLIENT, "Client"},                                          // log menu: client
    {IDS_PRINT, "Print"},                                            // Print button
    {IDS_SYSTEM_INFO, "System Info"},                                // information menu: system
    {IDS_STATUS_INFO, "Status Info"},                                // information menu: status
    {IDS_ALL_CHECK, "All Check"},                                    // All Check button
    {IDS_RETURN_ALL, "Return All"},                                  // Return All button
    {IDS_RESET, "Reset"},                                            // camera adjust: Reset button
    {IDS_IPS, "ips"},                                                // record rate unit (images per second)
    {IDS_CAMERA, "Camera"},                                          // display menu: camera adjust
    {IDS_COVERT, "Covert"},                                          // display menu: covert
    {IDS_SPOT_OUT, "Spot Out"},                                      // display menu: spot out
    {IDS_OSD, "OSD"},                                                // display menu: on-screen display
    {IDS_HUE, "Hue"},                                                // camera adjust column: hue
    {IDS_SATURATION, "Saturation"},                                  // camera adjust column: saturation
    {IDS_CONTRAST, "Contrast"},                                      // camera adjust column: contrast
    {IDS_BRIGHTNESS, "Brightness"},                                  // camera adjust column: brightness
    {IDS_MODE, "Mode"},                                              // spot column: mode
    {IDS_DURATION, "Duration"},                                      // duration
    {IDS_GENERAL, "General"},                                        // record menu: general; local setup tab: global
    {IDS_MODE_SLOTS, "Mode Slots"},                                  // record menu: record mode slots
    {IDS_RESOLUTION_COLUMN, "Resolution"},                           // record column: resolution
    {IDS_RATE, "Rate"},                                              // record column: rate
    {IDS_SENSITIVITY, "Sensitivity"},                                // record column: sensitivity
    {IDS_REGION, "Region"},                                          // record page button: region
    {IDS_SET, "Set"},                                                // Set button
    {IDS_ON_OFF, "On / Off"},                                        // record column: on and off
    {IDS_4CIF, "4CIF"},                                              // resolution 0
    {IDS_2CIF, "2CIF"},                                              // resolution 1
    {IDS_CIF, "CIF"},                                                // resolution 2
    {IDS_GENERAL_SYSTEM_MENU, "General"},                            // system menu: general
    {IDS_NAME, "Name"},                                              // account row: name
    {IDS_AUTO_DELETE, "Auto Delete"},                                // system menu: days to keep recordings
    {IDS_PTZ_MENU, "PTZ"},                                           // system menu: PTZ
    {IDS_KEYBOARD, "Keyboard"},                                      // system menu: PTZ keyboard
    {IDS_TIME_MENU, "Time"},                                         // system menu: time and daylight saving
    {IDS_TIME_SERVER, "Time Server"},                                // system menu: time server
    {IDS_OFF_CHOICE, "Off"},                                         // three-way choice: off
    {IDS_ON_CHOICE, "On"},                                           // three-way choice: on
    {IDS_PROTOCOL, "Protocol"},                                      // PTZ column: protocol
    {IDS_BAUD_RATE, "Baud Rate"},                                    // PTZ column: baud rate
    {IDS_NTP, "NTP"},                                                // time-server tab: NTP
    {IDS_CITY, "City"},                                              // time-server tab: city
    {IDS_PAN_MIN, "Pan Min"},                                        // PTZ range column: pan low
    {IDS_PAN_MAX, "Pan Max"},                                        // PTZ range column: pan high
    {IDS_TILT_MIN, "Tilt Min"},                                      // PTZ range column: tilt low
    {IDS_TILT_MAX, "Tilt Max"},                                      // PTZ range column: tilt high
    {IDS_E_MAIL, "E-mail"},                                          // event menu: e-mail
    {IDS_BUZZER, "Buzzer"},                                          // event menu: first yes and no page
    {IDS_ALARM_OUT, "Alarm Out"},                                    // event menu: second yes and no page
    {IDS_EVENT_POPUP, "Event Popup"},                                // event menu: third yes and no page
    {IDS_SEND_TEST_MAIL, "Send Test Mail"},                          // Send Test Mail button
    {IDS_YES, "Yes"},                                                // Yes button
    {IDS_NO, "No"},                                                  // No button
    {IDS_OPACITY, "Opacity"},                                        // local setup tab: opacity
    {IDS_AUDIO_BUFFER, "Audio Buffer"},                              // local setup tab: audio buffer
    {IDS_PRESET, "Preset"},                                          // PTZ keypad Preset; preset choice
    {IDS_LEARN, "Learn"},                                            // PTZ keypad: Learn
    {IDS_CALL, "Call"},                                              // PTZ keypad: Call
    {IDS_TOUR, "Tour"},                                              // preset choice: tour
    {IDS_GMT_LONDON_LISBON, "GMT London, Lisbon"},                   // time zone 1
    {IDS_GMT_PLUS_1_PARIS_BERLIN_ROME, "GMT+1 Paris, Berlin, Rome"}, // time zone 2
    {IDS_GMT_PLUS_2_ATHENS_CAIRO_HELSINKI, "GMT+2 Athens, Cairo, Helsinki"}, // time zone 3
    {IDS_GMT_PLUS_3_MOSCOW_RIYADH, "GMT+3 Moscow, Riyadh"},                  // time zone 4
    {IDS_GMT_PLUS_4_DUBAI_BAKU, "GMT+4 Dubai, Baku"},                        // time zone 5
    {IDS_GMT_PLUS_5_KARACHI_TASHKENT, "GMT+5 Karachi, Tashkent"},            // time zone 6
    {IDS_GMT_PLUS_6_DHAKA_ALMATY, "GMT+6 Dhaka, Almaty"},                    // time zone 7
    {IDS_GMT_PLUS_7_BANGKOK_JAKARTA, "GMT+7 Bangkok, Jakarta"},              // time zone 8
    {IDS_GMT_PLUS_8_BEIJING_SINGAPORE, "GMT+8 Beijing, Singapore"},          // time zone 9
    {IDS_GMT_PLUS_9_SEOUL_TOKYO, "GMT+9 Seoul, Tokyo"},                      // time zone 10
    {IDS_GMT_PLUS_10_SYDNEY_GUAM, "GMT+10 Sydney, Guam"},                    // time zone 11
    {IDS_GMT_PLUS_11_NOUMEA, "GMT+11 Noumea"},                               // time zone 12
    {IDS_GMT_PLUS_12_AUCKLAND_FIJI, "GMT+12 Auckland, Fiji"},                // time zone 13
    {IDS_GMT_MINUS_11_MIDWAY_SAMOA, "GMT-11 Midway, Samoa"},                 // time zone 14
    {IDS_GMT_MINUS_10_HAWAII, "GMT-10 Hawaii"},                              // time zone 15
    {IDS_GMT_MINUS_9_ALASKA, "GMT-9 Alaska"},                                // time zone 16
    {IDS_GMT_MINUS_8_LOS_ANGELES_VANCOUVER, "GMT-8 Los Angeles, Vancouver"}, // time zone 17
    {IDS_GMT_MINUS_7_DENVER_PHOENIX, "GMT-7 Denver, Phoenix"},               // time zone 18
    {IDS_GMT_MINUS_6_CHICAGO_MEXICO_CITY, "GMT-6 Chicago, Mexico City"},     // time zone 19
    {IDS_GMT_MINUS_5_NEW_YORK_BOGOTA, "GMT-5 New York, Bogota"},             // time zone 20
    {IDS_GMT_MINUS_4_SANTIAGO_CARACAS, "GMT-4 Santiago, Caracas"},           // time zone 21
    {IDS_GMT_MINUS_3_BUENOS_AIRES_BRASILIA, "GMT-3 Buenos Aires, Brasilia"}, // time zone 22
    {IDS_GMT_MINUS_2_MID_ATLANTIC, "GMT-2 Mid-Atlantic"},                    // time zone 23
    {IDS_GMT_PLUS_9_30_ADELAIDE_DARWIN, "GMT+9:30 Adelaide, Darwin"},        // time zone 24
    {IDS_PLEASE_WAIT, "Please wait..."},                                     // search frame: request outstanding
    {IDS_POSITION, "Position"},                                              // on-screen display caption: position
    {IDS_INITIALIZE_THE_RECORDER_SETUP, "Initialize the recorder setup?"},   // notice from the setup page, line 1
    {IDS_EVERY_SETTING_RETURNS_TO, "Every setting returns to"},              // notice from the setup page, line 2
    {IDS_ITS_FACTORY_VALUE, "its factory value."},                           // notice from the setup page, line 3
    {IDS_DISCONNECT, "Disconnect"},                                          // tooltip: disconnect (connected)
    {IDS_DOME, "Dome"},                                                      // PTZ keypad: dome menu
    {IDS_DEINTERLACE, "Deinterlace"},                                        // Deinterlace button
    {IDS_REGION_BUTTON, "Region"},                                           // record general: Region button
    {IDS_OPTIONS, "Options"},                                                // system menu: options
    {IDS_KEY_TONE, "Key Tone"},                                              // options caption 1
    {IDS_LEVEL, "Level"},                                                    // options caption 2
    {IDS_NEEDED, "Needed"},                                                  // size line: space needed
    {IDS_FREE, "Free"},                                                      // size line: space free
    {IDS_ADMIN, "Admin"},                                                    // account 0
    {IDS_MANAGER, "Manager"},                                                // account 1
    {IDS_ACCOUNT, "Account"},                                                // account caption
    {IDS_ACTIVATION, "Activation"},                                          // activation caption (accounts, auto save)
    {IDS_RIGHTS, "Rights"},                                                  // account rights caption
    {IDS_RECORD_RIGHT, "Record"},                                            // account right: recording on and off
    {IDS_COVERT_VIEW, "Covert View"},                                        // account right: see covert channels
    {IDS_NETWORK, "Network"},                 // account right: network access; detail group
    {IDS_SEARCH, "Search"},                   // account right: search
    {IDS_REBOOT, "Reboot"},                   // account right: reboot the recorder
    {IDS_PTZ_RIGHT, "PTZ"},                   // account right: PTZ
    {IDS_USER_MENU, "User"},                  // system menu: user accounts
    {IDS_PASSWORD_DETAIL, "Password"},        // detail setting: password
    {IDS_DESCRIPTION, "Description"},         // description label
    {IDS_STOP_RECORDING, "Stop Recording"},   // tooltip: record button while recording
    {IDS_START_RECORDING, "Start Recording"}, // tooltip: record button while not recording
    {IDS_DAYS_TO_KEEP_THE_RECORDINGS_OF, "Days to keep the recordings of this mode"}, // days column note, line 1
    {IDS_NONE_KEEPS_THEM_UNTIL_THE_DISK, "(None keeps them until the disk is full)"}, // days column note, line 2
    {IDS_PLAYBACK_OPERATION, "Playback"},                                             // operation log: playback
    {IDS_DISK_FORMAT, "Disk Format"},                                                 // operation log: disk formatted
    {IDS_DETAILS, "Details"},                                                         // Details button
    {IDS_DISPLAY, "Display"},                                                         // detail group: display
    {IDS_SYSTEM, "System"},                                                           // detail group: system
    {IDS_MONITOR, "Monitor"},                                                         // detail setting: monitor
    {IDS_DHCP, "DHCP"},                                                               // detail setting: DHCP
    {IDS_DDNS, "DDNS"},                                                               // detail setting: DDNS
    {IDS_ALARM_IN, "Alarm In"},                                                       // detail setting: alarm input
    {IDS_MEDIA, "Media"},                                                             // backup detail: medium
    {IDS_POPUP_TIME, "Popup Time"},              // on-screen display caption (extended)
    {IDS_AUTO_LOCK, "Auto Lock"},                // on-screen display caption (extended)
    {IDS_MENU_TIMEOUT, "Menu Timeout"},          // on-screen display caption (extended)
    {IDS_AUTO_SAVE, "Auto Save"},                // local setup tab: auto save
    {IDS_WIDTH, "Width"},                        // auto save caption: width
    {IDS_HEIGHT, "Height"},                      // auto save caption: height
    {IDS_INTERVAL, "Interval"},                  // auto save caption: interval
    {IDS_SEC_AUTO_SAVE, "sec"},                  // auto save: seconds unit
    {IDS_NOTHING_TO_PRINT, "Nothing to print."}, // print: the list is empty
    {IDS_THE_LIST_WAS_SAVED_AS_A,
     "The list was saved as a PDF file:"}, // print without a printer: folder and file follow
    {IDS_THE_LIST_COULD_NOT_BE_PRINTED,
     "The list could not be printed."}, // print: neither a printer nor the PDF file took it
    {IDS_NOT_ENOUGH_SPACE_ON_THIS_COMPUTER,
     "Not enough space on this computer:"},    // notice: a local file could not be written, disk full; folder follows
    {IDS_CANNOT_WRITE_TO, "Cannot write to:"}, // notice: a local file could not be written; folder follows
});

constexpr bool IdsAscending() {
    for (size_t i = 1; i < kTexts.size(); ++i) {
        if (kTexts[i - 1].id >= kTexts[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(IdsAscending(), "text rows must be in ascending id order, each id once");

} // namespace

std::span<const ResText> ResTexts() {
    return kTexts;
}

const char* FindResText(unsigned id) {
    const auto* it = std::lower_bound(kTexts.begin(), kTexts.end(), id,
                                      [](const ResText& row, unsigned key) { return row.id < key; });
    if (it == kTexts.end() || it->id != id) {
        return nullptr;
    }
    return it->text;
}
