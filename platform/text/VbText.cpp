#include "platform/text/VbText.h"
