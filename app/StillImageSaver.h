#pragma once
// A still-image save thread of the media subsystem as the main window reaps it.

#include "app/MainWindowSeams.h"
#include "media/SaveImageThread.h"

#include <memory>

class CStillImageSaver : public IStillImageSaver {
public:
    explicit CStillImageSaver(std::unique_ptr<CSaveImageThread> thread) : m_thread(std::move(thread)) {}
    bool IsDone() const override { return m_thread->IsDone(); }
    void Join() override { m_thread->Join(); }
    int WriteError() const override { return m_thread->GetError(); }
    std::string Folder() const override { return m_thread->GetFolder(); }

private:
    std::unique_ptr<CSaveImageThread> m_thread;
};
