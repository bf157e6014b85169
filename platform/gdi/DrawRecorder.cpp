#include "platform/gdi/DrawRecorder.h"

namespace {

thread_local CDrawRecorder* g_threadRecorder = nullptr;

} // namespace

std::vector<DrawRecord> CDrawRecorder::Of(DrawRecord::Op op) const {
    std::vector<DrawRecord> out;
    for (const DrawRecord& r : records)
        if (r.op == op)
            out.push_back(r);
    return out;
}

std::vector<std::string> CDrawRecorder::Texts() const {
    std::vector<std::string> out;
    for (const DrawRecord& r : records)
        if (r.op == DrawRecord::Op::Text)
            out.push_back(r.text);
    return out;
}

CDrawRecorder::ThreadCapture::ThreadCapture(CDrawRecorder& recorder) : m_previous(g_threadRecorder) {
    g_threadRecorder = &recorder;
}

CDrawRecorder::ThreadCapture::~ThreadCapture() {
    g_threadRecorder = m_previous;
}

CDrawRecorder* CDrawRecorder::ThreadRecorder() {
    return g_threadRecorder;
}
