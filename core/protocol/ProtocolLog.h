#pragma once

#include <QByteArray>

// The copy of a sent request that the protocol log shows. The value of every
// JSON member whose name contains "password" (in any case: "PassWord",
// "NewPassWord", ...) is replaced by "***", so a password change never lands
// in the debug log. Everything else, Content-Length included, is kept as
// sent; the text on the wire is never this copy.
QByteArray protocolLogCopy(const QByteArray &sent);
