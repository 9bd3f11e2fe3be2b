#include "platform/db/Value.h"
