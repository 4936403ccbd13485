#pragma once

#include "framework/BaseMessageDialog.h"
#include "framework/ModalRunner.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>

// Records the message dialogs the console shows and answers each one as
// the operator would by closing it.
struct ShownMessages
{
    QStringList texts;
    modal::Hook previous;
    ShownMessages()
    {
        previous = modal::setHook([this](QDialog &d) {
            if (auto *m = qobject_cast<BaseMessageDialog *>(&d))
                texts << m->title() + QStringLiteral("|") + m->text();
            return int(QDialog::Rejected);
        });
    }
    ~ShownMessages() { modal::setHook(previous); }
};

// A "config.ini" in a directory of its own.
inline QString writeConfig(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = QDir(dir.path()).filePath(QStringLiteral("config.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

inline QByteArray settingsFor(quint16 port, const QByteArray &extra = {})
{
    return "[Setting]\nServerIp=127.0.0.1\nServerPort=" + QByteArray::number(port) + "\nUser=admin\n" + extra;
}

// A loopback port with nobody listening: bound, read back, released.
inline quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}
