#include "platform/window/DeferredCall.h"

CDeferredCall* CDeferredCall::Schedule(std::function<void()> call) {
    auto* deferred = new CDeferredCall(std::move(call));
    deferred->deleteLater();
    return deferred;
}

CDeferredCall::~CDeferredCall() {
    std::function<void()> call = std::move(m_call);
    m_call = nullptr;
    if (call) {
        call();
    }
}
