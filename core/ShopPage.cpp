#include "core/ShopPage.h"
