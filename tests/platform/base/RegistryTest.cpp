#include "platform/base/Registry.h"
#include "tests/support/TempDir.h"

#include <QSettings>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using kelotest::TempDir;

const char* const kLocalSetup = "Software\\Velmar\\KELO1000\\LocalSetup\\";
const char* const kServerIP = "Software\\Velmar\\KELO1000\\IPSetup\\ServerIP";

std::string Key(const char* base, const char* sub) {
    return std::string(base) + sub;
}

class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        m_old = old ? old : "";
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvGuard() {
        if (m_had) {
            setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

private:
    std::string m_name;
    bool m_had;
    std::string m_old;
};

class RegistryTest : public ::testing::Test {
protected:
    TempDir dir;
    EnvGuard xdg{"XDG_CONFIG_HOME", dir.Path().c_str()};

    // The file as another reader sees it, to check where values really land.
    QVariant RawValue(const char* key) {
        QSettings raw(QString::fromStdString(CRegistry::SettingsFilePath()), QSettings::IniFormat);
        return raw.value(QString::fromUtf8(key));
    }
    void SetRaw(const char* key, const QVariant& v) {
        QSettings raw(QString::fromStdString(CRegistry::SettingsFilePath()), QSettings::IniFormat);
        raw.setValue(QString::fromUtf8(key), v);
    }
};

TEST_F(RegistryTest, DefaultsWhenNothingIsStored) {
    EXPECT_EQ(CRegistry::SettingsFilePath(), dir / "Velmar/KELO1000.conf");
    EXPECT_EQ(RegReadDWORD(Key(kLocalSetup, "DrawMode").c_str(), "DrawMode", 1), 1u);
    EXPECT_EQ(RegReadDWORD(kServerIP, "Port", 2000), 2000u);
    EXPECT_STREQ(RegReadString(Key(kLocalSetup, "Location").c_str(), "Location", 260, "/home/u/H264"), "/home/u/H264");
    EXPECT_EQ(RegReadByte(Key(kLocalSetup, "Opacity\\01").c_str(), "01", 255), 255);
    EXPECT_EQ(RegReadByte(Key(kLocalSetup, "AudioBuf\\02").c_str(), "02", 64), 64);

    CRegistry key;
    EXPECT_FALSE(CRegistry::KeyExists(kServerIP));
    EXPECT_FALSE(key.Open(kServerIP));
    ASSERT_TRUE(key.Create(kServerIP));
    DWORD port = 0;
    EXPECT_FALSE(key.QueryDWORD("Port", &port));
    // Reading makes no file.
    EXPECT_FALSE(std::filesystem::exists(CRegistry::SettingsFilePath()));
}

TEST_F(RegistryTest, ValuesRoundTrip) {
    const std::string drawMode = Key(kLocalSetup, "DrawMode");
    for (DWORD v : {0u, 1u, 2u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(RegWriteDWORD(drawMode.c_str(), "DrawMode", v));
        EXPECT_EQ(RegReadDWORD(drawMode.c_str(), "DrawMode", 12345), v);
    }

    const std::string location = Key(kLocalSetup, "Location");
    for (const char* text : {"/home/u/H264", "/srv/a, b; c=d", "C:\\H264\\", "Größe µ", "@ByteArray(x)", " lead", ""}) {
        ASSERT_TRUE(RegWriteString(location.c_str(), "Location", text));
        EXPECT_STREQ(RegReadString(location.c_str(), "Location", 260, "default"), text) << text;
    }

    const std::string opacity = Key(kLocalSetup, "Opacity\\09");
    for (int v : {0, 100, 200, 255}) {
        ASSERT_TRUE(RegWriteByte(opacity.c_str(), "09", BYTE(v)));
        EXPECT_EQ(RegReadByte(opacity.c_str(), "09", 7), v);
    }

    CRegistry key;
    ASSERT_TRUE(key.Create("Software\\Velmar\\KELO1000\\Test"));
    BYTE block[100];
    for (int i = 0; i < 100; ++i) {
        block[i] = BYTE(i * 37 + (i % 3 == 0 ? 0 : 128));
    }
    block[10] = 0;
    block[99] = 0xFF;
    ASSERT_TRUE(key.SetBinary("Block", block, sizeof block));
    BYTE back[100] = {};
    DWORD size = 0;
    ASSERT_TRUE(key.QueryBinary("Block", back, sizeof back, &size));
    EXPECT_EQ(size, 100u);
    EXPECT_EQ(std::memcmp(block, back, sizeof block), 0);
}

TEST_F(RegistryTest, KeysKeepTheirNesting) {
    ASSERT_TRUE(RegWriteDWORD(Key(kLocalSetup, "DrawMode").c_str(), "DrawMode", 1));
    ASSERT_TRUE(RegWriteByte(Key(kLocalSetup, "Opacity\\01").c_str(), "01", 200));
    ASSERT_TRUE(RegWriteDWORD("Software\\Velmar\\KELO1000\\LocalSetupEx\\WebInterval", "WebInterval", 5));
    CRegistry ip;
    ASSERT_TRUE(ip.Create(kServerIP));
    char block[100] = "192.168.0.10";
    ASSERT_TRUE(ip.SetStringBlock("IP", block, sizeof block));
    ASSERT_TRUE(ip.SetDWORD("Port", 2000));

    EXPECT_EQ(RawValue("LocalSetup/DrawMode/DrawMode").toString(), "1");
    EXPECT_EQ(RawValue("LocalSetup/Opacity/01/01").toByteArray(), QByteArray(1, char(200)));
    EXPECT_EQ(RawValue("LocalSetupEx/WebInterval/WebInterval").toString(), "5");
    EXPECT_EQ(RawValue("IPSetup/ServerIP/IP").toString(), "192.168.0.10");
    EXPECT_EQ(RawValue("IPSetup/ServerIP/Port").toString(), "2000");

    // Keys exist once something lies under them; the root prefix is matched without regard to case.
    EXPECT_TRUE(CRegistry::KeyExists("Software\\Velmar\\KELO1000\\LocalSetup"));
    EXPECT_TRUE(CRegistry::KeyExists("software\\velmar\\kelo1000\\LocalSetup\\Opacity\\01\\"));
    EXPECT_FALSE(CRegistry::KeyExists("Software\\Velmar\\KELO1000\\LocalSetup\\Opacity\\02"));
    CRegistry opened;
    ASSERT_TRUE(opened.Open(kServerIP));
    CString back;
    ASSERT_TRUE(opened.QueryString("IP", &back));
    EXPECT_STREQ(back, "192.168.0.10");

    EXPECT_EQ(CRegistry::KeyToGroup("Software\\Velmar\\KELO1000\\LocalSetup\\DrawMode\\"), "LocalSetup/DrawMode");
    EXPECT_EQ(CRegistry::KeyToGroup("Software\\Other\\Key"), "Software/Other/Key");
    EXPECT_EQ(CRegistry::KeyToGroup("\\\\IPSetup\\\\ServerIP"), "IPSetup/ServerIP");
}

TEST_F(RegistryTest, WrongTypeOrSizeReadsAsMissing) {
    CRegistry key;
    ASSERT_TRUE(key.Create("Software\\Velmar\\KELO1000\\Test"));
    ASSERT_TRUE(key.SetString("Text", "abc"));
    ASSERT_TRUE(key.SetDWORD("Number", 5));
    BYTE five[5] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(key.SetBinary("Five", five, sizeof five));
    ASSERT_TRUE(key.SetBinary("Empty", five, 0));
    std::string hundred(100, 'x');
    ASSERT_TRUE(key.SetString("Hundred", hundred.c_str()));
    SetRaw("Test/TooBig", "4294967296");
    SetRaw("Test/Negative", "-1");
    SetRaw("Test/List", QStringList{"a", "b"});

    DWORD n = 99;
    EXPECT_FALSE(key.QueryDWORD("Text", &n));
    EXPECT_FALSE(key.QueryDWORD("Five", &n));
    EXPECT_FALSE(key.QueryDWORD("TooBig", &n));
    EXPECT_FALSE(key.QueryDWORD("Negative", &n));
    EXPECT_EQ(n, 99u);
    EXPECT_TRUE(key.QueryDWORD("Number", &n));
    EXPECT_EQ(n, 5u);

    CString text;
    EXPECT_FALSE(key.QueryString("Five", &text));
    EXPECT_FALSE(key.QueryString("List", &text));
    BYTE bytes[4] = {};
    EXPECT_FALSE(key.QueryBinary("Number", bytes, sizeof bytes));
    EXPECT_FALSE(key.QueryBinary("Text", bytes, sizeof bytes));
    EXPECT_FALSE(key.QueryBinary("Five", bytes, sizeof bytes));
    EXPECT_FALSE(key.QueryBinary("Empty", bytes, sizeof bytes));
    EXPECT_EQ(RegReadByte("Software\\Velmar\\KELO1000\\Test", "Five", 255), 255);
    EXPECT_EQ(RegReadByte("Software\\Velmar\\KELO1000\\Test", "Empty", 255), 255);

    // A text and its terminator must fit the caller's buffer: 100 characters do not fit 100 bytes.
    EXPECT_STREQ(RegReadString("Software\\Velmar\\KELO1000\\Test", "Hundred", 100, "d"), "d");
    ASSERT_TRUE(key.SetString("Hundred", hundred.substr(1).c_str()));
    EXPECT_STREQ(RegReadString("Software\\Velmar\\KELO1000\\Test", "Hundred", 100, "d"), hundred.substr(1).c_str());
}

TEST_F(RegistryTest, StringBlockStopsAtItsFirstZero) {
    CRegistry key;
    ASSERT_TRUE(key.Create(kServerIP));
    char block[100];
    std::memset(block, 'A', sizeof block);
    // No terminator inside the block: the whole block and not a byte more.
    ASSERT_TRUE(key.SetStringBlock("IP", block, sizeof block));
    CString text;
    ASSERT_TRUE(key.QueryString("IP", &text));
    EXPECT_EQ(text.GetLength(), 100);
    std::memcpy(block, "10.0.0.1\0garbage", 16);
    ASSERT_TRUE(key.SetStringBlock("IP", block, sizeof block));
    ASSERT_TRUE(key.QueryString("IP", &text));
    EXPECT_STREQ(text, "10.0.0.1");
}

TEST_F(RegistryTest, ConfigFolderFallsBackToHome) {
    TempDir home;
    EnvGuard homeEnv("HOME", home.Path().c_str());
    {
        EnvGuard unset("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(CRegistry::SettingsFilePath(), home / ".config/Velmar/KELO1000.conf");
        ASSERT_TRUE(RegWriteDWORD(kServerIP, "Port", 2001));
        EXPECT_TRUE(std::filesystem::exists(home / ".config/Velmar/KELO1000.conf"));
    }
    {
        EnvGuard relative("XDG_CONFIG_HOME", "relative/dir");
        EXPECT_EQ(CRegistry::SettingsFilePath(), home / ".config/Velmar/KELO1000.conf");
    }
    // Back at the fixture's folder the value written under HOME is not there.
    EXPECT_EQ(RegReadDWORD(kServerIP, "Port", 2000), 2000u);
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < 25; ++i) {
                const std::string key = "Software\\Velmar\\KELO1000\\T" + std::to_string(t) + "\\V" + std::to_string(i);
                RegWriteDWORD(key.c_str(), "V", DWORD(t * 100 + i));
            }
        });
    }
    for (auto& w : writers) {
        w.join();
    }
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 25; ++i) {
            const std::string key = "Software\\Velmar\\KELO1000\\T" + std::to_string(t) + "\\V" + std::to_string(i);
            EXPECT_EQ(RegReadDWORD(key.c_str(), "V", 0xFFFFFFFF), DWORD(t * 100 + i)) << key;
        }
    }
}

TEST_F(RegistryTest, UnwritableFolderFailsTheWrite) {
    const std::string blocker = dir / "Velmar";
    dir.WriteFile("Velmar", "a file where the folder should be");
    EXPECT_FALSE(RegWriteDWORD(kServerIP, "Port", 2000));
    EXPECT_EQ(RegReadDWORD(kServerIP, "Port", 7), 7u);
    (void)blocker;
}

} // namespace
