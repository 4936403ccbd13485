#pragma once

#include "screens/terminals/OvPlayerTableCtrl.h"

#include <QWidget>

#include <memory>

class OvPlayTermListMgr;
class QPushButton;
class QSlider;
class QTableWidget;
class QTimer;

// The page of the IP amplifiers and player terminals: the cache of the list
// manager as a table, with rename, removal, amplifier switch, volume, the
// loudspeaker check and the per-terminal setting dialogs.
class OvPlayerInfoForm : public QWidget
{
    Q_OBJECT
public:
    // The volume buttons' timers; tests shorten them.
    struct VolumeTiming
    {
        int repeatMs = 100;  // while a +/- button is held
        int applyMs = 500;   // after the last release, before the command goes
    };

    explicit OvPlayerInfoForm(OvPlayTermListMgr &list, QWidget *parent = nullptr);
    OvPlayerInfoForm(OvPlayTermListMgr &list, VolumeTiming timing, QWidget *parent = nullptr);
    ~OvPlayerInfoForm() override;

    QTableWidget *table() const { return m_table; }
    OvPlayerTableCtrl &tableCtrl() { return *m_ctrl; }
    QSlider *volumeSlider() const { return m_slider; }
    QTimer *repeatTimer() const { return m_repeatTimer; }
    QTimer *applyTimer() const { return m_applyTimer; }
    int pendingVolume() const { return m_pendingVolume; }

public slots:
    void showTerminals();
    void delTer(int id);
    void updateTer(int id);
    void slot_delError();
    void slot_tableItemSelected();
    void slot_setTermClicked();
    void slot_delTermClicked();
    void openAmpClicked();
    void closeAmpClicked();
    void addVolumnReleased();
    void addVolumnPressed();
    void decVolumnPressed();
    void decVolumnReleased();
    void defaultSetClicked();
    void tcpModeClicked();
    void progressVolumnChange(int value);
    void ampTmptSetClick();
    void speakerCheckClicked();
    void setSpeakerEn();
    void offAmpSet();
    void doChangeVol();
    void slot_sliderChanged(int value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void slot_repeatTick();

private:
    void buildWidgets();
    void connectSignals();
    QPushButton *addButton(const char *objectName, const QString &caption);
    QVector<int> selectedRows() const;
    QVector<int> selectedIds() const;
    void switchSelected(bool on);
    void volumePressed(int step);
    void volumeReleased();
    void applyVolume(int volume);
    void sendTerminalSettings(const std::vector<OvTerminal> &terminals);
    void tip(const QString &text);

    OvPlayTermListMgr &m_list;
    VolumeTiming m_timing;
    QTableWidget *m_table = nullptr;
    std::unique_ptr<OvPlayerTableCtrl> m_ctrl;
    QSlider *m_slider = nullptr;
    QTimer *m_repeatTimer = nullptr;
    QTimer *m_applyTimer = nullptr;
    int m_pendingVolume = 75;
    int m_step = 0;
    bool m_skipFirstTick = false;
    bool m_ampSettings = false;  // the default-setting action opens the amplifier limits instead
};
