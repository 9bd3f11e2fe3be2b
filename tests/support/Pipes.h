#pragma once
// What a forked child writes back to its parent through a pipe.
#include <unistd.h>

#include <QByteArray>

// Reads the pipe's end until the writer closes it, then closes it.
inline QByteArray ReadToEnd(int pipeEnd) {
    QByteArray bytes;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeEnd, buffer, sizeof buffer)) > 0) bytes.append(buffer, n);
    close(pipeEnd);
    return bytes;
}
