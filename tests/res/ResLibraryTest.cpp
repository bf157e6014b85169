// The resource library's C interface and the program's loader: known and missing ids, a missing or
// wrong library, and the text helpers every window uses.

#include "res/ResLibrary.h"
#include "platform/gdi/Bitmap.h"
#include "res/BitmapIds.h"
#include "res/IconIds.h"
#include "res/KeloRes.h"
#include "res/ResStrings.h"
#include "res/SkinTable.h"
#include "res/TextIds.h"
#include "tests/res/ResTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <dlfcn.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Ids the library does not hold.
constexpr UINT kMissingText = 4999;
constexpr UINT kMissingBitmap = 1499;

using restest::Library;

// Ids the program never asks for, next to ones that exist.
constexpr unsigned kMissingIds[] = {0, 1, 1499, 1509, 1699, 2262, 4999, 5031, 5999, 65535, 0xFFFFFFFFu};

TEST(ResLibrary, MissingIdGivesEmptyTextAndNullBitmap) {
    const CResLibrary& lib = Library();
    for (unsigned id : kMissingIds) {
        EXPECT_TRUE(lib.LoadText(id).IsEmpty()) << id;
        EXPECT_TRUE(lib.LoadBitmap(id).isNull()) << id;
    }
    // And the ids around them are there, so the lookups really search.
    EXPECT_EQ(lib.LoadText(IDS_OK), CString("OK"));
    EXPECT_FALSE(lib.LoadBitmap(IDB_MAIN_WINDOW_FACE_TOP_LEFT).isNull());
    EXPECT_FALSE(lib.LoadBitmap(IDB_OPTIONS_PAGE_BAND_BEHIND_ROW).isNull());
}

// The C interface on its own, as any loader sees it.
class KeloResAbi : public ::testing::Test {
protected:
    void SetUp() override {
        m_handle = dlopen(restest::LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
        m_getBitmap = reinterpret_cast<decltype(m_getBitmap)>(dlsym(m_handle, "KeloRes_GetBitmap"));
        m_listBitmaps = reinterpret_cast<decltype(m_listBitmaps)>(dlsym(m_handle, "KeloRes_ListBitmaps"));
        m_listTexts = reinterpret_cast<decltype(m_listTexts)>(dlsym(m_handle, "KeloRes_ListTexts"));
        ASSERT_NE(m_getBitmap, nullptr);
        ASSERT_NE(m_listBitmaps, nullptr);
        ASSERT_NE(m_listTexts, nullptr);
    }
    void TearDown() override {
        if (m_handle != nullptr) {
            dlclose(m_handle);
        }
    }

    void* m_handle = nullptr;
    int (*m_getBitmap)(unsigned, int*, int*, uint32_t*, size_t) = nullptr;
    int (*m_listBitmaps)(unsigned*, int) = nullptr;
    int (*m_listTexts)(unsigned*, int) = nullptr;
};

TEST_F(KeloResAbi, BitmapBufferRules) {
    int w = -1, h = -1;
    // Size only.
    ASSERT_EQ(m_getBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION, &w, &h, nullptr, 0), KELORES_OK);
    EXPECT_EQ(w, 308);
    EXPECT_EQ(h, 136);
    // One pixel short: size reported, buffer untouched.
    std::vector<uint32_t> pixels(size_t(w) * size_t(h), 0x12345678u);
    EXPECT_EQ(m_getBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION, &w, &h, pixels.data(), pixels.size() - 1),
              KELORES_BUFFER_TOO_SMALL);
    for (uint32_t p : pixels) {
        ASSERT_EQ(p, 0x12345678u);
    }
    // Exactly enough: every pixel opaque.
    ASSERT_EQ(m_getBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION, &w, &h, pixels.data(), pixels.size()), KELORES_OK);
    for (uint32_t p : pixels) {
        ASSERT_EQ(p >> 24, 0xFFu);
    }
    // Unknown id: nothing written.
    w = h = -7;
    EXPECT_EQ(m_getBitmap(1499, &w, &h, pixels.data(), pixels.size()), KELORES_MISSING);
    EXPECT_EQ(w, -7);
    EXPECT_EQ(h, -7);
}

// The program's icon: every size the desktop's icon theme uses, each a real drawing with clear corners
// (a round-cornered tile) and an opaque middle, so a window manager can show it on any background.
TEST(ResLibrary, TheProgramIconHasEverySizeWithTransparentCorners) {
    const std::vector<QImage> pictures = Library().LoadIcon(IDI_MAINFRAME);
    std::vector<int> sides;
    for (const QImage& picture : pictures) {
        ASSERT_EQ(picture.width(), picture.height());
        sides.push_back(picture.width());
        const int n = picture.width();
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << n;
        EXPECT_EQ(qAlpha(picture.pixel(n - 1, n - 1)), 0) << n;
        EXPECT_EQ(qAlpha(picture.pixel(n / 2, n / 2)), 255) << n;
        EXPECT_EQ(qAlpha(picture.pixel(n / 4, n / 2)), 255) << n;
        // Not one flat colour: the tiles and the lens differ from the chrome.
        EXPECT_NE(picture.pixel(n / 4, n / 4), picture.pixel(n / 2, 3 * n / 4)) << n;
    }
    EXPECT_EQ(sides, (std::vector<int>{16, 32, 48, 64, 128, 256}));
    EXPECT_TRUE(Library().LoadIcon(kMissingBitmap).empty());
}

TEST_F(KeloResAbi, IconBufferRules) {
    auto getIcon =
        reinterpret_cast<int (*)(unsigned, int, int*, int*, uint32_t*, size_t)>(dlsym(m_handle, "KeloRes_GetIcon"));
    ASSERT_NE(getIcon, nullptr);
    int w = -1, h = -1;
    ASSERT_EQ(getIcon(IDI_MAINFRAME, 0, &w, &h, nullptr, 0), KELORES_OK);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    std::vector<uint32_t> pixels(256, 0x12345678u);
    EXPECT_EQ(getIcon(IDI_MAINFRAME, 0, &w, &h, pixels.data(), 255), KELORES_BUFFER_TOO_SMALL);
    EXPECT_EQ(pixels[0], 0x12345678u);
    EXPECT_EQ(getIcon(IDI_MAINFRAME, 0, &w, &h, pixels.data(), 256), KELORES_OK);
    EXPECT_EQ(pixels[0] >> 24, 0u);
    // Past the largest picture, a negative index and an unknown id: nothing written.
    for (const auto& [id, index] : std::vector<std::pair<unsigned, int>>{
             {IDI_MAINFRAME, 6}, {IDI_MAINFRAME, -1}, {IDI_MAINFRAME + 1, 0}, {IDI_MAINFRAME - 1, 0}, {0, 0}}) {
        w = h = -7;
        EXPECT_EQ(getIcon(id, index, &w, &h, pixels.data(), pixels.size()), KELORES_MISSING) << id << " " << index;
        EXPECT_EQ(w, -7);
    }
}

TEST_F(KeloResAbi, ListsHoldEveryIdOnce) {
    const int bitmaps = m_listBitmaps(nullptr, 0);
    const int texts = m_listTexts(nullptr, 0);
    ASSERT_GT(bitmaps, 0);
    ASSERT_GT(texts, 0);
    // A short buffer gets the first ids only, and no more than its capacity.
    std::vector<unsigned> few(4, 0xDEADu);
    few.push_back(0xBEEFu);
    EXPECT_EQ(m_listBitmaps(few.data(), 4), bitmaps);
    EXPECT_EQ(few[4], 0xBEEFu);

    std::vector<unsigned> ids(static_cast<size_t>(bitmaps));
    ASSERT_EQ(m_listBitmaps(ids.data(), bitmaps), bitmaps);
    EXPECT_EQ(few[0], ids[0]);
    // The library holds exactly the table's bitmaps.
    std::vector<unsigned> tableIds;
    for (const SkinRow& row : SkinRows()) {
        tableIds.push_back(row.id);
    }
    EXPECT_EQ(ids, tableIds);

    std::vector<unsigned> textIds(static_cast<size_t>(texts));
    ASSERT_EQ(m_listTexts(textIds.data(), texts), texts);
    EXPECT_TRUE(std::is_sorted(textIds.begin(), textIds.end()));
    EXPECT_EQ(std::adjacent_find(textIds.begin(), textIds.end()), textIds.end());
}

// Runs a load and returns what it printed on stderr.
template <typename Load>
std::string StderrOf(Load load) {
    ::testing::internal::CaptureStderr();
    load();
    return ::testing::internal::GetCapturedStderr();
}

int Lines(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

TEST(ResLibrary, MissingOrWrongLibraryKeepsRunningAndSaysSoOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string notElf = dir.filePath("libKeloRes.so").toStdString();
    std::ofstream(notElf) << "not a shared library\n";
    const std::string noSymbols = "libz.so.1"; // a real library without the interface

    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing file", "/nonexistent/folder/libKeloRes.so"},
        {"not a library", notElf},
        {"another library", noSymbols},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CResLibrary lib;
        bool loaded = true;
        const std::string said = StderrOf([&] { loaded = lib.LoadFrom(c.path); });
        EXPECT_FALSE(loaded);
        EXPECT_FALSE(lib.IsLoaded());
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find(c.path), std::string::npos) << said;
        // Everything stays empty, and nothing breaks.
        EXPECT_TRUE(lib.LoadText(IDS_OK).IsEmpty());
        EXPECT_TRUE(lib.LoadBitmap(IDB_MAIN_WINDOW_FACE_TOP_LEFT).isNull());
        CResLibrary::SetCurrent(&lib);
        CString text("old");
        LoadResString(text, IDS_OK);
        EXPECT_TRUE(text.IsEmpty());
        EXPECT_TRUE(LoadResBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION).isNull());
        CResLibrary::SetCurrent(nullptr);
    }
}

TEST(ResLibrary, LoadFindsTheLibraryBesideTheProgramQuietly) {
    // The test program lives in <build>/bin next to libKeloRes.so, as the client does.
    CResLibrary lib;
    bool loaded = false;
    const std::string said = StderrOf([&] { loaded = lib.Load(); });
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(said.empty()) << said;
    EXPECT_EQ(lib.LoadText(IDS_CANCEL), CString("Cancel"));
    lib.Free();
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_TRUE(lib.LoadText(IDS_CANCEL).IsEmpty());
}

TEST(ResStrings, TextsComeFromTheCurrentLibrary) {
    CString text("stale");
    CResLibrary::SetCurrent(nullptr);
    LoadResString(text, IDS_OK);
    EXPECT_TRUE(text.IsEmpty()) << "no library: empty text";
    LoadResStringPrefixed(text, IDS_OK);
    EXPECT_EQ(text, CString(" "));

    CResLibrary lib;
    ASSERT_TRUE(lib.LoadFrom(restest::LibraryPath()));
    CResLibrary::SetCurrent(&lib);
    LoadResString(text, IDS_OK);
    EXPECT_EQ(text, CString("OK"));
    LoadResStringPrefixed(text, IDS_POWER_ON);
    EXPECT_EQ(std::string(text.GetString()), " " + std::string(lib.LoadText(IDS_POWER_ON).GetString()));
    LoadResString(text, kMissingText);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(LoadResString(IDS_CANCEL), CString("Cancel"));
    EXPECT_EQ(LoadResStringPrefixed(IDS_CANCEL), CString(" Cancel"));
    const QImage face = LoadResBitmap(IDB_MAIN_WINDOW_FACE_TOP_LEFT);
    EXPECT_EQ(face.size(), QSize(86, 58));
    CResLibrary::SetCurrent(nullptr);
    // A library that goes away no longer serves as the current one.
    {
        CResLibrary gone;
        ASSERT_TRUE(gone.LoadFrom(restest::LibraryPath()));
        CResLibrary::SetCurrent(&gone);
    }
    EXPECT_EQ(CResLibrary::Current(), nullptr);
}

TEST(ResStrings, SkinBitmapsOfTheProgramComeFromTheCurrentLibrary) {
    CResLibrary lib;
    ASSERT_TRUE(lib.LoadFrom(restest::LibraryPath()));
    CResLibrary::SetCurrent(&lib);
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION));
        EXPECT_EQ(bitmap.GetSize().cx, 308);
        EXPECT_EQ(bitmap.GetSize().cy, 136);
        CBitmap missing;
        EXPECT_FALSE(missing.LoadBitmap(kMissingBitmap));
    }
    CResLibrary::SetCurrent(nullptr);
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(IDB_NOTICE_BOX_DAYLIGHT_SAVING_QUESTION)) << "no library, no bitmap";
}

} // namespace
