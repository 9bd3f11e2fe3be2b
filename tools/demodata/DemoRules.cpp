#include "tools/demodata/DemoRules.h"

#include <cmath>

double DemoRules::Round2(double amount) {
    return std::round(amount * 100.0) / 100.0;
}
