#include "archive/PlayListNode.h"

#include "archive/BackupSet.h"

std::string PlayListNode::IdxPath() const {
    return CBackupSet::SiblingPath(vid_path, "idx");
}
