#pragma once
// What the benchmarks that drive the program's windows share: the large shop as a program
// folder's database, and message boxes that never wait for an answer.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>

#include "bench/BenchShop.h"
#include "platform/ui/MsgBox.h"

// Every message box a benchmark meets is printed on stderr and answered OK.
inline void PrintAndAcceptMessages() {
    SetMsgBoxResponder([](const MsgBoxCall& call) {
        std::fprintf(stderr, "message: %s\n", call.prompt.toLocal8Bit().constData());
        return int(vbOK);
    });
}

// A copy of the large shop as cdmanage.mdb of a program folder of this run: the benchmarks
// that write change it, never the shop other runs open.
inline QString LargeShopProgramFolder() {
    static QTemporaryDir dir;
    const QString db = QDir(dir.path()).filePath("cdmanage.mdb");
    if (!QFile::exists(db)) QFile::copy(BenchShop("large"), db);
    return dir.path();
}

// The operator reading the window before the next press: the event loop runs meanwhile,
// and the window does what it leaves for such moments.
inline void OperatorPause() {
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 50);
}
