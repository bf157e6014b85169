#include "res/TextTable.h"

#include <algorithm>
#include <array>

namespace {

// Wording of the program's texts. Notice lines stay short enough for the notice box.
constexpr auto kTexts = std::to_array<ResText>({
    {5000, "Connect"},           // tooltip: connect (not connected)
    {5001, "Remote Search"},     // tooltip: search the recorder; opacity row of the remote search frame
    {5002, "Remote Setup"},      // tooltip: recorder setup; opacity row of the setup frame
    {5003, "Local Search"},      // tooltip: search backups on this computer; opacity row of the local search
    {5004, "Local Setup"},       // tooltip: settings of this program; opacity row; local log entry of saved settings
    {5005, "Pan / Tilt"},        // tooltip: pan and tilt pad
    {5006, "Zoom / Focus"},      // tooltip: zoom and focus pad
    {5007, "Firmware Upgrade"},  // tooltip: firmware upgrade; opacity row of the firmware dialog
    {5008, "Quit"},              // tooltip: quit the program
    {5009, "Channel"},           // channel prefix shown with a number ("Channel 1")
    {5010, "1"},                 // tooltip: one-tile split
    {5011, "4"},                 // tooltip: four-tile split
    {5012, "Full Screen"},       // tooltip: full screen
    {5013, "Live"},              // tooltip: live view; label of live pictures
    {5014, "On-Screen Display"}, // tooltip: on-screen text on and off
    {5015, "Reset Tile Order"},  // tooltip: put the tiles back in channel order
    {5016, "Save"},              // tooltip: save still images; connection history Save
    {5017, "Open Image"},        // tooltip: open a saved image
    {5018, "Mute"},              // tooltip: sound on and off
    {5019, "Volume"},            // tooltip: volume slider
    {5020, "Audio Channel"},     // tooltip: choose the audio channel
    {5021, "Talk"},              // tooltip: talk to the recorder
    {5022, "Play"},              // tooltip: play
    {5023, "Play Backward"},     // tooltip: play backward
    {5024, "Fast Forward"},      // tooltip: fast forward
    {5025, "Pause"},             // tooltip: pause
    {5026, "Record"},            // log menu: recording entries; detail page: record settings group
    {5027, "Stop"},              // tooltip: stop; firmware Stop button
    {5028, "Step"},              // tooltip: step one picture
    {5029, "Minimize"},          // tooltip: minimise the main window
    {5030, "Audio"},             // tooltip: listen to audio; audio column and filter
    {5050, "Setup data check failed."},          // notice: setup data failed its check
    {5051, "Reason: invalid setup data."},       // notice: setup update refused, reason 81
    {5052, "Not enough space on the recorder."}, // notice: refused for lack of space on the recorder
    {5053, "Connection failed."},                // notice: connecting failed
    {5054, "Refused: the recorder is busy."},    // notice: request refused, reason 86
    {5055, "Refused: function in use."},         // notice: request refused, reason 53
    {5056, "Reason: the recorder is busy."},     // notice: setup update refused, reason 51
    {5057, "Reason: the recorder shut down."},   // notice: the recorder ended the connection, reason 34
    {5058, "Reason: image write failed."},       // notice: firmware upgrade result 4
    {5059, "Reason: image check failed."},       // notice: firmware upgrade result 3
    {5060, "Reason: another user logged in."},   // notice: the recorder ended the connection, reason 35
    {5061, "Not enough space for the backup."},  // notice: not enough disk space for a backup
    {5062, "Reason: too many connections."},     // notice: the recorder ended the connection, reason 36
    {5063, "Firmware upgrade failed."},          // notice: firmware upgrade result, first line
    {5064, "Firmware upgrade finished."},        // notice: firmware upgrade finished
    {5065, "Refused: playback is running."},     // notice: live view or recording refused, reason 66
    {5066, "Reason: the setup was changed."},    // notice: the recorder ended the connection, reason 3
    {5067, "New firmware found. Upgrade now?"},  // notice: firmware images found
    {5068, "No firmware image found."},          // notice: no firmware image found
    {5069, "No data found."},                    // notice: a request found no data
    {5070, "Refused: not allowed now."},         // notice: refused, reason 65
    {5071, "Reason: firmware update running."},  // notice: the recorder ended the connection, reason 33
    {5072, "Reason: wrong firmware image."},     // notice: firmware upgrade result 2
    {5073, "Reason: no answer in time."},        // notice: the recorder ended the connection, reason -2
    {5074, "Refused: setup is being changed."},  // notice: refused, reason 97
    {5075, "The recorder refused the setup."},   // notice: setup update refused, first line
    {5076, "Setup saved."},                      // notice: setup saved
    {5077, "Restart the recorder now?"},         // notice: firmware upgrade finished, second line
    {5078, "Try again?"},                        // notice: question to search again or send the setup again
    {5079, "Connection closed."},                // notice: connection closed
    {5080, "Network socket unavailable."},       // notice: the socket could not be created
    {5081, "Refused: wrong request."},           // notice: refused, reason 2
    {5082, "Reason: closed by the recorder."},   // notice: the recorder ended the connection, reason 2
    {5083, "Request refused."},                  // notice: refused, reason 1; firmware row status
    {5084, "Reason unknown."},                   // notice: reason without a text of its own
    {5085, "Talk is in use by another user."},   // notice: talk refused, reason 54
    {5086, "Talk is not available."},            // notice: talk refused, reason 55
    {5087, "Connection timed out."},             // notice: connecting timed out
    {5088, "Reason: recorder storage error."},   // notice: firmware upgrade result 6
    {5089, "Reason: transfer failed."},          // notice: firmware upgrade result 1
    {5090, "Initialize"},                        // Initialize button; notice line; operation log entry
    {5091, "Reset every setting to default?"},   // notice: initialise the recorder's setup, second line
    {5092, "Refused: recorder disk error."},     // notice: refused, reason 98
    {5093, "No permission for this function."},  // notice: not allowed for this account
    {5110, "Power On"},                          // remote log: power on
    {5111, "Power Off"},                         // remote log: power off
    {5112, "Power Failure"},                     // remote log: power failure
    {5113, "Recording Started"},                 // remote log: recording started
    {5114, "Recording Stopped"},                 // remote log: recording stopped
    {5115, "Disk Full"},                         // remote log: disk full
    {5116, "Overwrite Started"},                 // remote log: overwriting old recordings
    {5117, "Disk Error"},                        // remote log: disk error
    {5118, "Menu Entered"},                      // remote log: operation on the recorder's menu
    {5119, "Time Changed"},                      // remote log: clock changed
    {5120, "Firmware Update"},                   // remote log: firmware updated
    {5121, "Setup"},                             // remote log: setup changed; account right: remote setup
    {5122, "Login"},                             // remote log: client logged in
    {5123, "Logout"},                            // remote log: client logged out
    {5124, "Live View"},                         // remote log: client live view
    {5125, "Playback"},                          // remote log: client playback; label of remotely played pictures
    {5126, "Backup"},                            // remote log: client backup
    {5127, "Setup Change"},                      // remote log: client changed the setup
    {5128, "Firmware"},                          // remote log: client firmware upgrade
    {5129, "PTZ Control"},                       // remote log: client steered a camera
    {5130, "Alarm"},                             // record mode and event type: alarm
    {5131, "Motion"},                            // record mode and event type: motion
    {5132, "Audio"},                             // record mode and event type: audio
    {5133, "Video Loss"},                        // event type: video loss
    {5134, "Disk Alarm"},                        // event type: disk alarm
    {5135, "Total Space"},                       // status row: disk capacity
    {5136, "Used Space"},                        // status row: disk space used
    {5137, "Free Space"},                        // status row: disk space free
    {5138, "Idle"},                              // channel status 0
    {5139, "Recording"},                         // channel status 1
    {5140, "Alarm Recording"},                   // channel status 2
    {5141, "Motion Recording"},                  // channel status 4
    {5142, "Schedule Recording"},                // channel status 3
    {5143, "Video Loss"},                        // channel status 5
    {5144, "None"},                              // no record mode; channel without status
    {5145, "MAC Address"},                       // system information: MAC address
    {5146, "Boot Loader"},                       // system information: firmware slot 0
    {5147, "Kernel"},                            // system information: firmware slot 3
    {5148, "Application"},                       // system information: firmware slot 4
    {5150, "File System"},                       // system information: firmware slot 5
    {5151, "Web Pages"},                         // system information: firmware slot 6
    {5152, "CH"},                                // channel prefix before two digits ("CH01")
    {5180, "Loader"},                            // firmware row: slot 0
    {5181, "Kernel"},                            // firmware row: slot 3
    {5182, "Program"},                           // firmware row: slot 4
    {5183, "Firmware"},                          // firmware rows: any part
    {5184, "Files"},                             // firmware row: slot 5
    {5185, "Web"},                               // firmware row: slot 6
    {5186, "Sending the image..."},              // firmware status while sending
    {5187, "Recorder is updating..."},           // firmware status once the recorder has the image
    {5188, "Close"},                             // firmware Close button
    {5189, "Upgrade"},                           // firmware upgrade
    {5190, "Stopped"},                           // firmware row status: stopped
    {5191, "Wrong image"},                       // firmware row status: refused, reason 17
    {5192, "Recorder busy"},                     // firmware row status: refused, reason 18
    {5193, "Failed"},                            // firmware row status: failed
    {5194, "Done"},                              // firmware row status: done
    {5200, "Disabled"},                          // e-mail option 0
    {5201, "Events"},                            // e-mail option 1
    {5202, "Events and Log"},                    // e-mail option 2
    {5204, "High"},                              // level 3 (sensitivity, options)
    {5205, "Middle"},                            // level 2
    {5206, "Low"},                               // level 1
    {5208, "Continuous"},                        // record mode 0
    {5209, "Schedule"},                          // record mode 3
    {5210, "Holiday"},                           // record mode 5
    {5211, "English"},                           // recorder language 0
    {5212, "French"},                            // recorder language 1
    {5213, "German"},                            // recorder language 2
    {5214, "Italian"},                           // recorder language 3
    {5215, "Dutch"},                             // recorder language 4
    {5216, "Russian"},                           // recorder language 5
    {5217, "Polish"},                            // recorder language 6
    {5218, "Spanish"},                           // recorder language 7
    {5219, "Hungarian"},                         // recorder language 8
    {5220, "Slovak"},                            // recorder language 9
    {5221, "Portuguese"},                        // recorder language 10
    {5222, "Korean"},                            // recorder language 11
    {5223, "Japanese"},                          // recorder language 12
    {5224, "Simplified Chinese"},                // recorder language 13
    {5225, "Traditional Chinese"},               // recorder language 14
    {5226, "Turkish"},                           // recorder language 15
    {5227, "Danish"},                            // recorder language 16
    {5240, "Add"},                               // account name action: add; Add button
    {5241, "Edit"},                              // account name action: edit; connection history Edit
    {5242, "Delete"},                            // account name action: delete; connection history Delete
    {5243, "None"},                              // none (zone, days, three-way choice)
    {5250, "User Defined"},                      // daylight-saving mode 1: the user's rule
    {5251, "Rule 1"},                            // daylight-saving mode 2: the recorder's rule 0
    {5252, "Rule 2"},                            // daylight-saving mode 3: the recorder's rule 1
    {5253, "Rule 3"},                            // daylight-saving mode 4: the recorder's rule 2
    {5254, "Rule 4"},                            // daylight-saving mode 5: the recorder's rule 3
    {5255, "Rule 5"},                            // daylight-saving mode 6: the recorder's rule 4
    {5256, "Rule 6"},                            // daylight-saving mode 7: the recorder's rule 5
    {5257, "Rule 7"},                            // daylight-saving mode 8: the recorder's rule 6
    {5258, "Rule 8"},                            // daylight-saving mode 9: the recorder's rule 7
    {5259, "Rule 9"},                            // daylight-saving mode 10: the recorder's rule 8
    {5260, "Rule 10"},                           // daylight-saving mode 11: the recorder's rule 9
    {5261, "Rule 11"},                           // daylight-saving mode 12: the recorder's rule 10
    {5262, "Rule 12"},                           // daylight-saving mode 13: the recorder's rule 11
    {5263, "Rule 13"},                           // daylight-saving mode 14: the recorder's rule 12
    {5264, "Rule 14"},                           // daylight-saving mode 15: the recorder's rule 13
    {5265, "Rule 15"},                           // daylight-saving mode 16: the recorder's rule 14
    {5266, "Rule 16"},                           // daylight-saving mode 17: the recorder's rule 15
    {5267, "Rule 17"},                           // daylight-saving mode 18: the recorder's rule 16
    {5268, "Rule 18"},                           // daylight-saving mode 19: the recorder's rule 17
    {5269, "Rule 19"},                           // daylight-saving mode 20: the recorder's rule 18
    {5270, "Rule 20"},                           // daylight-saving mode 21: the recorder's rule 19
    {5271, "Rule 21"},                           // daylight-saving mode 22: the recorder's rule 20
    {5272, "Rule 22"},                           // daylight-saving mode 23: the recorder's rule 21
    {5273, "Rule 23"},                           // daylight-saving mode 24: the recorder's rule 22
    {5274, "Rule 24"},                           // daylight-saving mode 25: the recorder's rule 23
    {5275, "Rule 25"},                           // daylight-saving mode 26: the recorder's rule 24
    {5276, "Rule 26"},                           // daylight-saving mode 27: the recorder's rule 25
    {5277, "Rule 27"},                           // daylight-saving mode 28: the recorder's rule 26
    {5278, "Rule 28"},                           // daylight-saving mode 29: the recorder's rule 27
    {5290, "Jan"},                               // month 1
    {5291, "Feb"},                               // month 2
    {5292, "Mar"},                               // month 3
    {5293, "Apr"},                               // month 4
    {5294, "May"},                               // month 5
    {5295, "Jun"},                               // month 6
    {5296, "Jul"},                               // month 7
    {5297, "Aug"},                               // month 8
    {5298, "Sep"},                               // month 9
    {5299, "Oct"},                               // month 10
    {5300, "Nov"},                               // month 11
    {5301, "Dec"},                               // month 12
    {5305, "1st"},                               // week of the month 0
    {5306, "2nd"},                               // week of the month 1
    {5307, "3rd"},                               // week of the month 2
    {5308, "4th"},                               // week of the month 3
    {5309, "Last"},                              // week of the month 4
    {5313, "Sunday"},                            // weekday 0
    {5314, "Monday"},                            // weekday 1
    {5315, "Tuesday"},                           // weekday 2
    {5316, "Wednesday"},                         // weekday 3
    {5317, "Thursday"},                          // weekday 4
    {5318, "Friday"},                            // weekday 5
    {5319, "Saturday"},                          // weekday 6
    {5340, "Off"},                               // off; none
    {5341, "sec"},                               // seconds unit (also the "on" name of time-server synchronisation)
    {5342, "Days"},                              // days unit
    {5343, "Always"},                            // on-screen display time: always
    {5344, "On"},                                // on
    {5350, "Hour"},                              // hour
    {5351, "Min"},                               // minutes
    {5360, "Program Start"},                     // local log: program started
    {5361, "Program End"},                       // local log: program ended
    {5362, "Login"},                             // local log and remote log: logged in
    {5363, "Disconnect"},                        // local log and remote log: disconnected
    {5364, "Login Failed"},                      // local log and remote log: login failed
    {5365, "Local Play Start"},                  // local log: local playback started
    {5366, "Local Play End"},                    // local log: local playback ended
    {5367, "Local Setup Saved"},                 // local log: settings saved
    {5368, "Snapshot"},                          // local log: still image saved
    {5380, "Choose a folder"},                   // folder browser caption
    {5381, "YYYY-MM-DD"},                        // date format 0
    {5382, "MM-DD-YYYY"},                        // date format 1
    {5383, "DD-MM-YYYY"},                        // date format 2
    {5384, "Draw Mode"},                         // local setup caption: draw mode
    {5385, "Date Format"},                       // caption: date format
    {5386, "Save Format"},                       // local setup caption: still image format
    {5387, "Save Location"},                     // local setup caption: save location
    {5388, "Connect / Password"},                // opacity row: connect and password dialogs
    {5389, "PTZ Control"},                       // opacity row: PTZ pads
    {5390, "Reserved"},                          // opacity row: unused
    {5391, "Notice Box"},                        // opacity row: notice box
    {5392, "Live"},                              // audio buffer row: live
    {5393, "Remote Playback"},                   // audio buffer row: remote playback
    {5394, "Local Playback"},                    // audio buffer row: local playback
    {5410, "Program Version"},                   // local information: program version
    {5420, "Start"},                             // start; firmware Start button
    {5421, "End"},                               // end
    {5422, "Date"},                              // date; daylight-saving rule by date
    {5423, "Time"},                              // time
    {5424, "Year"},                              // calendar caption: year
    {5425, "Month"},                             // calendar caption: month
    {5426, "Sun"},                               // weekday column 0
    {5427, "Mon"},                               // weekday column 1
    {5428, "Tue"},                               // weekday column 2
    {5429, "Wed"},                               // weekday column 3
    {5430, "Thu"},                               // weekday column 4
    {5431, "Fri"},                               // weekday column 5
    {5432, "Sat"},                               // weekday column 6
    {5450, "Display Time"},                      // on-screen display caption: status display time
    {5451, "Event"},                             // event; menus, captions and log kinds
    {5452, "Camera Name"},                       // camera names
    {5460, "Resolution"},                        // record general caption: resolution
    {5461, "Overwrite"},                         // record general caption: overwrite
    {5462, "Event Record"},                      // record general caption: event recording
    {5463, "Record Rate"},                       // record general caption: record rate
    {5464, "Pre-Event"},                         // record general caption: recording before an event
    {5465, "Post-Event"},                        // record general caption: recording after an event
    {5466, "Quality"},                           // record general caption: quality
    {5467, "Slot 1"},                            // record mode slot 0
    {5468, "Slot 2"},                            // record mode slot 1
    {5469, "Slot 3"},                            // record mode slot 2
    {5470, "Slot 4"},                            // record mode slot 3
    {5471, "Slot 5"},                            // record mode slot 4
    {5480, "Language"},                          // system general caption: language
    {5481, "Video Standard"},                    // system general caption: video standard
    {5482, "Recorder ID"},                       // system general caption: recorder ID
    {5485, "User"},                              // account and e-mail name prefix
    {5486, "ID"},                                // user id label; ID column
    {5487, "Password"},                          // password label
    {5488, "Confirm"},                           // password confirmation
    {5489, "Alarm Output"},                      // system menu: per-channel three-way choice
    {5491, "DST Mode"},                          // time page caption: daylight-saving mode
    {5492, "Type"},                              // caption: type (rule, time-server source, backup format)
    {5493, "Offset"},                            // time page caption: daylight-saving offset
    {5494, "Server"},                            // time-server caption: server name
    {5495, "Default"},                           // Default button; time-server source 0
    {5496, "Host Name"},                         // time-server source 1
    {5497, "IP Address"},                        // address label; time-server source 2
    {5498, "Week"},                              // daylight-saving rule by week
    {5500, "Mail Server"},                       // e-mail caption: mail server
    {5501, "Sender"},                            // e-mail caption: sender
    {5502, "Disk Full"},                         // event row: disk full
    {5503, "Apply the DST change this year?"},   // daylight-saving question
    {5520, "Remote Log - All"},                  // remote log title: all
    {5521, "Remote Log - Client"},               // remote log title: client
    {5522, "Remote Log - Event"},                // remote log title: events
    {5523, "Remote Log - Operation"},            // remote log title: operation
    {5524, "Remote Log - Power"},                // remote log title: power
    {5525, "Remote Log - Record"},               // remote log title: recording
    {5526, "Local Log"},                         // local log print title
    {5527, "Local Play"},                        // label of locally played pictures
    {5540, "Port"},                              // port label
    {5541, "OK"},                                // OK button
    {5542, "Cancel"},                            // Cancel button
    {5543, "Modify"},                            // connect dialog: Modify button
    {5560, "Date / Time"},                       // search menu: date and time
    {5561, "Calendar"},                          // search menu: calendar
    {5562, "Select Channel"},                    // search menu: select channels
    {5563, "Play"},                              // Play button
    {5580, "Choose the start day"},              // backup calendar title, choosing the start
    {5581, "Choose the end day"},                // backup calendar title, choosing the end
    {5582, "Calculate"},                         // Calculate button
    {5583, "Prev"},                              // Prev button
    {5584, "Next"},                              // Next button
    {5585, "Backup"},                            // Backup button; log entry; account right: backup
    {5600, "All"},                               // log menu: all
    {5601, "Power"},                             // log menu: power
    {5602, "Operation"},                         // log menu: operation
    {5603, "Client"},                            // log menu: client
    {5604, "Print"},                             // Print button
    {5620, "System Info"},                       // information menu: system
    {5621, "Status Info"},                       // information menu: status
    {5640, "All Check"},                         // All Check button
    {5641, "Return All"},                        // Return All button
    {5642, "Reset"},                             // camera adjust: Reset button
    {5643, "ips"},                               // record rate unit (images per second)
    {5660, "Camera"},                            // display menu: camera adjust
    {5661, "Covert"},                            // display menu: covert
    {5662, "Spot Out"},                          // display menu: spot out
    {5663, "OSD"},                               // display menu: on-screen display
    {5664, "Hue"},                               // camera adjust column: hue
    {5665, "Saturation"},                        // camera adjust column: saturation
    {5666, "Contrast"},                          // camera adjust column: contrast
    {5667, "Brightness"},                        // camera adjust column: brightness
    {5668, "Mode"},                              // spot column: mode
    {5669, "Duration"},                          // duration
    {5680, "General"},                           // record menu: general; local setup tab: global
    {5681, "Mode Slots"},                        // record menu: record mode slots
    {5682, "Resolution"},                        // record column: resolution
    {5683, "Rate"},                              // record column: rate
    {5684, "Sensitivity"},                       // record column: sensitivity
    {5685, "Region"},                            // record page button: region
    {5686, "Set"},                               // Set button
    {5687, "On / Off"},                          // record column: on and off
    {5688, "4CIF"},                              // resolution 0
    {5689, "2CIF"},                              // resolution 1
    {5690, "CIF"},                               // resolution 2
    {5700, "General"},                           // system menu: general
    {5701, "Name"},                              // account row: name
    {5702, "Auto Delete"},                       // system menu: days to keep recordings
    {5703, "PTZ"},                               // system menu: PTZ
    {5704, "Keyboard"},                          // system menu: PTZ keyboard
    {5705, "Time"},                              // system menu: time and daylight saving
    {5708, "Time Server"},                       // system menu: time server
    {5709, "Off"},                               // three-way choice: off
    {5710, "On"},                                // three-way choice: on
    {5711, "Protocol"},                          // PTZ column: protocol
    {5712, "Baud Rate"},                         // PTZ column: baud rate
    {5713, "NTP"},                               // time-server tab: NTP
    {5714, "City"},                              // time-server tab: city
    {5720, "Pan Min"},                           // PTZ range column: pan low
    {5721, "Pan Max"},                           // PTZ range column: pan high
    {5722, "Tilt Min"},                          // PTZ range column: tilt low
    {5723, "Tilt Max"},                          // PTZ range column: tilt high
    {5730, "E-mail"},                            // event menu: e-mail
    {5731, "Buzzer"},                            // event menu: first yes and no page
    {5732, "Alarm Out"},                         // event menu: second yes and no page
    {5733, "Event Popup"},                       // event menu: third yes and no page
    {5734, "Send Test Mail"},                    // Send Test Mail button
    {5735, "Yes"},                               // Yes button
    {5736, "No"},                                // No button
    {5750, "Opacity"},                           // local setup tab: opacity
    {5751, "Audio Buffer"},                      // local setup tab: audio buffer
    {5760, "Preset"},                            // PTZ keypad Preset; preset choice
    {5761, "Learn"},                             // PTZ keypad: Learn
    {5762, "Call"},                              // PTZ keypad: Call
    {5767, "Tour"},                              // preset choice: tour
    {5780, "GMT London, Lisbon"},                // time zone 1
    {5781, "GMT+1 Paris, Berlin, Rome"},         // time zone 2
    {5782, "GMT+2 Athens, Cairo, Helsinki"},     // time zone 3
    {5783, "GMT+3 Moscow, Riyadh"},              // time zone 4
    {5784, "GMT+4 Dubai, Baku"},                 // time zone 5
    {5785, "GMT+5 Karachi, Tashkent"},           // time zone 6
    {5786, "GMT+6 Dhaka, Almaty"},               // time zone 7
    {5787, "GMT+7 Bangkok, Jakarta"},            // time zone 8
    {5788, "GMT+8 Beijing, Singapore"},          // time zone 9
    {5789, "GMT+9 Seoul, Tokyo"},                // time zone 10
    {5790, "GMT+10 Sydney, Guam"},               // time zone 11
    {5791, "GMT+11 Noumea"},                     // time zone 12
    {5792, "GMT+12 Auckland, Fiji"},             // time zone 13
    {5793, "GMT-11 Midway, Samoa"},              // time zone 14
    {5794, "GMT-10 Hawaii"},                     // time zone 15
    {5795, "GMT-9 Alaska"},                      // time zone 16
    {5796, "GMT-8 Los Angeles, Vancouver"},      // time zone 17
    {5797, "GMT-7 Denver, Phoenix"},             // time zone 18
    {5798, "GMT-6 Chicago, Mexico City"},        // time zone 19
    {5799, "GMT-5 New York, Bogota"},            // time zone 20
    {5800, "GMT-4 Santiago, Caracas"},           // time zone 21
    {5801, "GMT-3 Buenos Aires, Brasilia"},      // time zone 22
    {5802, "GMT-2 Mid-Atlantic"},                // time zone 23
    {5803, "GMT+9:30 Adelaide, Darwin"},         // time zone 24
    {5810, "Please wait..."},                    // search frame: request outstanding
    {5811, "Position"},                          // on-screen display caption: position
    {5821, "Initialize the recorder setup?"},    // notice from the setup page, line 1
    {5822, "Every setting returns to"},          // notice from the setup page, line 2
    {5823, "its factory value."},                // notice from the setup page, line 3
    {5830, "Disconnect"},                        // tooltip: disconnect (connected)
    {5831, "Dome"},                              // PTZ keypad: dome menu
    {5832, "Deinterlace"},                       // Deinterlace button
    {5833, "Region"},                            // record general: Region button
    {5834, "Options"},                           // system menu: options
    {5835, "Key Tone"},                          // options caption 1
    {5836, "Level"},                             // options caption 2
    {5840, "Needed"},                            // size line: space needed
    {5841, "Free"},                              // size line: space free
    {5850, "Admin"},                             // account 0
    {5851, "Manager"},                           // account 1
    {5852, "Account"},                           // account caption
    {5853, "Activation"},                        // activation caption (accounts, auto save)
    {5854, "Rights"},                            // account rights caption
    {5855, "Record"},                            // account right: recording on and off
    {5856, "Covert View"},                       // account right: see covert channels
    {5857, "Network"},                           // account right: network access; detail group
    {5858, "Search"},                            // account right: search
    {5859, "Reboot"},                            // account right: reboot the recorder
    {5860, "PTZ"},                               // account right: PTZ
    {5861, "User"},                              // system menu: user accounts
    {5880, "Password"},                          // detail setting: password
    {5881, "Description"},                       // description label
    {5882, "Stop Recording"},                    // tooltip: record button while recording
    {5883, "Start Recording"},                   // tooltip: record button while not recording
    {5884, "Days to keep the recordings of this mode"}, // days column note, line 1
    {5885, "(None keeps them until the disk is full)"}, // days column note, line 2
    {5890, "Playback"},                                 // operation log: playback
    {5891, "Disk Format"},                              // operation log: disk formatted
    {5892, "Details"},                                  // Details button
    {5893, "Display"},                                  // detail group: display
    {5894, "System"},                                   // detail group: system
    {5895, "Monitor"},                                  // detail setting: monitor
    {5896, "DHCP"},                                     // detail setting: DHCP
    {5897, "DDNS"},                                     // detail setting: DDNS
    {5898, "Alarm In"},                                 // detail setting: alarm input
    {5899, "Media"},                                    // backup detail: medium
    {5901, "Popup Time"},                               // on-screen display caption (extended)
    {5902, "Auto Lock"},                                // on-screen display caption (extended)
    {5903, "Menu Timeout"},                             // on-screen display caption (extended)
    {5910, "Auto Save"},                                // local setup tab: auto save
    {5911, "Width"},                                    // auto save caption: width
    {5912, "Height"},                                   // auto save caption: height
    {5913, "Interval"},                                 // auto save caption: interval
    {5914, "sec"},                                      // auto save: seconds unit
    {5920, "Nothing to print."},                        // print: the list is empty
    {5921, "The list was saved as a PDF file:"},        // print without a printer: folder and file follow
    {5922, "The list could not be printed."},           // print: neither a printer nor the PDF file took it
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
