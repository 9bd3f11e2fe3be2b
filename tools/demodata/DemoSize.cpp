#include "tools/demodata/DemoSize.h"

std::optional<DemoSize> DemoSizeNamed(const std::string& name) {
    if (name == "small") return DemoSize{200, 60, 1500, 300, 0};
    // A rental shop sells a copy for every twenty-five rentals or so.
    if (name == "large") return DemoSize{20000, 5000, 300000, 12000, 0};
    if (name == "fold") return DemoSize{20000, 5000, 300000, 12000, 100000};
    return std::nullopt;
}
