#pragma once
#include <QDate>
#include <QDateTime>

// Every read of the clock goes through Now(), so tests can fix the date.
QDateTime Now();
QDate Today();
void SetNow(const QDateTime& fixed);
void ResetNow();
