#pragma once

class QTableWidget;

// Finds table rows by the record id kept in column 0.
class OvDataViewCtrl
{
public:
    explicit OvDataViewCtrl(QTableWidget *table = nullptr) : m_table(table) {}
    virtual ~OvDataViewCtrl() = default;

    // The id of the row's column-0 item; -1 when it does not exist.
    virtual int idAtRow(int row) const;
    // Creates the column-0 item when it is missing.
    virtual void setIdAtRow(int row, int id);
    // The first row holding `id`; -1 when none does.
    virtual int findRow(int id) const;
    virtual int currentId() const;

    QTableWidget *table() const { return m_table; }
    void setTable(QTableWidget *table) { m_table = table; }

private:
    QTableWidget *m_table;
};
