#pragma once

#include <QObject>

class QTableWidget;

// Writes the on/off cells of terminal tables with their translated texts.
class OvTerTableWidgetStr : public QObject
{
    Q_OBJECT
public:
    explicit OvTerTableWidgetStr(QObject *parent = nullptr);

    QString onText() const { return m_open; }
    QString offText() const { return m_close; }
    // "close" for 0, "open" for 1, empty otherwise; the value is kept as item data.
    QString onOffText(int value) const;
    void setOnOffCell(QTableWidget *table, int row, int column, int value) const;

private:
    QString m_close;
    QString m_open;
};
