#pragma once

struct sqlite3;

// Registers on a connection the functions the program's statements use:
// year(d), month(d), day(d): integers from a "yyyy-mm-dd[ hh:mm:ss]" text;
// len(s): the number of characters of a text. Each gives Null for Null (and the date
// functions for a text that is not a date). Returns SQLite's result code.
int RegisterSqlFunctions(sqlite3* db);
