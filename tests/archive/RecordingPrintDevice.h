#pragma once
// A print device that records what the log printer draws, page by page; it can refuse the job or
// fail a page.
#include "archive/LogPrinter.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"

#include <cstddef>
#include <string>
#include <vector>

class RecordingDevice : public ILogPrintDevice {
public:
    RecordingDevice() { m_dc.SetRecorder(&recorder); }
    CDC* Dc() override { return &m_dc; }
    int StartDoc(const char* name) override {
        docName = name;
        return startDoc;
    }
    int StartPage() override {
        pageStarts.push_back(recorder.records.size());
        return 1;
    }
    int EndPage() override {
        ++endPages;
        return endPages == failingPage ? 0 : 1;
    }
    int EndDoc() override {
        ++endDocs;
        return 1;
    }
    int AbortDoc() override {
        ++aborts;
        return 1;
    }

    // The records drawn on page p (0-based) of a given kind.
    std::vector<DrawRecord> OnPage(std::size_t p, DrawRecord::Op op) const {
        const std::size_t from = pageStarts[p];
        const std::size_t to = p + 1 < pageStarts.size() ? pageStarts[p + 1] : recorder.records.size();
        std::vector<DrawRecord> out;
        for (std::size_t i = from; i < to; ++i) {
            if (recorder.records[i].op == op) {
                out.push_back(recorder.records[i]);
            }
        }
        return out;
    }

    CDrawRecorder recorder;
    std::string docName;
    int startDoc = 1;
    int failingPage = -1;
    std::vector<std::size_t> pageStarts;
    int endPages = 0;
    int endDocs = 0;
    int aborts = 0;

private:
    CDC m_dc;
};
