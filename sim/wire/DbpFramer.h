#pragma once

#include <QByteArray>
#include <QString>

// Cuts one request out of the front of a connection's receive buffer. Pure:
// it never sees a socket, so split and merged TCP chunks are tested directly.
struct FrameLimits {
    qsizetype maxHeaderBytes = 64 * 1024;
    qsizetype maxBodyBytes = 16 * 1024 * 1024;
};

struct FrameResult {
    enum Status { Incomplete, Complete, Bad };
    Status status = Incomplete;
    qsizetype skip = 0;  // line breaks before the message, dropped as noise
    qsizetype size = 0;  // bytes of the complete message after skip
    QString error;       // why the stream is unusable (Bad)
};

FrameResult frameRequest(const QByteArray &buffer, const FrameLimits &limits = FrameLimits());
