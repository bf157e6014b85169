// Web snapshots: a small JPEG per channel named by its number, rendered from the picture's shown
// rows with the channel's caption, settings that cannot work taken as the defaults.

#include "media/SnapshotWnd.h"
#include "tests/media/StillTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace stilltest;

WebSnapshotRequest Request(int channel, int width, int height, const std::function<Rgb(int, int)>& colour) {
    WebSnapshotRequest r;
    r.channel = channel;
    r.width = width;
    r.height = height;
    r.layout.format = PictureFormat::Bgr24Dib;
    r.layout.width = width;
    r.layout.height = height;
    r.picture = MakeDibPicture(width, height, colour);
    return r;
}

bool WaitWritten(const CSnapshotWnd& writer, std::size_t count) {
    for (int i = 0; i < 3000 && writer.WrittenCount() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return writer.WrittenCount() >= count;
}

TEST(WebSnapshot, EachChannelGetsASmallJpegNamedByItsNumber) {
    TempDir dir;
    CSnapshotWnd writer(WebSnapshotSettings{dir.Path().string(), 200, 160, 320});
    EXPECT_EQ(writer.GetCaptionPointSize(), 11);
    const auto grey = [](int, int) { return Rgb{90, 90, 90}; };
    ASSERT_TRUE(writer.PutFrame(Request(0, 704, 576, grey)));
    ASSERT_TRUE(WaitWritten(writer, 1));
    ASSERT_TRUE(writer.PutFrame(Request(15, 352, 240, grey)));
    ASSERT_TRUE(WaitWritten(writer, 2));
    for (const char* name : {"1.jpg", "16.jpg"}) {
        const Image image = ReadJpeg(dir.Path() / name);
        EXPECT_EQ(image.width, 200) << name;
        EXPECT_EQ(image.height, 160) << name;
        EXPECT_EQ(image.components, 3) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(WebSnapshot, FieldPicturesShowFromRowSixteenAndTheCaptionIsDrawn) {
    TempDir dir;
    CSnapshotWnd writer(WebSnapshotSettings{dir.Path().string(), 200, 160, 320});
    // White above row 16 and below row 568 (never shown), dark blue in between.
    const auto banded = [](int, int y) { return y < 16 || y >= 568 ? Rgb{255, 255, 255} : Rgb{0, 0, 120}; };
    ASSERT_TRUE(writer.PutFrame(Request(2, 704, 576, banded)));
    ASSERT_TRUE(WaitWritten(writer, 1));
    const Image image = ReadJpeg(dir.Path() / "3.jpg");
    ASSERT_EQ(image.width, 200);
    const Rgb top = Mean(image, 100, 0, 200, 2); // right of the caption
    const Rgb bottom = Mean(image, 0, 158, 200, 160);
    EXPECT_LT(top.r, 60);
    EXPECT_LT(bottom.r, 60);
    EXPECT_GT(top.b, 80);
    // "CH3" in cyan at (7, 3): somewhere there green is high while the picture has none.
    bool caption = false;
    for (int y = 3; y < 20 && !caption; ++y) {
        for (int x = 7; x < 60 && !caption; ++x) {
            caption = image.At(x, y).g > 120;
        }
    }
    EXPECT_TRUE(caption);
}

TEST(WebSnapshot, SettingsThatCannotWorkAreTakenAsTheDefaults) {
    TempDir dir;
    CSnapshotWnd writer(WebSnapshotSettings{dir.Path().string(), 0, 100000, 0});
    EXPECT_EQ(writer.GetSettings().widthJpg, 200);
    EXPECT_EQ(writer.GetSettings().heightJpg, 160);
    EXPECT_EQ(writer.GetSettings().widthWeb, 320);
    EXPECT_EQ(writer.GetCaptionPointSize(), 11);
    CSnapshotWnd large(WebSnapshotSettings{dir.Path().string(), 640, 480, 320});
    EXPECT_EQ(large.GetCaptionPointSize(), 36);
}

// Hands a picture over once the writer has taken the one before: a picture is refused only while
// another is pending, so an accepted one means every earlier one has been handled.
bool PutWhenTaken(CSnapshotWnd& writer, const WebSnapshotRequest& request) {
    for (int i = 0; i < 3000; ++i) {
        if (writer.PutFrame(request)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Each writer is given a second picture after the one it must not write, so the first has surely
// been handled (not merely dropped by an early end) when the files are looked at.
TEST(WebSnapshot, NothingIsWrittenWithoutALocationOrAfterTheEnd) {
    TempDir dir;
    // Without a location a name alone would land in the working folder: run from an empty one.
    TempDir work;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(work.Path());
    CSnapshotWnd nowhere(WebSnapshotSettings{"", 200, 160, 320});
    ASSERT_TRUE(nowhere.PutFrame(Request(0, 352, 240, Coordinates)));
    ASSERT_TRUE(PutWhenTaken(nowhere, Request(1, 352, 240, Coordinates)));
    ASSERT_TRUE(PutWhenTaken(nowhere, Request(1, 352, 240, Coordinates)));
    nowhere.DestroyWindow();
    std::filesystem::current_path(before);
    EXPECT_EQ(nowhere.WrittenCount(), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Path()), {}), 0);
    EXPECT_FALSE(nowhere.PutFrame(Request(0, 352, 240, Coordinates)));

    // A picture shorter than its size says is not written; the next one is.
    CSnapshotWnd writer(WebSnapshotSettings{dir.Path().string(), 200, 160, 320});
    WebSnapshotRequest broken = Request(1, 352, 240, Coordinates);
    broken.picture.resize(10);
    ASSERT_TRUE(writer.PutFrame(std::move(broken)));
    ASSERT_TRUE(PutWhenTaken(writer, Request(3, 352, 240, Coordinates)));
    ASSERT_TRUE(WaitWritten(writer, 1));
    writer.DestroyWindow();
    EXPECT_EQ(writer.WrittenCount(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "2.jpg"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "4.jpg"));
    EXPECT_FALSE(writer.PutFrame(Request(3, 352, 240, Coordinates)));
}

// A snapshot that cannot be written whole (its file leads to a full device) is not left behind cut.
TEST(WebSnapshot, ASnapshotOntoAFullDiskLeavesNoFile) {
    TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.Path() / "1.jpg");
    CSnapshotWnd writer(WebSnapshotSettings{dir.Path().string(), 200, 160, 320});
    ASSERT_TRUE(writer.PutFrame(Request(0, 352, 240, Coordinates)));
    // A second picture taken means the first was handled.
    ASSERT_TRUE(PutWhenTaken(writer, Request(3, 352, 240, Coordinates)));
    ASSERT_TRUE(WaitWritten(writer, 1));
    writer.DestroyWindow();
    EXPECT_EQ(writer.WrittenCount(), 1u);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.Path() / "1.jpg")));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "4.jpg"));
}

} // namespace
