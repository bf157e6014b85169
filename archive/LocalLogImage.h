#pragma once
// The program's own local log as the local log page reads it back: the whole file's image (an
// 8-byte header of wrapped flag and next slot, then slots of 184-byte records) turned into records
// oldest first, and a record's row texts.

#include "archive/RemoteLogText.h"
#include "platform/base/WinTypes.h"
#include "protocol/LocalLogRecord.h"

#include <span>
#include <vector>

// The records of an image, oldest first: a wrapped ring from its next slot on, else its slots in
// order. An image whose record size (the size word of slot 0) is 0 or above 184, or whose next slot
// lies outside the ring, is not a log this program writes and gives no records.
std::vector<LocalLogRecord> LoadLocalLogImage(std::span<const BYTE> image);

// The five column texts: number as "%04d", date and time (UTC breakdown, the date format), kind
// text, and for logons the user id and address.
LogRow FormatLocalLogRow(const LocalLogRecord& record, int number, int dateFormat, const TextSource& text);
