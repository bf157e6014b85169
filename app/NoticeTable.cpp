#include "app/NoticeTable.h"

#include "protocol/ReasonCodes.h"
#include "res/TextIds.h"

#include <cstring>

namespace {

void Lines(NoticeContent& out, std::initializer_list<UINT> ids) {
    out.lineCount = 0;
    for (UINT id : ids) {
        NoticeLine& line = out.lines[out.lineCount++];
        line.kind = NoticeLine::Text;
        line.textId = id;
    }
}

// The entry of a code in a list of text ids (0 = not listed).
template <std::size_t N>
UINT ByCode(const UINT (&ids)[N], WORD code) {
    return code < N ? ids[code] : 0;
}

bool Simple(NoticeContent& out, UINT id, int buttons = kNoticeButtonsOk) {
    if (id == 0) {
        return false;
    }
    Lines(out, {id});
    out.buttons = buttons;
    return true;
}

} // namespace

bool CNoticeTable::LookUp(WORD category, WORD code, const NoticeContext& context, NoticeContent& out) {
    out = NoticeContent{};
    switch (NoticeCategory(category)) {
    case NoticeCategory::SocketUnavailable:
        return code == 0 && Simple(out, IDS_NETWORK_SOCKET_UNAVAILABLE);
    case NoticeCategory::ConnectFailed: {
        static const UINT ids[] = {IDS_CONNECTION_TIMED_OUT, IDS_CONNECTION_FAILED};
        return Simple(out, ByCode(ids, code));
    }
    case NoticeCategory::ConnectionClosed:
        return code == 0 && Simple(out, IDS_CONNECTION_CLOSED);
    case NoticeCategory::RecorderClosed: {
        static const UINT reasons[] = {IDS_REASON_UNKNOWN,
                                       IDS_REASON_CLOSED_BY_THE_RECORDER,
                                       IDS_REASON_THE_SETUP_WAS_CHANGED,
                                       IDS_REASON_FIRMWARE_UPDATE_RUNNING,
                                       IDS_REASON_THE_RECORDER_SHUT_DOWN,
                                       IDS_REASON_ANOTHER_USER_LOGGED_IN,
                                       IDS_REASON_TOO_MANY_CONNECTIONS,
                                       IDS_REASON_NO_ANSWER_IN_TIME};
        const UINT reason = ByCode(reasons, code);
        if (reason == 0) {
            return false;
        }
        Lines(out, {IDS_CONNECTION_CLOSED, reason});
        return true;
    }
    case NoticeCategory::NothingFound:
        if (code != 0) {
            return false;
        }
        if (context.searchToReturn) {
            Lines(out, {IDS_NO_DATA_FOUND, IDS_TRY_AGAIN});
            out.buttons = kNoticeButtonsBoth;
            out.action = NoticeAction::ReopenRemoteSearch;
            return true;
        }
        return Simple(out, IDS_NO_DATA_FOUND);
    case NoticeCategory::LiveRefused: {
        static const UINT ids[] = {IDS_REQUEST_REFUSED, IDS_REFUSED_NOT_ALLOWED_NOW, IDS_REFUSED_PLAYBACK_IS_RUNNING};
        return Simple(out, ByCode(ids, code));
    }
    case NoticeCategory::Refused: {
        if (code == 5) {
            Lines(out, {IDS_NOT_ENOUGH_SPACE_ON_THE_RECORDER});
            if (context.size1 > 0 && context.size2 > 0) {
                out.lines[1] = {NoticeLine::SizeGByte, IDS_NEEDED, context.size1, {}};
                out.lines[2] = {NoticeLine::SizeGByte, IDS_FREE, context.size2, {}};
                out.lineCount = 3;
                out.clearsSizes = true;
            }
            return true;
        }
        static const UINT ids[] = {IDS_REQUEST_REFUSED,
                                   IDS_REFUSED_WRONG_REQUEST,
                                   IDS_REFUSED_NOT_ALLOWED_NOW,
                                   IDS_REFUSED_THE_RECORDER_IS_BUSY,
                                   IDS_REFUSED_FUNCTION_IN_USE,
                                   0,
                                   IDS_REFUSED_RECORDER_DISK_ERROR,
                                   IDS_REFUSED_SETUP_IS_BEING_CHANGED};
        return Simple(out, ByCode(ids, code));
    }
    case NoticeCategory::SetupRefused: {
        static const UINT reasons[] = {IDS_REASON_UNKNOWN, IDS_REASON_INVALID_SETUP_DATA,
                                       IDS_REASON_THE_RECORDER_IS_BUSY, IDS_REFUSED_SETUP_IS_BEING_CHANGED};
        const UINT reason = ByCode(reasons, code);
        if (reason == 0) {
            return false;
        }
        Lines(out, {IDS_THE_RECORDER_REFUSED_THE_SETUP, reason, IDS_TRY_AGAIN});
        out.buttons = kNoticeButtonsBoth;
        out.action = NoticeAction::ResendSetup;
        return true;
    }
    case NoticeCategory::FirmwareResult: {
        if (code == 5) {
            Lines(out, {IDS_FIRMWARE_UPGRADE_FINISHED, IDS_RESTART_THE_RECORDER_NOW});
            out.buttons = kNoticeButtonsBoth;
            out.action = NoticeAction::RebootRecorder;
            return true;
        }
        static const UINT results[] = {IDS_REASON_UNKNOWN,
                                       IDS_REASON_TRANSFER_FAILED,
                                       IDS_REASON_WRONG_FIRMWARE_IMAGE,
                                       IDS_REASON_IMAGE_CHECK_FAILED,
                                       IDS_REASON_IMAGE_WRITE_FAILED,
                                       0,
                                       IDS_REASON_RECORDER_STORAGE_ERROR};
        const UINT result = ByCode(results, code);
        if (result == 0) {
            return false;
        }
        Lines(out, {IDS_FIRMWARE_UPGRADE_FAILED, result});
        return true;
    }
    case NoticeCategory::SetupDamaged:
        return code == 0 && Simple(out, IDS_SETUP_DATA_CHECK_FAILED);
    case NoticeCategory::SetupSaved:
        return code == 0 && Simple(out, IDS_SETUP_SAVED);
    case NoticeCategory::FirmwareFolder:
        if (code == 0) {
            Simple(out, IDS_NEW_FIRMWARE_FOUND_UPGRADE_NOW, kNoticeButtonsBoth);
            out.action = NoticeAction::RunFirmwareUpgrade;
            return true;
        }
        return code == 1 && Simple(out, IDS_NO_FIRMWARE_IMAGE_FOUND, kNoticeButtonsCancel);
    case NoticeCategory::TalkRefused: {
        static const UINT ids[] = {IDS_TALK_IS_IN_USE_BY_ANOTHER, IDS_TALK_IS_NOT_AVAILABLE};
        return Simple(out, ByCode(ids, code));
    }
    case NoticeCategory::BackupSpace:
        if (code != 0) {
            return false;
        }
        Lines(out, {IDS_NOT_ENOUGH_SPACE_FOR_THE_BACKUP});
        if (context.backupNeeded > 0 && context.backupFree > 0) {
            out.lines[1] = {NoticeLine::SizeGByteDec, IDS_NEEDED, DWORD(context.backupNeeded), {}};
            out.lines[2] = {NoticeLine::SizeGByteDec, IDS_FREE, DWORD(context.backupFree), {}};
            out.lineCount = 3;
            out.clearsBackupSizes = true;
        } else if (context.connected) {
            out.lines[1] = {NoticeLine::MByte, 0, DWORD(context.backupMargin), {}};
            out.lineCount = 2;
        }
        return true;
    case NoticeCategory::Initialize:
        if (code != 0) {
            return false;
        }
        Lines(out, {IDS_INITIALIZE, IDS_RESET_EVERY_SETTING_TO_DEFAULT});
        out.buttons = kNoticeButtonsBoth;
        out.action = NoticeAction::InitRecorderSetup;
        return true;
    case NoticeCategory::NotAllowed:
        return code == 0 && Simple(out, IDS_NO_PERMISSION_FOR_THIS_FUNCTION, kNoticeButtonsCancel);
    case NoticeCategory::InitializeSetup:
        if (code != 0) {
            return false;
        }
        Lines(out, {IDS_INITIALIZE_THE_RECORDER_SETUP, IDS_EVERY_SETTING_RETURNS_TO, IDS_ITS_FACTORY_VALUE});
        out.buttons = kNoticeButtonsBoth;
        out.action = NoticeAction::InitRecorderSetup;
        out.keepsMainEnabled = true;
        return true;
    case NoticeCategory::LocalWrite: {
        static const UINT ids[] = {IDS_NOT_ENOUGH_SPACE_ON_THIS_COMPUTER, IDS_CANNOT_WRITE_TO};
        if (!Simple(out, ByCode(ids, code))) {
            return false;
        }
        out.lines[1] = {NoticeLine::Literal, 0, 0, context.folder};
        out.lineCount = 2;
        return true;
    }
    default:
        return false;
    }
}

CString CNoticeTable::RenderLine(const NoticeLine& line, const std::function<CString(UINT)>& loadText) {
    CString text;
    switch (line.kind) {
    case NoticeLine::Text:
        text = loadText(line.textId);
        break;
    case NoticeLine::SizeGByte:
        text.Format("%s : %d GByte", loadText(line.textId).GetString(), int(line.value / 1024));
        break;
    case NoticeLine::SizeGByteDec:
        text.Format("%s : %6.1f GByte", loadText(line.textId).GetString(), double(line.value) / 1024.0);
        break;
    case NoticeLine::MByte:
        text.Format("%d MByte", int(LONG(line.value)));
        break;
    case NoticeLine::Literal:
        text = line.text;
        break;
    }
    return text;
}

double CNoticeTable::LanguageScale(const char* localeName) {
    if (!localeName) {
        return 1.2;
    }
    if (std::strncmp(localeName, "ja", 2) == 0) {
        return 0.9;
    }
    if (std::strncmp(localeName, "ko", 2) == 0) {
        return 1.0;
    }
    return 1.2;
}
