#pragma once
// The record pages' place in the setup frame, and the channel buttons three of them share.

#include "platform/base/WinTypes.h"
#include "setup/SetupPageFactory.h"

#include <map>

class CSkinTextButton;

// Adds the makers of the record pages (162 to 171, 995 and 998) to a page factory's table.
void AddRecordPageMakers(std::map<UINT, SetupPageMaker>& makers);

// A channel button of the motion region, region and preset pages: bitmap 2084, "Arial Bold" 8
// points, the channel's name centred; channels 1-8 on the first row, 9-16 on the second.
void SetUpChannelButton(CSkinTextButton& button, int channel, bool shown);
