#pragma once
// The events of the downloaded backup sets for the local event list: every segment of every tagged
// index file, the files taken in the order of their earliest start.

#include "archive/EventTable.h"

#include <filesystem>

// The number of tagged index files taken at most.
constexpr std::size_t kLocalEventFileLimit = 1000;

// True when at least one alarm, motion or audio event was loaded.
bool LoadLocalEvents(const std::filesystem::path& downloadFolder, CEventTable& table);
