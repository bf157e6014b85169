#pragma once
// The client's timing in the tests that run it against the recorder simulator.
#include "protocol/DvrClient.h"

#include <chrono>

inline DvrClientTiming SimClientTiming() {
    using namespace std::chrono_literals;
    DvrClientTiming t;
    t.recvDeadline = 1500ms;
    t.idleWait = 20ms;
    t.connectTimeout = 5000ms;
    t.disconnectWait = 200ms;
    t.byeGrace = 500ms;
    return t;
}
