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
        {"Mid from", "abcdef", [](CString s) { return s.Mid(4); }, "ef"},
        {"Mid count", "abcdef", [](CString s) { return s.Mid(1, 3); }, "bcd"},
        {"Mid past end", "abc", [](CString s) { return s.Mid(5, 2); }, ""},
        {"Mid count past end", "abc", [](CString s) { return s.Mid(1, 99); }, "bc"},
        {"Right", "abcdef", [](CString s) { return s.Right(3); }, "def"},
        {"Right beyond length", "ab", [](CString s) { return s.Right(5); }, "ab"},
        {"MakeLower ASCII only", "AbC-ÄÖ", [](CString s) { return s.MakeLower(); }, "abc-ÄÖ"},
        {"MakeUpper", "rgb", [](CString s) { return s.MakeUpper(); }, "RGB"},
        {"TrimLeft", " \t\r\nab ", [](CString s) { return s.TrimLeft(); }, "ab "},
        {"TrimRight", " ab \r\n", [](CString s) { return s.TrimRight(); }, " ab"},
        {"Trim all blank", "   ", [](CString s) { return s.Trim(); }, ""},
        {"TrimRight char", "C:\\H264\\\\", [](CString s) { return s.TrimRight('\\'); }, "C:\\H264"},
        {"Replace text", "a\\b\\c",
         [](CString s) {
             s.Replace("\\", "/");
             return s;
         },
         "a/b/c"},
        {"Replace growing, no rescan", "aa",
         [](CString s) {
             s.Replace("a", "aa");
             return s;
         },
         "aaaa"},
        {"Replace with nothing", "x--y--",
         [](CString s) {
             s.Replace("--", "");
             return s;
         },
         "xy"},
        {"Replace empty search", "abc",
         [](CString s) {
             s.Replace("", "z");
             return s;
         },
         "abc"},
        {"Replace char", "1.2.3",
         [](CString s) {
             s.Replace('.', '-');
             return s;
         },
         "1-2-3"},
        {"Insert and Delete", "acd",
         [](CString s) {
             s.Insert(1, "b");
             s.Delete(3, 5);
             return s;
         },
         "abc"},
        {"Remove", "a b c",
         [](CString s) {
             s.Remove(' ');
             return s;
         },
         "abc"},
        {"concatenation", "ab", [](CString s) { return "<" + s + '|' + CString("cd") + ">"; }, "<ab|cd>"},
        {"append operators", "a",
         [](CString s) {
             s += "b";
             s += 'c';
             s += CString("d");
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
    EXPECT_EQ(s.Find('.'), 8);
    EXPECT_EQ(s.Find('0', 6), 6);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find("log"), 9);
    EXPECT_EQ(s.Find("1000", 5), -1);
    EXPECT_EQ(s.Find('K', 99), -1);
    EXPECT_EQ(s.ReverseFind('0'), 7);
    EXPECT_EQ(s.FindOneOf("gl"), 9);

    EXPECT_EQ(CString("abc").Compare("abd"), -1);
    EXPECT_EQ(CString("abd").Compare("abc"), 1);
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_EQ(CString("RGB").CompareNoCase("rgb"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    // Bytes above 127 compare unsigned, so UTF-8 text sorts after ASCII.
    EXPECT_GT(CString("é").Compare("z"), 0);

    EXPECT_TRUE(s == "KELO1000.log");
    EXPECT_TRUE("KELO1000.log" == s);
    EXPECT_TRUE(s != CString("other"));
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(nullptr).IsEmpty());
}

TEST(StringTest, BufferAccess) {
    CString s("abc");
    char* p = s.GetBuffer(260);
    ASSERT_NE(p, nullptr);
    std::snprintf(p, 260, "%s", "C:\\H264");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 7);
    EXPECT_STREQ(s, "C:\\H264");

    // An explicit length keeps exactly that many bytes, even past a zero the caller wrote.
    p = s.GetBufferSetLength(4);
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
    EXPECT_EQ(s[-1], 0);
    s.SetAt(0, 'A');
    s.SetAt(5, 'Z');
    EXPECT_STREQ(s, "Ab");
    s.Empty();
    EXPECT_EQ(s.GetLength(), 0);
}

} // namespace
