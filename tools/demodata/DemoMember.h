#pragma once
#include <string>

// One member of a demo shop.
struct DemoMember {
    std::string userid, name, telephone, address;
    int joinDay = 0;
    double money = 0;
    double tax = 0;
    int ispay = 0;
};
