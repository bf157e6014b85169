#include "protocol/FrameHeader.h"
#include "protocol/FrameDescriptor.h"
#include "protocol/FrameItem.h"
#include "protocol/FrameRecord.h"
#include "tests/protocol/FrameBytes.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace framebytes;

namespace {

FrameInfo Parse(const std::vector<BYTE>& frame) {
    FrameHeader header;
    std::memcpy(&header, frame.data(), sizeof(header));
    FrameInfo info;
    ParseFrameHeader(header, info);
    return info;
}

} // namespace

TEST(FrameHeader, PictureSizeFollowsResolutionCodeAndStandard) {
    struct Case {
        int code;
        bool pal;
        int width;
        int height;
    };
    const Case cases[] = {
        {1, true, 704, 576}, {2, false, 704, 480}, {3, true, 704, 576}, {4, false, 704, 480}, {8, true, 704, 576},
        {5, true, 704, 288}, {9, false, 704, 240}, {0, true, 352, 288}, {6, false, 352, 240}, {15, true, 352, 288},
    };
    for (const Case& c : cases) {
        FrameShape shape;
        shape.resolutionCode = c.code;
        shape.pal = c.pal;
        const FrameInfo info = Parse(MakeFrame(shape));
        EXPECT_EQ(info.width, c.width) << "code " << c.code;
        EXPECT_EQ(info.height, c.height) << "code " << c.code;
        EXPECT_EQ(info.pal, c.pal ? 1 : 0);
    }
}

TEST(FrameHeader, DecodesEveryFieldAtItsBits) {
    FrameShape shape;
    shape.channel = 13;
    shape.audioChannel = 5;
    shape.audioPresent = true;
    shape.time = 0x4A3B2C1D;
    shape.milliseconds = 999;
    shape.keyMark = 1;
    shape.videoSize = 0xABCDE; // all 20 bits in use
    shape.audioValue = 0xFED;  // all 12 bits in use
    std::vector<BYTE> frame = MakeFrame(shape);
    frame[18] |= 0x70; // frame type 3, flag bit 4
    frame[19] = 0x42;
    frame[28] |= 0x7C; // value bits 2-6 = 31
    frame[29] = 0x02;
    frame[30] = 0x02; // bit 1 set: the FrameInfo flag stays clear

    const FrameInfo info = Parse(frame);
    EXPECT_EQ(info.channel, 13);
    EXPECT_EQ(info.audio_channel, 5);
    EXPECT_EQ(info.frame_time, 0x4A3B2C1Du);
    EXPECT_EQ(info.milliseconds, 999u);
    EXPECT_EQ(info.key_mark, 1);
    EXPECT_EQ(info.video_size, 0xABCDEu);
    EXPECT_EQ(info.audio_value, 0xFEDu);
    EXPECT_EQ(info.frame_length, 40u + 0xABCDE + 0xFED);
    EXPECT_EQ(info.frame_type, 3);
    EXPECT_EQ(info.flag18, 1);
    EXPECT_EQ(info.byte19, 0x42u);
    EXPECT_EQ(info.byte28_value, 31u);
    EXPECT_EQ(info.byte29_bit0, 0);
    EXPECT_EQ(info.byte29_bit1, 1);
    EXPECT_EQ(info.flag30, 0);

    frame[30] = 0;
    EXPECT_EQ(Parse(frame).flag30, 1);
}

TEST(FrameHeader, NoAudioBytesMeanNoAudioChannel) {
    FrameShape shape;
    shape.audioChannel = 3;
    shape.audioValue = 2048;
    shape.audioPresent = false;
    EXPECT_EQ(Parse(MakeFrame(shape)).audio_channel, kNoAudioChannel);
    std::vector<BYTE> frame = MakeFrame(shape);
    frame[25] = 1; // either byte marks audio
    EXPECT_EQ(Parse(frame).audio_channel, 3);
}

TEST(FrameHeader, DescriptorCarriesWhatConsumersRead) {
    FrameShape shape;
    shape.channel = 7;
    shape.audioChannel = 2;
    shape.audioPresent = true;
    shape.time = 123456;
    shape.milliseconds = 250;
    shape.keyMark = 2;
    shape.videoSize = 5000;
    shape.audioValue = 2048;
    shape.resolutionCode = 0;
    shape.pal = false;
    FrameDescriptor d;
    d.generation = 99;
    FillFrameDescriptor(Parse(MakeFrame(shape)), d);
    EXPECT_EQ(d.channel, 7);
    EXPECT_EQ(d.key_mark, 2);
    EXPECT_EQ(d.zero, 0);
    EXPECT_EQ(d.audio_channel, 2);
    EXPECT_EQ(d.frame_time, 123456u);
    EXPECT_EQ(d.milliseconds, 250u);
    EXPECT_EQ(d.item_length, 5072u);
    EXPECT_EQ(d.width, 352);
    EXPECT_EQ(d.height, 240);
    EXPECT_EQ(d.generation, 0u); // set by the queueing handler, not by the header
    EXPECT_EQ(d.video_size, 5000u);
    EXPECT_EQ(d.audio_value, 2048u);

    SetFrameLabel(d, "A camera name that is longer than thirty-two characters");
    EXPECT_EQ(std::strlen(d.label), 31u);
    SetFrameLabel(d, "CH3");
    EXPECT_STREQ(d.label, "CH3");
}

TEST(FrameHeader, CheckFrameRefusesInconsistentLengths) {
    FrameShape shape;
    shape.videoSize = 300;
    shape.audioValue = 2048;
    const std::vector<BYTE> frame = MakeFrame(shape);
    std::vector<BYTE> record = MakeRecord({});
    std::vector<BYTE> block = record;
    block.insert(block.end(), frame.begin(), frame.end());

    std::vector<BYTE> noSync = frame;
    noSync[0] = 0xFE;
    std::vector<BYTE> badLength = frame;
    badLength[10] ^= 0x01; // frame length no longer header + picture + audio
    std::vector<BYTE> longAudio = frame;
    longAudio[23] = 0xFF; // audio value larger than the frame: the length check catches it
    const std::vector<BYTE> truncated(frame.begin(), frame.end() - 1);

    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        std::size_t offset;
        FrameCheck expected;
    };
    const Case cases[] = {
        {"whole frame", frame, 0, FrameCheck::Ok},
        {"behind a record", block, 192, FrameCheck::Ok},
        {"header cut", std::vector<BYTE>(frame.begin(), frame.begin() + 39), 0, FrameCheck::Short},
        {"record without frame", record, 192, FrameCheck::Short},
        {"offset past the end", frame, 5000, FrameCheck::Short},
        {"no sync", noSync, 0, FrameCheck::NoSync},
        {"length mismatch", badLength, 0, FrameCheck::BadLength},
        {"audio value mismatch", longAudio, 0, FrameCheck::BadLength},
        {"missing last byte", truncated, 0, FrameCheck::Truncated},
    };
    for (const Case& c : cases) {
        FrameInfo info;
        EXPECT_EQ(CheckFrame(c.bytes, c.offset, info), c.expected) << c.name;
    }
}

TEST(FrameHeader, AudioBlockIsTakenOnlyInsideTheAudioArea) {
    struct Case {
        std::size_t audioValue;
        bool queued;
        std::size_t copied;
    };
    const Case cases[] = {
        {2048, true, 512}, {4000, true, 512}, {2052, true, 512}, {2044, false, 0}, {1024, false, 0}, {0, false, 0},
    };
    for (const Case& c : cases) {
        FrameShape shape;
        shape.videoSize = 777;
        shape.audioValue = c.audioValue;
        shape.audioPresent = true;
        const std::vector<BYTE> frame = MakeFrame(shape);
        const FrameInfo info = Parse(frame);
        BYTE block[kAudioBlockSize];
        std::memset(block, 0xAA, sizeof(block));
        ASSERT_EQ(ExtractAudioBlock(frame, info, block), c.queued) << c.audioValue;
        if (c.queued) {
            EXPECT_EQ(std::memcmp(block, frame.data() + 40 + 777 + 1536, c.copied), 0) << c.audioValue;
        }
    }
}

TEST(FrameHeader, ValidResolutions) {
    const int widths[] = {352, 360, 704, 720, 640};
    const int heights[] = {240, 288, 480, 576, 600};
    for (int w : widths) {
        for (int h : heights) {
            const bool narrow = (w == 352 || w == 360) && (h == 240 || h == 288);
            const bool wide = (w == 704 || w == 720) && h != 600;
            EXPECT_EQ(IsValidResolution(w, h), narrow || wide) << w << "x" << h;
        }
    }
}

TEST(FrameItem, DecoderItemHoldsHeaderPictureAndPaddingOnly) {
    FrameShape shape;
    shape.channel = 9;
    shape.videoSize = 1000;
    shape.audioValue = 0; // the item's 72 spare bytes reach past the frame
    const std::vector<BYTE> frame = MakeFrame(shape);
    FrameDescriptor d;
    FillFrameDescriptor(Parse(frame), d);
    const DWORD header[4] = {18u << 7, (1u << 30) | (0xFu << 22) | 1234, 0, 0x5000};

    const auto item = MakeDecoderItem(d, header, frame);
    ASSERT_EQ(item->data.size(), 1072u);
    EXPECT_EQ(std::memcmp(item->data.data(), frame.data(), frame.size()), 0);
    for (std::size_t i = frame.size(); i < item->data.size(); ++i) {
        ASSERT_EQ(item->data[i], 0) << i;
    }
    EXPECT_EQ((item->header[1] >> 22) & 0x0F, 9u);
    EXPECT_EQ(item->header[1] & ~(0xFu << 22), (1u << 30) | 1234u);
    EXPECT_EQ(item->header[3], 0x5000u);
    EXPECT_EQ(item->MessageId(), 18u);
}

TEST(FrameRecord, TagNameAndLinksAtTheirOffsets) {
    RecordShape shape;
    shape.time = 77;
    shape.segmentKey = 0x12345678;
    shape.eventType = 4;
    shape.cameraName = "Gate";
    std::vector<BYTE> bytes = MakeRecord(shape);
    FrameRecord record;
    std::memcpy(&record, bytes.data(), sizeof(record));
    EXPECT_TRUE(HasFrameRecordTag(record));
    EXPECT_EQ(record.frame_time, 77u);
    EXPECT_EQ(record.segment_key, 0x12345678u);
    EXPECT_EQ(record.segment_attributes[2], 4);
    EXPECT_EQ(FrameRecordCameraName(record), "Gate");

    std::memset(record.camera_name, 'x', sizeof(record.camera_name)); // no terminator
    EXPECT_EQ(FrameRecordCameraName(record), std::string(32, 'x'));
    record.has_name = 0;
    EXPECT_EQ(FrameRecordCameraName(record), "");

    const char* otherTags[] = {"KELO1040", "kelo104", "kelo10400"};
    for (const char* tag : otherTags) {
        std::memset(record.tag, 0, sizeof(record.tag));
        std::memcpy(record.tag, tag, std::strlen(tag));
        EXPECT_FALSE(HasFrameRecordTag(record)) << tag;
    }
}
