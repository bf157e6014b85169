#include "platform/window/DialogTemplate.h"

#include <map>
#include <mutex>

namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::map<UINT, const DialogTemplate*>& Table() {
    static std::map<UINT, const DialogTemplate*> table;
    return table;
}

} // namespace

void CDialogTemplates::Register(const DialogTemplate* dialogTemplate) {
    if (dialogTemplate == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> guard(Lock());
    Table()[dialogTemplate->id] = dialogTemplate;
}

const DialogTemplate* CDialogTemplates::Find(UINT id) {
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Table().find(id);
    return it == Table().end() ? nullptr : it->second;
}
