#include "app/NoticeTable.h"

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
    switch (category) {
    case 0:
        return code == 0 && Simple(out, 5080);
    case 1: {
        static const UINT ids[] = {5087, 5053};
        return Simple(out, ByCode(ids, code));
    }
    case 2:
        return code == 0 && Simple(out, 5079);
    case 3: {
        static const UINT reasons[] = {5084, 5082, 5066, 5071, 5057, 5060, 5062, 5073};
        const UINT reason = ByCode(reasons, code);
        if (reason == 0) {
            return false;
        }
        Lines(out, {5079, reason});
        return true;
    }
    case 4:
        if (code != 0) {
            return false;
        }
        if (context.searchToReturn) {
            Lines(out, {5069, 5078});
            out.buttons = kNoticeButtonsBoth;
            out.action = NoticeAction::ReopenRemoteSearch;
            return true;
        }
        return Simple(out, 5069);
    case 5: {
        static const UINT ids[] = {5083, 5070, 5065};
        return Simple(out, ByCode(ids, code));
    }
    case 6: {
        if (code == 5) {
            Lines(out, {5052});
            if (context.size1 > 0 && context.size2 > 0) {
                out.lines[1] = {NoticeLine::SizeGByte, 5840, context.size1};
                out.lines[2] = {NoticeLine::SizeGByte, 5841, context.size2};
                out.lineCount = 3;
                out.clearsSizes = true;
            }
            return true;
        }
        static const UINT ids[] = {5083, 5081, 5070, 5054, 5055, 0, 5092, 5074};
        return Simple(out, ByCode(ids, code));
    }
    case 7: {
        static const UINT reasons[] = {5084, 5051, 5056, 5074};
        const UINT reason = ByCode(reasons, code);
        if (reason == 0) {
            return false;
        }
        Lines(out, {5075, reason, 5078});
        out.buttons = kNoticeButtonsBoth;
        out.action = NoticeAction::ResendSetup;
        return true;
    }
    case 8: {
        if (code == 5) {
            Lines(out, {5064, 5077});
            out.buttons = kNoticeButtonsBoth;
            out.action = NoticeAction::RebootRecorder;
            return true;
        }
        static const UINT results[] = {5084, 5089, 5072, 5059, 5058, 0, 5088};
        const UINT result = ByCode(results, code);
        if (result == 0) {
            return false;
        }
        Lines(out, {5063, result});
        return true;
    }
    case 9:
        return code == 0 && Simple(out, 5050);
    case 10:
        return code == 0 && Simple(out, 5076);
    case 11:
        if (code == 0) {
            Simple(out, 5067, kNoticeButtonsBoth);
            out.action = NoticeAction::RunFirmwareUpgrade;
            return true;
        }
        return code == 1 && Simple(out, 5068, kNoticeButtonsCancel);
    case 12: {
        static const UINT ids[] = {5085, 5086};
        return Simple(out, ByCode(ids, code));
    }
    case 13:
        if (code != 0) {
            return false;
        }
        Lines(out, {5061});
        if (context.size1 > 0 && context.size2 > 0) {
            out.lines[1] = {NoticeLine::SizeGByteDec, 5840, context.size1};
            out.lines[2] = {NoticeLine::SizeGByteDec, 5841, context.size2};
            out.lineCount = 3;
            out.clearsSizes = true;
        } else if (context.connected) {
            out.lines[1] = {NoticeLine::MByte, 0, context.searchFrameMByte};
            out.lineCount = 2;
        }
        return true;
    case 14:
        if (code != 0) {
            return false;
        }
        Lines(out, {5090, 5091});
        out.buttons = kNoticeButtonsBoth;
        out.action = NoticeAction::InitRecorderSetup;
        return true;
    case 15:
        return code == 0 && Simple(out, 5093, kNoticeButtonsCancel);
    case 16:
        if (code != 0) {
            return false;
        }
        Lines(out, {5821, 5822, 5823});
        out.buttons = kNoticeButtonsBoth;
        out.action = NoticeAction::InitRecorderSetup;
        out.keepsMainEnabled = true;
        return true;
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
        text.Format("%d MByte", int(line.value));
        break;
    }
    // A line of the box holds at most 259 characters.
    return text.Left(259);
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
