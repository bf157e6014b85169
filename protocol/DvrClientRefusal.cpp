// Refusals and their notices: which reason of which refusal the operator is told, and how.
#include "protocol/DvrClient.h"

#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <span>

namespace {

struct ReasonNotice {
    LONG reason;
    LPARAM notice;
};

constexpr ReasonNotice kLive[] = {{1, kNoticeLiveRefused}};
constexpr ReasonNotice kRecord[] = {
    {1, kNoticeLiveRefused}, {65, kNoticeLiveNotAllowedNow}, {66, kNoticeLivePlaybackRunning}};
constexpr ReasonNotice kStopOrPower[] = {{1, kNoticeRefused}, {2, kNoticeRefusedWrongRequest}};
constexpr ReasonNotice kPlayOnNack[] = {
    {1, kNoticeRefused}, {53, kNoticeRefusedInUse}, {83, kNoticeNothingFound}, {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kStreamFail[] = {{1, kNoticeRefused},
                                        {53, kNoticeRefusedInUse},
                                        {83, kNoticeNothingFound},
                                        {86, kNoticeRefusedBusy},
                                        {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kTransOnNack[] = {{1, kNoticeRefused},         {53, kNoticeRefusedInUse},
                                         {83, kNoticeNothingFound},   {86, kNoticeRefusedBusy},
                                         {87, kNoticeRefusedNoSpace}, {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kDbInfoNack[] = {
    {1, kNoticeRefused}, {2, kNoticeRefusedWrongRequest}, {83, kNoticeNothingFound}, {86, kNoticeRefusedBusy}};
constexpr ReasonNotice kDbUpdateNack[] = {{1, kNoticeSetupRefused},
                                          {51, kNoticeSetupRefusedBusy},
                                          {81, kNoticeSetupRefusedInvalid},
                                          {97, kNoticeSetupRefusedChanging}};
constexpr ReasonNotice kDbInitNack[] = {{1, kNoticeRefused},
                                        {2, kNoticeRefusedWrongRequest},
                                        {97, kNoticeRefusedSetupChanging},
                                        {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kTestMailNack[] = {{1, kNoticeRefused}};
// Reason 83 of a month refusal is an empty calendar, not a notice.
constexpr ReasonNotice kMonthNack[] = {
    {1, kNoticeRefused}, {53, kNoticeRefusedInUse}, {86, kNoticeRefusedBusy}, {98, kNoticeRefusedDiskError}};
// Day and event refusals: the reasons of both descriptions of the recorder's answers.
constexpr ReasonNotice kDayOrEventNack[] = {
    {1, kNoticeRefused},       {52, kNoticeRefusedInUse}, {53, kNoticeRefusedInUse},     {82, kNoticeNothingFound},
    {83, kNoticeNothingFound}, {86, kNoticeRefusedBusy},  {97, kNoticeRefusedDiskError}, {98, kNoticeRefusedDiskError}};
constexpr ReasonNotice kInfoNack[] = {{1, kNoticeRefused}, {83, kNoticeNothingFound}, {86, kNoticeRefusedBusy}};
constexpr ReasonNotice kAListenNack[] = {{1, kNoticeRefused},          {2, kNoticeRefusedWrongRequest},
                                         {53, kNoticeRefusedInUse},    {54, kNoticeTalkInUse},
                                         {55, kNoticeTalkUnavailable}, {98, kNoticeRefusedDiskError}};

std::span<const ReasonNotice> RefusalTable(WORD id) {
    switch (id) {
    case Msg::LIVE_NACK:
    case Msg::LIVE_STOP_NACK:
        return kLive;
    case Msg::REC_ON_NACK:
    case Msg::REC_OFF_NACK:
        return kRecord;
    case Msg::PLAY_OFF_NACK:
    case Msg::TRANS_OFF_NACK:
    case Msg::REBOOT_NACK:
    case Msg::POWEROFF_NACK:
        return kStopOrPower;
    case Msg::PLAY_ON_NACK:
        return kPlayOnNack;
    case Msg::PLAY_ON_FAIL:
    case Msg::TRANS_ON_FAIL:
        return kStreamFail;
    case Msg::TRANS_ON_NACK:
        return kTransOnNack;
    case Msg::DB48_INFO_NACK:
        return kDbInfoNack;
    case Msg::DB_UPDATE_NACK:
        return kDbUpdateNack;
    case Msg::DB_INIT_NACK:
        return kDbInitNack;
    case Msg::SEND_TEST_MAIL_NACK:
        return kTestMailNack;
    case Msg::PLAY_INFO_MONTH_NACK:
    case Msg::TRANS_INFO_MONTH_NACK:
        return kMonthNack;
    case Msg::PLAY_INFO_DAY_NACK:
    case Msg::TRANS_INFO_DAY_NACK:
    case Msg::EVENT_INFO_NACK:
        return kDayOrEventNack;
    case Msg::LOG_INFO_NACK:
    case Msg::SYSTEM_INFO_NACK:
    case Msg::STATUS_INFO_NACK:
        return kInfoNack;
    case Msg::A_LISTEN_NACK:
        return kAListenNack;
    default:
        return {};
    }
}

} // namespace

LPARAM CDvrClient::RefusalNotice(WORD id, LONG reason) {
    for (const ReasonNotice& rn : RefusalTable(id)) {
        if (rn.reason == reason) {
            return rn.notice;
        }
    }
    return 0;
}

LONG CDvrClient::PostRefusal(const RecvMessage& m, ClientWindow over) {
    const LONG reason = ParseReply(m.data, m.length, nullptr);
    const LPARAM notice = RefusalNotice(m.header.Id(), reason);
    if (notice != 0) {
        m_seams.host->PostNotice(notice, over);
    } else {
        Trace("RecvFn_%s... %d\n", MessageName(m.header.Id(), MsgDir::In), static_cast<int>(reason));
    }
    return reason;
}
