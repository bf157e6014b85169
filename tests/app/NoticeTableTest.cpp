#include "app/NoticeTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<UINT> Ids(const NoticeContent& c) {
    std::vector<UINT> ids;
    for (int i = 0; i < c.lineCount; ++i) {
        ids.push_back(c.lines[i].textId);
    }
    return ids;
}

CString FakeText(UINT id) {
    CString t;
    t.Format("T%u", id);
    return t;
}

TEST(NoticeTableTest, EveryListedNoticeHasItsLinesButtonsAndAction) {
    struct Row {
        WORD cat, code;
        std::vector<UINT> ids;
        int buttons;
        NoticeAction action;
    };
    using A = NoticeAction;
    const int ok = kNoticeButtonsOk, cancel = kNoticeButtonsCancel, both = kNoticeButtonsBoth;
    const Row rows[] = {
        {0, 0, {5080}, ok, A::None},
        {1, 0, {5087}, ok, A::None},
        {1, 1, {5053}, ok, A::None},
        {2, 0, {5079}, ok, A::None},
        {3, 0, {5079, 5084}, ok, A::None},
        {3, 3, {5079, 5071}, ok, A::None},
        {3, 7, {5079, 5073}, ok, A::None},
        {4, 0, {5069}, ok, A::None},
        {5, 0, {5083}, ok, A::None},
        {5, 2, {5065}, ok, A::None},
        {6, 0, {5083}, ok, A::None},
        {6, 4, {5055}, ok, A::None},
        {6, 5, {5052}, ok, A::None},
        {6, 6, {5092}, ok, A::None},
        {6, 7, {5074}, ok, A::None},
        {7, 0, {5075, 5084, 5078}, both, A::ResendSetup},
        {7, 3, {5075, 5074, 5078}, both, A::ResendSetup},
        {8, 0, {5063, 5084}, ok, A::None},
        {8, 4, {5063, 5058}, ok, A::None},
        {8, 5, {5064, 5077}, both, A::RebootRecorder},
        {8, 6, {5063, 5088}, ok, A::None},
        {9, 0, {5050}, ok, A::None},
        {10, 0, {5076}, ok, A::None},
        {11, 0, {5067}, both, A::RunFirmwareUpgrade},
        {11, 1, {5068}, cancel, A::None},
        {12, 0, {5085}, ok, A::None},
        {12, 1, {5086}, ok, A::None},
        {13, 0, {5061}, ok, A::None},
        {14, 0, {5090, 5091}, both, A::InitRecorderSetup},
        {15, 0, {5093}, cancel, A::None},
        {16, 0, {5821, 5822, 5823}, both, A::InitRecorderSetup},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.cat << "/" << r.code);
        NoticeContent c;
        ASSERT_TRUE(CNoticeTable::LookUp(r.cat, r.code, NoticeContext{}, c));
        EXPECT_EQ(Ids(c), r.ids);
        EXPECT_EQ(c.buttons, r.buttons);
        EXPECT_EQ(c.action, r.action);
        EXPECT_EQ(c.keepsMainEnabled, r.cat == 16);
    }
}

TEST(NoticeTableTest, UnlistedNoticesShowNothing) {
    const std::pair<WORD, WORD> unlisted[] = {{0, 1}, {2, 1},  {3, 8},  {4, 1},  {5, 3},  {6, 8},  {7, 4},
                                              {8, 7}, {11, 2}, {12, 2}, {13, 1}, {15, 1}, {16, 1}, {17, 0}};
    for (auto [cat, code] : unlisted) {
        SCOPED_TRACE(testing::Message() << cat << "/" << code);
        NoticeContent c;
        EXPECT_FALSE(CNoticeTable::LookUp(cat, code, NoticeContext{}, c));
    }
}

TEST(NoticeTableTest, NothingFoundOffersTheSearchToReturnTo) {
    NoticeContext ctx;
    ctx.searchToReturn = true;
    NoticeContent c;
    ASSERT_TRUE(CNoticeTable::LookUp(4, 0, ctx, c));
    EXPECT_EQ(Ids(c), (std::vector<UINT>{5069, 5078}));
    EXPECT_EQ(c.buttons, kNoticeButtonsBoth);
    EXPECT_EQ(c.action, NoticeAction::ReopenRemoteSearch);
}

TEST(NoticeTableTest, SpaceNoticesShowSizesOnlyWhenBothAreKnown) {
    struct Case {
        WORD cat, code;
        DWORD size1, size2;
        bool connected;
        std::vector<std::string> lines;
        bool clears;
    };
    const Case cases[] = {
        {6, 5, 2048, 0, true, {"T5052"}, false},
        {6, 5, 2048, 3500, true, {"T5052", "T5840 : 2 GByte", "T5841 : 3 GByte"}, true},
        {13, 0, 1536, 5120, true, {"T5061", "T5840 :    1.5 GByte", "T5841 :    5.0 GByte"}, true},
        {13, 0, 0, 5120, true, {"T5061", "300 MByte"}, false},
        {13, 0, 0, 0, false, {"T5061"}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.cat << " " << k.size1 << " " << k.size2);
        NoticeContext ctx;
        ctx.size1 = k.size1;
        ctx.size2 = k.size2;
        ctx.connected = k.connected;
        ctx.searchFrameMByte = 300;
        NoticeContent c;
        ASSERT_TRUE(CNoticeTable::LookUp(k.cat, k.code, ctx, c));
        std::vector<std::string> lines;
        for (int i = 0; i < c.lineCount; ++i) {
            lines.push_back(std::string(CNoticeTable::RenderLine(c.lines[i], FakeText)));
        }
        EXPECT_EQ(lines, k.lines);
        EXPECT_EQ(c.clearsSizes, k.clears);
    }
}

TEST(NoticeTableTest, LinesAreCutToWhatTheBoxHolds) {
    const NoticeLine line{NoticeLine::Text, 1, 0};
    const CString text = CNoticeTable::RenderLine(line, [](UINT) { return CString(std::string(400, 'w')); });
    EXPECT_EQ(text.GetLength(), 259);
}

TEST(NoticeTableTest, TextWidthsScaleByLanguage) {
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("ja_JP"), 0.9);
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("ko_KR"), 1.0);
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("de_DE"), 1.2);
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("C"), 1.2);
}

} // namespace
