// On-screen texts: fitting names to tiles, the two lines, the frame rate and the picture time.
#include "media/OsdText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every character 10 pixels wide, so the limits can be counted in characters.
int TenEach(std::string_view text) {
    return int(text.size()) * 10;
}

TEST(FitText, ShortensByTileWidth) {
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    struct Case {
        int tile;
        std::string name;
        std::string fitted;
    };
    const Case cases[] = {
        {198, twenty, twenty},                                   // narrow tiles keep the whole name
        {199, twenty, "ABCDEF..."},                              // at most 69 pixels
        {266, "ABCDEFG", "ABCDEF..."},                           // 70 pixels is one too many
        {266, "ABCDEF", "ABCDEF"},                               // 60 pixels fit: no dots
        {267, twenty, "ABCDEFGHIJKL..."},                        // at most 121 pixels
        {401, twenty, "ABCDEFGHIJKL..."},                        //
        {402, "ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRSTU"}, // 210 pixels: below 213, untouched
        {537, "ABCDEFGHIJKLMNOPQRSTUV", "ABCDEFGHIJKLMNOPQRSTU..."},
        {538, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {300, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitText(c.tile, c.name, TenEach), c.fitted) << "tile " << c.tile << " name " << c.name;
    }
}

TEST(FitText, NeverLongerThanTheNameSlot) {
    // Seven pixels a character: a 31-character name is 217 pixels, one character too wide for a
    // 402-pixel tile. Dropping that one and adding the dots would make 33 characters.
    const auto sevenEach = [](std::string_view t) { return int(t.size()) * 7; };
    const std::string name(31, 'N');
    const std::string fitted = FitText(402, name, sevenEach);
    EXPECT_EQ(fitted.size(), kMaxNameLength);
    EXPECT_EQ(fitted, std::string(28, 'N') + "...");
    // A longer name than the slot holds is cut to 31 characters first.
    EXPECT_EQ(FitText(100, std::string(40, 'x'), TenEach), std::string(31, 'x'));
}

TEST(OsdText, NamesFromSlotsAreBounded) {
    char slot[32];
    std::fill(std::begin(slot), std::end(slot), 'A'); // no terminator at all
    EXPECT_EQ(BoundedName(slot, sizeof slot), std::string(31, 'A'));
    const char shortName[32] = "Door";
    EXPECT_EQ(BoundedName(shortName, sizeof shortName), "Door");
    EXPECT_EQ(BoundedName(nullptr, 32), "");
}

TEST(OsdText, LinesAndFrameRate) {
    EXPECT_EQ(ShownWidth(352), 360);
    EXPECT_EQ(ShownWidth(704), 720);
    EXPECT_EQ(ShownWidth(720), 720);
    EXPECT_EQ(FormatTopLine("Gate", ShownWidth(352), 288), "Gate 360x288");
    EXPECT_EQ(FormatBottomLine("Live", 7), "Live  07");
    EXPECT_EQ(FormatBottomLine("Live", 125), "Live  125");
    // Thirty pictures in two seconds are 15 frames per second; the count is rounded up by one half.
    EXPECT_EQ(FrameRateFromCount(30), 15u);
    EXPECT_EQ(FrameRateFromCount(49), 25u);
    EXPECT_EQ(FrameRateFromCount(0), 0u);
    EXPECT_EQ(FrameRateFromCount(1), 1u);
}

TEST(OsdText, PictureTimeInTheThreeDateFormats) {
    // 1,300,000,000 is 2011-03-13 07:06:40 UTC.
    EXPECT_EQ(FormatPictureTime(1300000000, 0), "2011-03-13  07:06:40");
    EXPECT_EQ(FormatPictureTime(1300000000, 1), "03-13-2011  07:06:40");
    EXPECT_EQ(FormatPictureTime(1300000000, 2), "13-03-2011  07:06:40");
    EXPECT_EQ(FormatPictureTime(-5, 0), "1970-01-01  00:00:00");
}

} // namespace
