#include "platform/db/Recordset.h"
