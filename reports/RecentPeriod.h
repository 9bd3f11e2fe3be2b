#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

#include "platform/db/DateText.h"

// The periods of the reports on recent days, chosen by the position of the report's period
// box: today, yesterday and the day before yesterday (each one calendar day), and this week
// (from its Monday 00:00 up to, not including, the next Monday 00:00).
//
// A period is a range of days. A statement finds the lines written in the program's own
// form through the range of their texts (from the first day's date text, included, to the
// date text of the day after the last, excluded), so that it compares the column itself and
// can use its index; the lines whose date is stored in another form come besides
// (OddDates), and every line is then held to the period by its date's value.
struct RecentPeriod {
    enum Index { Today = 0, Yesterday = 1, DayBeforeYesterday = 2, ThisWeek = 3 };

    int index = Today;
    QDate first;   // the first day
    QDate end;     // the day after the last
    QString from;  // first as "yyyy-MM-dd", included
    QString to;    // end as "yyyy-MM-dd", excluded

    bool IsWeek() const { return index == ThisWeek; }
    // Whether the date falls on one of the period's days; a missing date never does.
    bool Holds(const std::optional<DateText>& date) const;

    // The period at that position on the day of now (one reading of the clock for all
    // bounds); a position outside the four is today.
    static RecentPeriod Of(int index, const QDateTime& now);
};
