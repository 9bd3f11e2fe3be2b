#pragma once
#include <QString>

// ---- Start-up ---------------------------------------------------------------------
// Does what start-up does and returns; the caller runs the event loop unless gQuit.
void Main();
// The connection string start-up builds for a program folder.
QString ConnectionStringFor(const QString& folder);
