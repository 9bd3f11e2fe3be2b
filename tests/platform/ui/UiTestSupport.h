#pragma once
// The widget helpers live in the shared test support.
#include "tests/support/TestSupport.h"
