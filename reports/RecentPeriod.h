#pragma once
#include <QDateTime>
#include <QString>

// The periods of the reports on recent days, chosen by the position of the report's period
// box: today, yesterday and the day before yesterday (each one calendar day), and this week
// (from its Monday 00:00 up to, not including, the next Monday 00:00).
//
// A period is a range of the stored date-and-time texts ("yyyy-mm-dd hh:mm:ss"): from the
// first day's date text, included, to the date text of the day after the last, excluded, so
// a statement compares the column itself and can use its index.
struct RecentPeriod {
    enum Index { Today = 0, Yesterday = 1, DayBeforeYesterday = 2, ThisWeek = 3 };

    int index = Today;
    QString from;  // "yyyy-MM-dd", included
    QString to;    // "yyyy-MM-dd", excluded

    bool IsWeek() const { return index == ThisWeek; }

    // The period at that position on the day of now (one reading of the clock for all
    // bounds); a position outside the four is today.
    static RecentPeriod Of(int index, const QDateTime& now);
};
