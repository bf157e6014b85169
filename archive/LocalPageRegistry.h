#pragma once
// Makes the Search pages of the local search frame (date/time, event list, calendar; the calendar
// makes the day timeline itself) and its two pickers known to the frame. Called once before a local
// frame opens; repeating it does no harm.

void RegisterLocalSearchPages();
