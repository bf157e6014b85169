#include "SetupTestSupport.h"
