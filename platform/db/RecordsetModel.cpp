#include "platform/db/RecordsetModel.h"
