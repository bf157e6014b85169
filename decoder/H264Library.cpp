#include "decoder/H264Library.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <utility>

namespace {

// Why the decoder cannot work, said once per process: a player that retries says nothing new.
void ReportOnce(const std::string& why) {
    static std::atomic<bool> reported{false};
    if (reported.exchange(true)) {
        return;
    }
    std::fprintf(stderr, "KELO1000: decoder library %s; pictures stay empty\n", why.c_str());
}

const char* LastDlError() {
    const char* message = dlerror();
    return message != nullptr ? message : "unknown error";
}

} // namespace

CH264Library::~CH264Library() {
    Free();
}

std::string CH264Library::DefaultPath() {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n <= 0) {
        return kFileName;
    }
    std::string folder(self, static_cast<std::size_t>(n));
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string::npos) {
        return kFileName;
    }
    folder.resize(slash + 1);
    return folder + kFileName;
}

bool CH264Library::Load(const char* path) {
    Free();
    std::string file = path ? std::string(path) : DefaultPath();
    m_module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_module && !path) {
        // Not beside the program (the build tree): through the library search, which the installed
        // program's RUNPATH points at the folder of its libraries.
        const std::string beside = file + " could not be loaded (" + LastDlError() + ")";
        m_module = dlopen(kFileName, RTLD_NOW | RTLD_LOCAL);
        if (!m_module) {
            ReportOnce(beside + ", nor " + kFileName + " through the library search (" + LastDlError() + ")");
            return false;
        }
        file = kFileName;
    }
    if (!m_module) {
        ReportOnce(file + " could not be loaded (" + LastDlError() + ")");
        return false;
    }
    m_entries.init = reinterpret_cast<PFN_PT_H264dec_Init>(dlsym(m_module, "PT_H264dec_Init"));
    m_entries.getOneFrame = reinterpret_cast<PFN_PT_H264dec_GetOneFrame>(dlsym(m_module, "PT_H264dec_GetOneFrame"));
    m_entries.uninit = reinterpret_cast<PFN_PT_H264dec_Uninit>(dlsym(m_module, "PT_H264dec_Uninit"));
    std::string missing;
    for (const auto& [name, entry] : {std::pair<const char*, bool>{"PT_H264dec_Init", m_entries.init != nullptr},
                                      {"PT_H264dec_GetOneFrame", m_entries.getOneFrame != nullptr},
                                      {"PT_H264dec_Uninit", m_entries.uninit != nullptr}}) {
        if (!entry) {
            missing += missing.empty() ? name : std::string(", ") + name;
        }
    }
    if (!missing.empty()) {
        ReportOnce(file + " lacks " + missing);
    }
    return true;
}

void CH264Library::Free() {
    m_entries = Entries{};
    if (m_module) {
        dlclose(m_module);
        m_module = nullptr;
    }
}

int CH264Library::Init(PT_H264DEC_CONTEXT* ctx) const {
    return m_entries.init ? m_entries.init(ctx) : PT_H264DEC_ERR_PARAM;
}

int CH264Library::GetOneFrame(PT_H264DEC_CONTEXT* ctx, const unsigned char* data, int len, unsigned char* dst) const {
    return m_entries.getOneFrame ? m_entries.getOneFrame(ctx, data, len, dst) : PT_H264DEC_ERR_PARAM;
}

int CH264Library::Uninit(PT_H264DEC_CONTEXT* ctx) const {
    return m_entries.uninit ? m_entries.uninit(ctx) : 0;
}
