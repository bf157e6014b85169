#pragma once
// The 192-byte little-endian record in front of every backup frame (and, optionally, of playback
// frames) and of every entry of a backup set's .vih file. The download writer fills the two links;
// everything else is stored as the recorder sent it.

#include "platform/base/WinTypes.h"
#include "protocol/LeField.h"

#include <cstddef>
#include <string>

constexpr std::size_t kFrameRecordSize = 192;
constexpr char kFileTag[] = "kelo1040";

#pragma pack(push, 1)
struct FrameRecord {
    char tag[16];               // 0: "kelo1040", zero-filled
    BYTE reserved16[4];         // 16
    LeU32 has_name;             // 20: non-zero when camera_name is valid
    LeU32 frame_time;           // 24: seconds since 1970
    BYTE reserved28[4];         // 28
    LeU32 prev_record_offset;   // 32: .vih offset of the previous record (the first points to 64)
    BYTE reserved36[4];         // 36
    LeU32 segment_key;          // 40: a new value starts a new index segment
    LeU32 vid_offset;           // 44: .vid offset of this frame
    BYTE segment_attributes[4]; // 48: byte 50 = event type 1, 2 or 4
    BYTE reserved52[44];        // 52
    char camera_name[32];       // 96
    BYTE reserved128[64];       // 128
};
#pragma pack(pop)
static_assert(sizeof(FrameRecord) == kFrameRecordSize);
static_assert(offsetof(FrameRecord, has_name) == 20 && offsetof(FrameRecord, prev_record_offset) == 32);
static_assert(offsetof(FrameRecord, segment_key) == 40 && offsetof(FrameRecord, segment_attributes) == 48);
static_assert(offsetof(FrameRecord, camera_name) == 96);

// True when the tag reads exactly "kelo1040".
bool HasFrameRecordTag(const FrameRecord& record);
// The camera name when the record carries one, read no further than its slot; empty otherwise.
std::string FrameRecordCameraName(const FrameRecord& record);
