#pragma once

#include "framework/OvTermTbCtrl.h"

#include <QWidget>

class OvTts;
class OvTtsListMgr;
class QPushButton;
class QTableWidget;

// The page "TTS List": the TTS boxes of the list manager, kept current by
// its signals, renamed with the name dialog and removed when offline.
class OvTtsInfoForm : public QWidget
{
    Q_OBJECT
public:
    enum Column : int { IdColumn, NameColumn, StatusColumn, IpColumn, ColumnCount };

    explicit OvTtsInfoForm(OvTtsListMgr &list, QWidget *parent = nullptr);
    ~OvTtsInfoForm() override;

    QTableWidget *table() const { return m_table; }
    int rowOf(int id) const;

public slots:
    void showTtsList();
    void slot_delTts(int id);
    void updateTTs(int id);
    void ttsTableSelected();
    void delTtsClicked();
    void slot_editTtsClicked();

private:
    void writeRow(int row, const OvTts &tts);
    void tip(const QString &text);

    OvTtsListMgr &m_list;
    QTableWidget *m_table = nullptr;
    OvTermTbCtrl m_ctrl;
    QPushButton *m_edit = nullptr;
};
