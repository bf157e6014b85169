#include "protocol/FrameRecord.h"

#include <cstring>

bool HasFrameRecordTag(const FrameRecord& record) {
    return ::strnlen(record.tag, sizeof(record.tag)) == sizeof(kFileTag) - 1 &&
           std::memcmp(record.tag, kFileTag, sizeof(kFileTag) - 1) == 0;
}

std::string FrameRecordCameraName(const FrameRecord& record) {
    if (record.has_name == 0) {
        return {};
    }
    return std::string(record.camera_name, ::strnlen(record.camera_name, sizeof(record.camera_name)));
}
