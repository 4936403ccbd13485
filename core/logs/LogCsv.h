#pragma once

#include "logs/LogQueries.h"
#include "logs/OvLogRow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QTextCodec>

// The CSV lines of a log export: GBK, every field quoted and followed by a
// comma, CR LF line ends. Fields follow RFC 4180: a quote inside a value is
// doubled and a value with a line break stays inside its quotes, so a
// spreadsheet reads every row back whole. A character that GBK cannot hold
// is written as "?" and counted.
class LogCsv
{
public:
    LogCsv();

    QByteArray headerLine(const QStringList &header);
    QByteArray rowLine(logdb::Table table, int serial, const OvLogRow &row);

    // Characters written as "?" so far.
    long replaced() const { return m_replaced; }

    // One field with its quotes and comma, UTF-16 in.
    void appendField(QByteArray &line, const QString &value);

private:
    QByteArray encode(const QString &text);

    QTextCodec *m_gbk;
    QTextCodec::ConverterState m_state;
    long m_replaced = 0;
};
