#pragma once

#include "db/TableRegistry.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class LiveMode;
class SimServer;

// The line commands that tests and the demo use to drive the simulator. Every
// command gets exactly one reply line starting "ok" or "error".
class ControlChannel
{
public:
    using MediaControl = std::function<QString(const QStringList &args)>;

    ControlChannel(SimServer &server, LiveMode &live, MediaControl media);

    QString execute(const QString &line);
    bool quitRequested() const { return m_quit; }

    static QString helpText();

private:
    QString setColumn(qint64 id, const QString &column, const QString &value);
    QString setColumn(const TableRegistry::Table &table, const QVariant &key, const QString &column,
                      const QString &value);
    QString deleteRecord(const QByteArray &type, int id);
    QString conflict(const QStringList &ids);
    QString backup(const QStringList &args);

    SimServer &m_server;
    LiveMode &m_live;
    MediaControl m_media;
    bool m_quit = false;
};
