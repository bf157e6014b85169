#include "app/LocalSettings.h"
#include "app/StartupFile.h"
#include "platform/base/Registry.h"
#include "tests/app/AppTestEnv.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>

namespace {

StartupStrings ParseText(const std::string& text) {
    StartupStrings s;
    CStartupFile::Parse(reinterpret_cast<const BYTE*>(text.data()), text.size(), s);
    return s;
}

TEST(StartupFileTest, LinesEndAtCarriageReturnsAndLineFeedsAreDropped) {
    struct Case {
        const char* name;
        std::string text;
        std::string caption;
        const char* folder;
        const char* date;
        const char* draw;
    };
    const std::string longLine(300, 'x');
    const Case cases[] = {
        {"four lines", "Shop\r\nStore\r\nDD-MM-YYYY\r\nRGB\r\n", "Shop", "Store", "DD-MM-YYYY", "RGB"},
        {"line feeds only make one line", "Shop\nStore\nDD-MM-YYYY\n", "ShopStoreDD-MM-YYYY", "H264", "YYYY-MM-DD",
         "YUV"},
        {"an empty line keeps its default", "\rStore\r\rrgb", "H264", "Store", "YYYY-MM-DD", "rgb"},
        {"a fifth line is ignored", "a\rb\rc\rd\re", "a", "b", "c", "d"},
        {"the last line needs no end", "Cam", "Cam", "H264", "YYYY-MM-DD", "YUV"},
        {"a long line keeps 259 characters and the next line is read", longLine + "\rStore", std::string(259, 'x'),
         "Store", "YYYY-MM-DD", "YUV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StartupStrings s = ParseText(c.text);
        EXPECT_EQ(std::string(s.caption), c.caption);
        EXPECT_EQ(std::string(s.folderName), c.folder);
        EXPECT_EQ(std::string(s.dateFormatText), c.date);
        EXPECT_EQ(std::string(s.drawFormatText), c.draw);
    }
}

TEST(StartupFileTest, FormatTextsCompareUpperCased) {
    EXPECT_EQ(CStartupFile::DrawModeFromText("rgb"), 1u);
    EXPECT_EQ(CStartupFile::DrawModeFromText("RGB"), 1u);
    EXPECT_EQ(CStartupFile::DrawModeFromText("YUV"), 0u);
    EXPECT_EQ(CStartupFile::DrawModeFromText("RGB "), 0u);
    EXPECT_EQ(CStartupFile::DateFormatFromText("mm-dd-yyyy"), 1u);
    EXPECT_EQ(CStartupFile::DateFormatFromText("DD-MM-YYYY"), 2u);
    EXPECT_EQ(CStartupFile::DateFormatFromText("YYYY-MM-DD"), 0u);
    EXPECT_EQ(CStartupFile::DateFormatFromText("DD/MM/YYYY"), 0u);
}

TEST(StartupFileTest, TheFileInTheCurrentFolderIsFound) {
    AppTestEnv env;
    AppTestEnv::WriteBytes(env.Root() / "cwd" / "ClientD1.bin", "Lobby\rCams\r");
    char old[4096] = {};
    ASSERT_NE(::getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(::chdir((env.Root() / "cwd").c_str()), 0);
    StartupStrings s;
    const bool found = CStartupFile::ReadFirstFound(s);
    ASSERT_EQ(::chdir(old), 0);
    EXPECT_TRUE(found);
    EXPECT_EQ(std::string(s.caption), "Lobby");
    EXPECT_EQ(std::string(s.folderName), "Cams");
}

TEST(LocalSettingsTest, DefaultsWithoutFileAndSettings) {
    AppTestEnv env;
    CLocalSettings s;
    s.LoadLocalSetup(StartupStrings{});
    s.LoadWebSetup();
    EXPECT_EQ(s.DrawMode, 0u);
    EXPECT_EQ(s.DateFormat, 0u);
    EXPECT_EQ(s.SaveFormat, 0u);
    EXPECT_EQ(std::string(s.Location), (env.Home() / "H264").string());
    for (BYTE o : s.Opacity) {
        EXPECT_EQ(o, 255);
    }
    EXPECT_EQ(s.AudioBuf[0], 2);
    EXPECT_EQ(s.AudioBuf[1], 64);
    EXPECT_EQ(s.AudioBuf[2], 2);
    EXPECT_EQ(s.WebWidthJpg, 200u);
    EXPECT_EQ(s.WebHeightJpg, 160u);
    EXPECT_EQ(s.WebWidthWeb, 320u);
    EXPECT_EQ(s.WebHeightWeb, 240u);
    EXPECT_EQ(s.WebInterval, 5u);
    EXPECT_TRUE(s.WebLocation.IsEmpty());
}

TEST(LocalSettingsTest, TheStartupFileGivesDefaultsAndAStoredValueWins) {
    AppTestEnv env;
    StartupStrings startup = ParseText("Cap\rStore\rdd-mm-yyyy\rrgb");
    CLocalSettings first;
    first.LoadLocalSetup(startup);
    EXPECT_EQ(first.DrawMode, 1u);
    EXPECT_EQ(first.DateFormat, 2u);
    EXPECT_EQ(std::string(first.Location), (env.Home() / "Store").string());

    RegWriteDWORD("Software\\Velmar\\KELO1000\\LocalSetup\\DrawMode", "DrawMode", 0);
    RegWriteDWORD("Software\\Velmar\\KELO1000\\LocalSetup\\DateFormat", "DateFormat", 1);
    CLocalSettings second;
    second.LoadLocalSetup(startup);
    EXPECT_EQ(second.DrawMode, 0u);
    EXPECT_EQ(second.DateFormat, 1u);
}

TEST(LocalSettingsTest, SavedValuesReadBackAndOneByteEntriesSitInTheirOwnKeys) {
    AppTestEnv env;
    CLocalSettings s;
    s.LoadLocalSetup(StartupStrings{});
    s.DrawMode = 1;
    s.DateFormat = 2;
    s.SaveFormat = 2;
    s.Location = "/data/cams";
    s.Opacity[8] = 120;
    s.AudioBuf[1] = 32;
    s.WebActivate = 1;
    s.WebLocation = "/srv/www";
    s.SaveLocalSetup();
    s.SaveWebSetup();

    BYTE raw[4] = {};
    DWORD size = 0;
    CRegistry key;
    ASSERT_TRUE(key.Open("Software\\Velmar\\KELO1000\\LocalSetup\\Opacity\\09"));
    ASSERT_TRUE(key.QueryBinary("09", raw, sizeof raw, &size));
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(raw[0], 120);

    CLocalSettings back;
    back.LoadLocalSetup(StartupStrings{});
    back.LoadWebSetup();
    EXPECT_EQ(back.DrawMode, 1u);
    EXPECT_EQ(back.DateFormat, 2u);
    EXPECT_EQ(back.SaveFormat, 2u);
    EXPECT_EQ(std::string(back.Location), "/data/cams");
    EXPECT_EQ(back.Opacity[8], 120);
    EXPECT_EQ(back.AudioBuf[1], 32);
    EXPECT_EQ(back.WebActivate, 1u);
    EXPECT_EQ(std::string(back.WebLocation), "/srv/www");
}

TEST(LocalSettingsTest, AppliedOpacityAndBuffersAreGuarded) {
    CLocalSettings s;
    s.Opacity[kOpacityNoticeBox] = 0;
    s.Opacity[kOpacityConnect] = 180;
    s.AudioBuf[2] = 0;
    EXPECT_EQ(s.AppliedOpacity(kOpacityNoticeBox), 100);
    EXPECT_EQ(s.AppliedOpacity(kOpacityConnect), 180);
    EXPECT_EQ(s.AudioBufferBlocks(2), 1);
    EXPECT_EQ(s.AudioBufferBlocks(1), 64);
}

TEST(LocalSettingsTest, EditBlockLeavesTheLocationAloneOnRemovableMedia) {
    CLocalSettings s;
    s.Location = "/home/op/H264";
    LocalSetupEdit edit{};
    WebSetupEdit web{};
    s.FillEdit(edit, web, true);
    EXPECT_STREQ(edit.Location, "");
    s.FillEdit(edit, web, false);
    EXPECT_STREQ(edit.Location, "/home/op/H264");

    std::strcpy(edit.Location, "/mnt/elsewhere");
    edit.Opacity[3] = 150;
    s.TakeEdit(edit, true);
    EXPECT_EQ(std::string(s.Location), "/home/op/H264");
    EXPECT_EQ(s.Opacity[3], 150);
    s.TakeEdit(edit, false);
    EXPECT_EQ(std::string(s.Location), "/mnt/elsewhere");
}

TEST(ServerSettingTest, AddressIsKeptToNinetyNineCharactersAndAMissingPortMeansTheDefault) {
    AppTestEnv env;
    ServerSetting none = ServerSetting::Load();
    EXPECT_FALSE(none.hasAddress);
    EXPECT_TRUE(none.defaultPort);
    EXPECT_EQ(none.port, 2000u);

    const std::string longName(120, 'h');
    ServerSetting::Save(longName.c_str(), 3000);
    ServerSetting back = ServerSetting::Load();
    EXPECT_TRUE(back.hasAddress);
    EXPECT_EQ(std::string(back.address), std::string(99, 'h'));
    EXPECT_FALSE(back.defaultPort);
    EXPECT_EQ(back.port, 3000u);

    // A longer text written by another program is cut when read.
    RegWriteString(CLocalSettings::kServerKey, "IP", std::string(150, 'z').c_str());
    EXPECT_EQ(ServerSetting::Load().address.GetLength(), 99);
}

} // namespace
