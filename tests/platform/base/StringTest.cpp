#include "platform/base/String.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TEST(StringTest, FormatFollowsPrintf) {
    const std::string longText(1000, 'x');
    struct Case {
        const char* name;
        std::function<void(CString&)> format;
        std::string expected;
    };
    const Case cases[] = {
        {"integers", [](CString& s) { s.Format("%d|%5d|%-5d|%05d", -42, 7, 7, 7); }, "-42|    7|7    |00007"},
        {"unsigned and hex", [](CString& s) { s.Format("%u %x %08X", 4294967295u, 0xBEEFu, 0x1Au); },
         "4294967295 beef 0000001A"},
        {"floats", [](CString& s) { s.Format("%.2f%% %g", 3.14159, 0.5); }, "3.14% 0.5"},
        {"strings and chars", [](CString& s) { s.Format("[%s][%-4s][%3s][%c]", "ab", "ab", "ab", 'Z'); },
         "[ab][ab  ][ ab][Z]"},
        {"names of backup files", [](CString& s) { s.Format("%s%x.idx", "/d/", 0x64A1B2C3u); }, "/d/64a1b2c3.idx"},
        {"longer than any fixed buffer", [&](CString& s) { s.Format("<%s>", longText.c_str()); }, "<" + longText + ">"},
        {"replaces previous contents",
         [](CString& s) {
             s = "old text";
             s.Format("%d", 1);
         },
         "1"},
        {"append",
         [](CString& s) {
             s = "CH";
             s.AppendFormat("%02d", 3);
         },
         "CH03"},
        {"UTF-8 passes through", [](CString& s) { s.Format("%s µ", "Größe"); }, "Größe µ"},
    };
    for (const Case& c : cases) {
        CString s;
        c.format(s);
        EXPECT_EQ(std::string(s), c.expected) << c.name;
        EXPECT_EQ(s.GetLength(), int(c.expected.size())) << c.name;
    }
}

TEST(StringTest, HelpersOnTable) {
    struct Case {
        const char* name;
        const char* input;
        std::function<CString(CString)> op;
        const char* expected;
    };
    const Case cases[] = {
        {"Left", "abcdef", [](CString s) { return s.Left(2); }, "ab"},
        {"Left beyond length", "abc", [](CString s) { return s.Left(10); }, "abc"},
        {"Left negative", "abc", [](CString s) { return s.Left(-1); }, ""},
        {"Right", "abcdef", [](CString s) { return s.Right(3); }, "def"},
        {"Right beyond length", "ab", [](CString s) { return s.Right(5); }, "ab"},
        {"MakeUpper", "rgb", [](CString s) { return s.MakeUpper(); }, "RGB"},
        {"concatenation", "ab", [](CString s) { return CString("<") + s + "|" + CString("cd") + ">"; }, "<ab|cd>"},
        {"append operators", "a",
         [](CString s) {
             s += "b";
             s += CString("cd");
             return s;
         },
         "abcd"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.op(CString(c.input)), c.expected) << c.name;
    }
}

TEST(StringTest, FindAndCompare) {
    const CString s("KELO1000.log");
    EXPECT_EQ(CString("abc").Compare("abd"), -1);
    EXPECT_EQ(CString("abd").Compare("abc"), 1);
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    // Bytes above 127 compare unsigned, so UTF-8 text sorts after ASCII.
    EXPECT_GT(CString("é").Compare("z"), 0);

    EXPECT_TRUE(s == "KELO1000.log");
    EXPECT_TRUE("KELO1000.log" == s);
    EXPECT_TRUE(s != "other");
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(nullptr).IsEmpty());
}

TEST(StringTest, BufferAccess) {
    CString s("abc");
    // An explicit length keeps exactly that many bytes, even past a zero the caller wrote.
    char* p = s.GetBufferSetLength(4);
    p[0] = 'x';
    p[1] = '\0';
    p[2] = 'y';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s.GetLength(), 3);
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 1);

    s = "ab";
    EXPECT_EQ(s.GetAt(1), 'b');
    EXPECT_EQ(s.GetAt(2), 0);
    EXPECT_EQ(s.GetAt(-1), 0);
    s.Empty();
    EXPECT_EQ(s.GetLength(), 0);
}

} // namespace
