#include "app/NoticeTable.h"

#include "protocol/ReasonCodes.h"
#include "res/TextIds.h"

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
        {0, 0, {IDS_NETWORK_SOCKET_UNAVAILABLE}, ok, A::None},
        {1, 0, {IDS_CONNECTION_TIMED_OUT}, ok, A::None},
        {1, 1, {IDS_CONNECTION_FAILED}, ok, A::None},
        {2, 0, {IDS_CONNECTION_CLOSED}, ok, A::None},
        {3, 0, {IDS_CONNECTION_CLOSED, IDS_REASON_UNKNOWN}, ok, A::None},
        {3, 3, {IDS_CONNECTION_CLOSED, IDS_REASON_FIRMWARE_UPDATE_RUNNING}, ok, A::None},
        {3, 7, {IDS_CONNECTION_CLOSED, IDS_REASON_NO_ANSWER_IN_TIME}, ok, A::None},
        {4, 0, {IDS_NO_DATA_FOUND}, ok, A::None},
        {5, 0, {IDS_REQUEST_REFUSED}, ok, A::None},
        {5, 2, {IDS_REFUSED_PLAYBACK_IS_RUNNING}, ok, A::None},
        {6, 0, {IDS_REQUEST_REFUSED}, ok, A::None},
        {6, 4, {IDS_REFUSED_FUNCTION_IN_USE}, ok, A::None},
        {6, 5, {IDS_NOT_ENOUGH_SPACE_ON_THE_RECORDER}, ok, A::None},
        {6, 6, {IDS_REFUSED_RECORDER_DISK_ERROR}, ok, A::None},
        {6, 7, {IDS_REFUSED_SETUP_IS_BEING_CHANGED}, ok, A::None},
        {7, 0, {IDS_THE_RECORDER_REFUSED_THE_SETUP, IDS_REASON_UNKNOWN, IDS_TRY_AGAIN}, both, A::ResendSetup},
        {7,
         3,
         {IDS_THE_RECORDER_REFUSED_THE_SETUP, IDS_REFUSED_SETUP_IS_BEING_CHANGED, IDS_TRY_AGAIN},
         both,
         A::ResendSetup},
        {8, 0, {IDS_FIRMWARE_UPGRADE_FAILED, IDS_REASON_UNKNOWN}, ok, A::None},
        {8, 4, {IDS_FIRMWARE_UPGRADE_FAILED, IDS_REASON_IMAGE_WRITE_FAILED}, ok, A::None},
        {8, 5, {IDS_FIRMWARE_UPGRADE_FINISHED, IDS_RESTART_THE_RECORDER_NOW}, both, A::RebootRecorder},
        {8, 6, {IDS_FIRMWARE_UPGRADE_FAILED, IDS_REASON_RECORDER_STORAGE_ERROR}, ok, A::None},
        {9, 0, {IDS_SETUP_DATA_CHECK_FAILED}, ok, A::None},
        {10, 0, {IDS_SETUP_SAVED}, ok, A::None},
        {11, 0, {IDS_NEW_FIRMWARE_FOUND_UPGRADE_NOW}, both, A::RunFirmwareUpgrade},
        {11, 1, {IDS_NO_FIRMWARE_IMAGE_FOUND}, cancel, A::None},
        {12, 0, {IDS_TALK_IS_IN_USE_BY_ANOTHER}, ok, A::None},
        {12, 1, {IDS_TALK_IS_NOT_AVAILABLE}, ok, A::None},
        {13, 0, {IDS_NOT_ENOUGH_SPACE_FOR_THE_BACKUP}, ok, A::None},
        {14, 0, {IDS_INITIALIZE, IDS_RESET_EVERY_SETTING_TO_DEFAULT}, both, A::InitRecorderSetup},
        {15, 0, {IDS_NO_PERMISSION_FOR_THIS_FUNCTION}, cancel, A::None},
        {16,
         0,
         {IDS_INITIALIZE_THE_RECORDER_SETUP, IDS_EVERY_SETTING_RETURNS_TO, IDS_ITS_FACTORY_VALUE},
         both,
         A::InitRecorderSetup},
        {17, 0, {IDS_NOT_ENOUGH_SPACE_ON_THIS_COMPUTER, 0}, ok, A::None},
        {17, 1, {IDS_CANNOT_WRITE_TO, 0}, ok, A::None},
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
    const std::pair<WORD, WORD> unlisted[] = {{0, 1},  {2, 1},  {3, 8},  {4, 1},  {5, 3},  {6, 8},  {7, 4}, {8, 7},
                                              {11, 2}, {12, 2}, {13, 1}, {15, 1}, {16, 1}, {17, 2}, {18, 0}};
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
    EXPECT_EQ(Ids(c), (std::vector<UINT>{IDS_NO_DATA_FOUND, IDS_TRY_AGAIN}));
    EXPECT_EQ(c.buttons, kNoticeButtonsBoth);
    EXPECT_EQ(c.action, NoticeAction::ReopenRemoteSearch);
}

TEST(NoticeTableTest, SpaceNoticesShowSizesOnlyWhenBothAreKnown) {
    // size1, size2: the recorder's sizes (6/5), or the backup page's needed and free-less-100 (13/0);
    // margin: the backup page's free space less the range.
    struct Case {
        WORD cat, code;
        LONG size1, size2, margin;
        bool connected;
        std::vector<std::string> lines;
        bool clears;
    };
    const Case cases[] = {
        {6, 5, 2048, 0, 0, true, {"T5052"}, false},
        {6, 5, 2048, 3500, 0, true, {"T5052", "T5840 : 2 GByte", "T5841 : 3 GByte"}, true},
        {13, 0, 1536, 5120, 5000, true, {"T5061", "T5840 :    1.5 GByte", "T5841 :    5.0 GByte"}, true},
        {13, 0, 0, 5120, 300, true, {"T5061", "300 MByte"}, false},
        // Less than 100 MByte free: the free figure is not above 0, and the margin is negative.
        {13, 0, 1536, -40, -1476, true, {"T5061", "-1476 MByte"}, false},
        {13, 0, 0, 0, 0, false, {"T5061"}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.cat << " " << k.size1 << " " << k.size2);
        NoticeContext ctx;
        if (k.cat == 6) {
            ctx.size1 = DWORD(k.size1);
            ctx.size2 = DWORD(k.size2);
        } else {
            ctx.backupNeeded = k.size1;
            ctx.backupFree = k.size2;
            ctx.backupMargin = k.margin;
        }
        ctx.connected = k.connected;
        NoticeContent c;
        ASSERT_TRUE(CNoticeTable::LookUp(k.cat, k.code, ctx, c));
        std::vector<std::string> lines;
        for (int i = 0; i < c.lineCount; ++i) {
            lines.push_back(std::string(CNoticeTable::RenderLine(c.lines[i], FakeText)));
        }
        EXPECT_EQ(lines, k.lines);
        EXPECT_EQ(k.cat == 6 ? c.clearsSizes : c.clearsBackupSizes, k.clears);
    }
}

TEST(NoticeTableTest, ALocalWriteFailureNamesTheFolder) {
    const std::string folder = "/home/operator/KELO1000/Download";
    const struct {
        int error;
        std::string first;
    } cases[] = {{ENOSPC, "T5923"}, {EDQUOT, "T5923"}, {EFBIG, "T5923"}, {EACCES, "T5924"}, {ENOTDIR, "T5924"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.error);
        const LPARAM notice = LocalWriteNotice(k.error);
        NoticeContext ctx;
        ctx.folder = folder.c_str();
        NoticeContent c;
        ASSERT_TRUE(CNoticeTable::LookUp(HIWORD(DWORD(notice)), LOWORD(DWORD(notice)), ctx, c));
        ASSERT_EQ(c.lineCount, 2);
        EXPECT_EQ(std::string(CNoticeTable::RenderLine(c.lines[0], FakeText)), k.first);
        EXPECT_EQ(std::string(CNoticeTable::RenderLine(c.lines[1], FakeText)), folder);
    }
}

TEST(NoticeTableTest, TextWidthsScaleByLanguage) {
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("ja_JP"), 0.9);
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("ko_KR"), 1.0);
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("de_DE"), 1.2);
    EXPECT_DOUBLE_EQ(CNoticeTable::LanguageScale("C"), 1.2);
}

} // namespace
