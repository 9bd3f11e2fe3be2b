#pragma once
#include <QString>

// The member card: the template Card's third sheet, cells A1 to I12 printed as two pages
// (rows 1-6 and 7-12), filled with the member's number, name and join date as the member
// page shows them, the shop's name and telephone and today's date, then previewed. The
// template is never written. A missing template is told as "丢失…模板"; any other failure
// once, in Chinese, with the workbook closed.
class MemberCard {
  public:
    static constexpr const char* kTemplate = "Card";
    static constexpr int kCardSheet = 3;

    struct Fields {
        QString userId;
        QString userName;
        QString joinDate;
    };

    // True when the card reached the preview.
    static bool Print(const Fields& member);
};
