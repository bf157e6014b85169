#pragma once
// The simulator runner lives with the shared test support; this name stays for the test programs that
// still include it from here.
#include "tests/support/SimProcess.h"
