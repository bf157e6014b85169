#pragma once
// The layout of the client's own event log, <save location>/Log/KELO1000.log: an 8-byte header
// (wrapped flag, next slot) and then a ring of 2500 slots of one 184-byte record each, all integers
// little-endian. The writer (app/) and the readers (archive/) share it from here.

#include "protocol/LeField.h"

#include <cstddef>

struct LocalLogHeader {
    LeU32 wrapped; // 0 until the last slot has been written once, then 1
    LeU32 next;    // the slot the next record goes to
};
static_assert(sizeof(LocalLogHeader) == 8);

struct LocalLogRecord {
    LeU32 slot;
    LeU32 size;
    LeU32 index_main;
    LeU32 index_sub;
    LeU32 time; // local wall-clock time counted as seconds since 1970
    LeU32 reserved;
    char address[128];
    char user_id[32];
};
static_assert(sizeof(LocalLogRecord) == 184);

constexpr std::size_t kLocalLogSlots = 2500;
constexpr const char* kLocalLogFolderName = "Log";
constexpr const char* kLocalLogFileName = "KELO1000.log";
