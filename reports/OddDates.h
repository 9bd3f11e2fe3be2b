#pragma once
#include <QString>

// Lines whose date is stored in another form than the two the program writes
// ("yyyy-mm-dd hh:mm:ss" and "yyyy-mm-dd"): a date typed by another program as
// "2024-3-1 9:05:00", " 2024-03-01 09:00:00" or "2024-03-01T08:00:00", or no date at all.
// The program reads them as dates all the same (DateText), but a range of written texts
// misses or misplaces them: a period's statement finds its written lines through the date
// index and adds these few through this condition, then reads every date by its value.
//
// The condition is word for word the one of the table's partial index in
// support/schema.sql, so that the database finds the lines in that index; a file made
// before it has them found by a pass over the table.
namespace OddDates {
// "<rowid> in (select rowid from <table> where <column> is in neither written form)".
QString Rows(const QString& rowid, const char* table, const char* column);
}  // namespace OddDates
