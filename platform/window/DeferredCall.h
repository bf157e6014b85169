#pragma once
// A call that runs once the message being handled now is finished. It rides on Qt's deferred
// deletion, which runs only when control is back in the event loop that was running when the call
// was made, so the handler that asked for it (and any nested loop that handler started) has
// returned first. Used for PostNcDestroy and for freeing the layer's own objects of a destroyed
// window. Must be made on the UI thread.

#include <QObject>

#include <functional>

class CDeferredCall : public QObject {
public:
    // Schedules the call; the returned object may be cancelled until it runs (and is gone after).
    static CDeferredCall* Schedule(std::function<void()> call);
    void Cancel() { m_call = nullptr; }

private:
    explicit CDeferredCall(std::function<void()> call) : m_call(std::move(call)) {}
    ~CDeferredCall() override;
    std::function<void()> m_call;
};
