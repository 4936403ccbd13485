// Faults the file service can be told to show, for tests of the console's
// time-outs and reassembly. They hold until cleared.
#pragma once

#include <QString>
#include <QtGlobal>

struct SimMediaFaults
{
    QString noAnswer;     // command that gets no answer ("*" = every command)
    int splitSize = 0;    // answers go out in pieces of this many bytes
    int splitDelayMs = 0; // pause between pieces
    qint64 stallAt = -1;  // a download stops sending after this many file bytes
    qint64 closeAt = -1;  // a download is cut after this many file bytes;
                          // any other command is closed without an answer
    QString summary() const;
};
