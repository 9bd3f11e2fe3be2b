#pragma once
#include <QString>

// ---- Start-up ---------------------------------------------------------------------
// Does what start-up does and returns; the caller runs the event loop unless gQuit.
void Main();
// What start-up does before the main window, in this order: opens the shop's file (false,
// told, when it cannot), brings an older file up to what the program adds, rolls back the
// baskets left open when the program last stopped (told), tidies the classification lists,
// and runs the monthly fee and yearly fold jobs (each asks first).
bool PrepareShop();
// The connection string start-up builds for a program folder.
QString ConnectionStringFor(const QString& folder);
