#pragma once

#include "framework/OvTermTbCtrl.h"

#include <QHash>

#include <vector>

class OvTerminal;
class QTableWidget;

// The table control of the player page: its nine columns, the rows written
// from records, and an id -> row index so that a change finds its row
// without walking the table.
class OvPlayerTableCtrl : public OvTermTbCtrl
{
public:
    enum Column : int {
        TypeColumn, NameColumn, IdColumn, VolumeColumn, StatusColumn,
        PowerColumn, TemperatureColumn, SpeakerColumn, IpColumn, ColumnCount
    };

    explicit OvPlayerTableCtrl(QTableWidget *table);

    // Replaces every row with the records, which are in ascending id order.
    void fill(const std::vector<OvTerminal> &records);
    // Rewrites the row of the record's id; false when it has no row.
    bool update(const OvTerminal &terminal);
    // The row showing this id, -1 when none does.
    int rowOf(int id) const;
    // The id shown in a row (column 2's item data), -1 for no row.
    int idOfRow(int row) const;
    void removeTableRow(int row);
    void setVolumeCell(int row, int volume);
    void setNameCell(int row, const QByteArray &name);

private:
    void writeRow(int row, const OvTerminal &terminal);
    void rebuildIndex();

    QHash<int, int> m_rowOfId;
};
