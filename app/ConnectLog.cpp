#include "app/ConnectLog.h"

#include "app/LocalLog.h"
#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/WindowsPath.h"

#include <cstring>
#include <utility>

namespace {

void CopyText(char* out, std::size_t size, const char* text) {
    std::memset(out, 0, size);
    if (text) {
        std::strncpy(out, text, size - 1);
    }
}

void Terminate(ConnectLogRecord& r) {
    r.address[sizeof r.address - 1] = '\0';
    r.description[sizeof r.description - 1] = '\0';
}

bool ReadRecord(CFile& file, int index, ConnectLogRecord& out) {
    const LONGLONG n = file.ReadAt(8 + ULONGLONG(index) * sizeof(ConnectLogRecord), &out, sizeof out);
    if (n != LONGLONG(sizeof out)) {
        return false;
    }
    Terminate(out);
    return true;
}

bool WriteRecord(CFile& file, int index, const ConnectLogRecord& r) {
    return file.WriteAt(8 + ULONGLONG(index) * sizeof(ConnectLogRecord), &r, sizeof r);
}

// Text an edit field gives back: no control characters, and UTF-8 sequences that are whole and
// shortest.
bool IsTypedText(const BYTE* text, std::size_t length) {
    for (std::size_t i = 0; i < length;) {
        const BYTE lead = text[i];
        if (lead < 0x20 || lead == 0x7F) {
            return false;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t more = 0;
        DWORD code = 0;
        if ((lead & 0xE0) == 0xC0) {
            more = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (length - i <= more) {
            return false;
        }
        for (std::size_t k = 1; k <= more; ++k) {
            if ((text[i + k] & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (text[i + k] & 0x3F);
        }
        static constexpr DWORD kSmallest[4] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code < 0xA0) {
            return false;
        }
        i += more + 1;
    }
    return true;
}

bool SameConnection(const ConnectLogRecord& a, const ConnectLogRecord& b) {
    return std::strcmp(a.address, b.address) == 0 && a.port == b.port;
}

} // namespace

std::string CConnectLog::PathOf(const char* location) {
    return JoinPath(CLocalLog::FolderOf(location), kFileName);
}

ConnectLogRecord CConnectLog::MakeRecord(const char* address, DWORD port, const char* description) {
    ConnectLogRecord r{};
    CopyText(r.address, sizeof r.address, address);
    r.port = port;
    CopyText(r.description, sizeof r.description, description);
    return r;
}

void CConnectLog::SortNewestFirst(ConnectLogTable& table) {
    for (int i = 0; i < kConnectLogSlots - 1; ++i) {
        for (int j = i + 1; j < kConnectLogSlots; ++j) {
            if (DWORD(table[i].time) < DWORD(table[j].time)) {
                std::swap(table[i], table[j]);
            }
        }
    }
}

int CConnectLog::Load(const char* location, ConnectLogTable& table) {
    table = ConnectLogTable{};
    CFile file;
    if (!file.Open(PathOf(location).c_str(), CFile::modeRead)) {
        return 0;
    }
    int count = 0;
    int kept = 0;
    ConnectLogRecord record{};
    for (; count < kConnectLogSlots && ReadRecord(file, count, record); ++count) {
        if (IsAcceptable(record)) {
            table[kept++] = record;
        }
    }
    SortNewestFirst(table);
    return count;
}

bool CConnectLog::IsAcceptable(const ConnectLogRecord& record) {
    const DWORD port = record.port;
    if (port < 1 || port > 65535) {
        return false;
    }
    const std::size_t length = strnlen(record.address, sizeof record.address);
    if (length == 0 || length > kMaxAddressLength) {
        return false;
    }
    return IsTypedText(reinterpret_cast<const BYTE*>(record.address), length);
}

ConnectLogHead CConnectLog::RepairHead(bool headRead, DWORD wrapped, DWORD next, int recordsPresent) {
    ConnectLogHead h{};
    if (headRead && wrapped <= 1 && next < DWORD(kConnectLogSlots)) {
        h.wrapped = wrapped;
        h.next = next;
        return h;
    }
    if (recordsPresent >= kConnectLogSlots) {
        h.wrapped = 1;
        h.next = 0;
    } else {
        h.wrapped = 0;
        h.next = DWORD(recordsPresent < 0 ? 0 : recordsPresent);
    }
    return h;
}

void CConnectLog::Add(const char* location, const char* address, DWORD port, const char* description, DWORD now) {
    if (!address || !*address) {
        return; // an empty address would end the list's saved table and lose the history
    }
    CreateDirectories(CLocalLog::FolderOf(location).c_str());
    CFile file;
    if (!file.Open(PathOf(location).c_str(),
                   CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareExclusive)) {
        return;
    }
    ConnectLogRecord record = MakeRecord(address, port, description);
    record.time = now;

    // A known (address, port) is refreshed where it lies; the head stays as it is.
    ConnectLogRecord stored{};
    int present = 0;
    for (; present < kConnectLogSlots && ReadRecord(file, present, stored); ++present) {
        if (SameConnection(stored, record)) {
            record.slot = DWORD(present);
            WriteRecord(file, present, record);
            return;
        }
    }

    const LONGLONG length = file.GetLength();
    ConnectLogHead head{};
    bool headRead = true;
    if (length > 0) {
        headRead = file.ReadAt(0, &head, sizeof head) == LONGLONG(sizeof head);
    }
    head = RepairHead(headRead, head.wrapped, head.next, present);

    if (head.wrapped == 0) {
        const DWORD slot = head.next;
        record.slot = slot;
        if (!WriteRecord(file, int(slot), record)) {
            return;
        }
        if (slot < DWORD(kConnectLogSlots - 1)) {
            head.next = slot + 1;
        } else {
            head.wrapped = 1;
            head.next = 0;
        }
        file.WriteAt(0, &head, sizeof head);
        return;
    }

    // Full: the first record of the smallest time replaces it, when that time lies in the past.
    int oldest = -1;
    DWORD oldestTime = 0;
    for (int i = 0; i < kConnectLogSlots; ++i) {
        if (!ReadRecord(file, i, stored)) {
            break;
        }
        if (oldest < 0 || DWORD(stored.time) < oldestTime) {
            oldest = i;
            oldestTime = stored.time;
        }
    }
    const int slot = (oldest >= 0 && oldestTime < now) ? oldest : 0;
    record.slot = DWORD(slot);
    WriteRecord(file, slot, record);
}

bool CConnectLog::Save(const char* location, const ConnectLogTable& table) {
    CreateDirectories(CLocalLog::FolderOf(location).c_str());
    CFile file;
    if (!file.Open(PathOf(location).c_str(),
                   CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareExclusive)) {
        return false;
    }
    int withAddress = 0;
    for (int i = 0; i < kConnectLogSlots; ++i) {
        ConnectLogRecord r = table[i];
        Terminate(r);
        if (!WriteRecord(file, i, r)) {
            return false;
        }
        if (r.IsEmpty()) {
            break;
        }
        ++withAddress;
    }
    ConnectLogHead head{};
    head.wrapped = withAddress < kConnectLogSlots ? 0 : 1;
    head.next = withAddress < kConnectLogSlots ? DWORD(withAddress) : 0;
    return file.WriteAt(0, &head, sizeof head);
}
