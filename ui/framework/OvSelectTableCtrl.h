#pragma once

#include <QObject>
#include <QVector>

class QCheckBox;
class QTableWidget;
class QTableWidgetItem;

// Lets the operator pick records in a table by clicking rows: with a
// select-all box any number of rows, without one at most one. Selected rows
// are checked and painted; each row keeps its record id in column 0 and its
// selected flag in column 1 (user role).
class OvSelectTableCtrl : public QObject
{
    Q_OBJECT
public:
    // The mode fixes the columns: 1 name/type, 2 name/ID, 4 name/ID with the
    // ID hidden, any other name/ID/type.
    explicit OvSelectTableCtrl(int mode, QObject *parent = nullptr);

    static QStringList headersForMode(int mode);

    // Sets the table up and connects the click slots; `selectAll` may be null.
    void bind(QTableWidget *table, QCheckBox *selectAll = nullptr);
    void addRow(const QString &name, int id, const QString &type, bool checked);

    bool isRowSelected(int row) const;
    QVector<int> selectedIds() const;
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    int mode() const { return m_mode; }
    QTableWidget *table() const { return m_table; }

    static const QColor &selectedColour();
    static const QColor &unselectedColour();

public slots:
    void slot_tableItemClicked(QTableWidgetItem *item);
    void slot_checkBoxStateChanged(int state);
    void slot_singleTableItemClicked(QTableWidgetItem *item);

private:
    void markRow(int row, bool selected);
    int columnCount() const;

    int m_mode;
    QTableWidget *m_table = nullptr;
    QCheckBox *m_selectAll = nullptr;
    bool m_allSelected = false;
    bool m_changed = false;
};
