#include "screens/terminals/OvPlayerInfoForm.h"

#include "framework/BaseMessageDialog.h"
#include "framework/BaseSetNameDialog.h"
#include "framework/FlowLayout.h"
#include "framework/ModalRunner.h"
#include "managers/terminals/OvPlayTermListMgr.h"
#include "screens/terminals/OvSetAmpFormCtr.h"
#include "screens/terminals/OvSetTCPForm.h"
#include "screens/terminals/OvTerDefaultSetCtr.h"
#include "screens/terminals/PlayerCells.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

OvPlayerInfoForm::OvPlayerInfoForm(OvPlayTermListMgr &list, QWidget *parent)
    : OvPlayerInfoForm(list, VolumeTiming(), parent)
{
}

OvPlayerInfoForm::OvPlayerInfoForm(OvPlayTermListMgr &list, VolumeTiming timing, QWidget *parent)
    : QWidget(parent), m_list(list), m_timing(timing)
{
    setObjectName(QStringLiteral("OvPlayerInfoForm"));
    buildWidgets();
    connectSignals();
    // A cache from an earlier visit is shown at once; otherwise the answer
    // to the list request arrives as gotPlayTermList().
    if (m_list.hasList())
        showTerminals();
    else
        m_list.fetchList();
}

OvPlayerInfoForm::~OvPlayerInfoForm() = default;

QPushButton *OvPlayerInfoForm::addButton(const char *objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

void OvPlayerInfoForm::buildWidgets()
{
    auto *title = new QLabel(QStringLiteral("播放终端"), this);
    title->setObjectName(QStringLiteral("screenTitle"));
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("fTerListViewWidget"));
    m_ctrl = std::make_unique<OvPlayerTableCtrl>(m_table);

    QPushButton *rename = addButton("fSetTerNameBtn", QStringLiteral("修改名称"));
    QPushButton *remove = addButton("fDelTerBtn", QStringLiteral("删除"));
    QPushButton *ampOn = addButton("fAmpOpenBtn", QStringLiteral("开启功放"));
    QPushButton *ampOff = addButton("fAmpCloseBtn", QStringLiteral("关闭功放"));
    QPushButton *defaults = addButton("fDefaultSetBtn", QStringLiteral("默认设置"));
    QPushButton *speaker = addButton("fSpeakerCheckBtn", QStringLiteral("喇叭检测"));
    QPushButton *tcp = addButton("fTcpModeBtn", QStringLiteral("防火墙设置"));
    QPushButton *limits = addButton("fAmpSetBtn", QStringLiteral("功放高级设置"));
    QPushButton *dec = addButton("fDecVolumnBtn", QStringLiteral("-"));
    QPushButton *inc = addButton("fAddVolumnBtn", QStringLiteral("+"));
    dec->setFixedWidth(28);
    inc->setFixedWidth(28);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("fVolumeSlider"));
    m_slider->setRange(0, 100);
    m_slider->setValue(m_pendingVolume);
    m_slider->setMinimumWidth(160);
    auto *volumeLabel = new QLabel(QStringLiteral("音量"), this);
    auto *volumeValue = new QLabel(QString::number(m_pendingVolume), this);
    volumeValue->setObjectName(QStringLiteral("fVolumeValue"));
    volumeValue->setMinimumWidth(24);
    connect(m_slider, &QSlider::valueChanged, volumeValue, [volumeValue](int v) { volumeValue->setNum(v); });

    // The volume controls stay together; the row wraps rather than widen
    // the window past a small screen.
    auto *volume = new QWidget(this);
    volume->setObjectName(QStringLiteral("volumeGroup"));
    auto *volumeRow = new QHBoxLayout(volume);
    volumeRow->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : std::initializer_list<QWidget *>{volumeLabel, dec, m_slider, inc, volumeValue}) {
        w->setParent(volume);
        volumeRow->addWidget(w);
    }
    auto *buttons = new FlowLayout;
    for (QPushButton *b : {rename, remove, ampOn, ampOff, defaults, tcp, limits, speaker})
        buttons->addWidget(b);
    buttons->addWidget(volume);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    m_repeatTimer = new QTimer(this);
    m_repeatTimer->setObjectName(QStringLiteral("volumeRepeatTimer"));
    m_repeatTimer->setInterval(m_timing.repeatMs);
    m_applyTimer = new QTimer(this);
    m_applyTimer->setObjectName(QStringLiteral("volumeApplyTimer"));
    m_applyTimer->setInterval(m_timing.applyMs);
    m_applyTimer->setSingleShot(true);

    // The settings of these dialogs reach the server ("Terminal" and
    // PlayTermConfig) and come back in its rows, so they are offered; the
    // loudspeaker check shows its result in the loudspeaker column.
    setSpeakerEn();
}

void OvPlayerInfoForm::connectSignals()
{
    connect(&m_list, &OvPlayTermListMgr::gotPlayTermList, this, &OvPlayerInfoForm::showTerminals);
    connect(&m_list, &OvPlayTermListMgr::playTermChanged, this, &OvPlayerInfoForm::updateTer);
    connect(&m_list, &OvPlayTermListMgr::delTermError, this, &OvPlayerInfoForm::slot_delError);
    connect(&m_list, &OvPlayTermListMgr::playTermDeleted, this, &OvPlayerInfoForm::delTer);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &OvPlayerInfoForm::slot_tableItemSelected);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &OvPlayerInfoForm::slot_setTermClicked);
    const auto button = [this](const char *name) { return findChild<QPushButton *>(QString::fromLatin1(name)); };
    connect(button("fSetTerNameBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::slot_setTermClicked);
    connect(button("fDelTerBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::slot_delTermClicked);
    connect(button("fAmpOpenBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::openAmpClicked);
    connect(button("fAmpCloseBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::closeAmpClicked);
    connect(button("fDefaultSetBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::defaultSetClicked);
    connect(button("fSpeakerCheckBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::speakerCheckClicked);
    connect(button("fTcpModeBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::tcpModeClicked);
    connect(button("fAmpSetBtn"), &QPushButton::clicked, this, &OvPlayerInfoForm::ampTmptSetClick);
    connect(button("fAddVolumnBtn"), &QPushButton::pressed, this, &OvPlayerInfoForm::addVolumnPressed);
    connect(button("fAddVolumnBtn"), &QPushButton::released, this, &OvPlayerInfoForm::addVolumnReleased);
    connect(button("fDecVolumnBtn"), &QPushButton::pressed, this, &OvPlayerInfoForm::decVolumnPressed);
    connect(button("fDecVolumnBtn"), &QPushButton::released, this, &OvPlayerInfoForm::decVolumnReleased);
    connect(m_slider, &QSlider::valueChanged, this, &OvPlayerInfoForm::slot_sliderChanged);
    connect(m_repeatTimer, &QTimer::timeout, this, &OvPlayerInfoForm::slot_repeatTick);
    connect(m_applyTimer, &QTimer::timeout, this, &OvPlayerInfoForm::doChangeVol);
    m_slider->installEventFilter(this);
}

void OvPlayerInfoForm::tip(const QString &text)
{
    showMessageDialog(tr("Tips"), text, BaseMessageDialog::ConfirmOnly, this);
}

// ---- list and rows ------------------------------------------------------

void OvPlayerInfoForm::showTerminals()
{
    // Filled from a copy: the receive thread must not wait on the cache's
    // lock while a large table is built. The cache is kept in ascending id
    // order, so rows go in as they come.
    m_ctrl->fill(m_list.snapshot().value_or(std::vector<OvTerminal>()));
}

void OvPlayerInfoForm::delTer(int id)
{
    const int row = m_ctrl->rowOf(id);
    if (row >= 0)
        m_ctrl->removeTableRow(row);
}

void OvPlayerInfoForm::updateTer(int id)
{
    if (const std::optional<OvTerminal> terminal = m_list.findCopy(id))
        m_ctrl->update(*terminal);
}

void OvPlayerInfoForm::slot_delError()
{
    tip(QString::fromUtf8(m_list.lastErrorText()));
}

void OvPlayerInfoForm::slot_tableItemSelected()
{
    const QTableWidgetItem *volume = m_table->item(m_table->currentRow(), OvPlayerTableCtrl::VolumeColumn);
    if (volume)
        m_slider->setValue(volume->text().toInt());
}

QVector<int> OvPlayerInfoForm::selectedRows() const
{
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows(OvPlayerTableCtrl::TypeColumn))
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QVector<int> OvPlayerInfoForm::selectedIds() const
{
    QVector<int> ids;
    for (const int row : selectedRows())
        ids.append(m_ctrl->idOfRow(row));
    return ids;
}

// ---- edits ----------------------------------------------------------------

void OvPlayerInfoForm::slot_setTermClicked()
{
    const int row = m_table->currentRow();
    if (row < 0 || !m_ctrl->checkPermission())
        return;
    std::optional<OvTerminal> terminal = m_list.findCopy(m_ctrl->idOfRow(row));
    if (!terminal)
        return;
    BaseSetNameDialog dialog(this);
    dialog.setName(terminal->name);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    terminal->name = dialog.name();
    if (m_list.setNameAndVolume(*terminal) != 0) {
        tip(tr("Setting Error!"));
        return;
    }
    // The row may have moved while the request waited (a new terminal).
    m_ctrl->setNameCell(m_ctrl->rowOf(terminal->id), terminal->name);
}

void OvPlayerInfoForm::slot_delTermClicked()
{
    const QVector<int> rows = selectedRows();
    if (rows.isEmpty() || !m_ctrl->checkPermission())
        return;
    if (showMessageDialog(tr("Tips"), tr("Delete current record?"), BaseMessageDialog::ConfirmOnly, this)
        != QDialog::Accepted)
        return;
    // Bottom row first, so the rows still to come keep their numbers; ids
    // are taken up front because a rebuilt table would renumber them.
    QVector<int> ids;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        ids.append(m_ctrl->idOfRow(*it));
    for (const int id : ids) {
        const std::optional<OvTerminal> terminal = m_list.findCopy(id);
        if (!terminal)
            continue;
        if (terminal->status != OvTerminal::Offline) {
            tip(tr("Terminal can not be removed without offline!"));
            continue;
        }
        if (m_list.removeTerminal(*terminal) == 0)
            delTer(id);
        else
            tip(tr("Delete Error!"));
    }
}

void OvPlayerInfoForm::switchSelected(bool on)
{
    if (!m_ctrl->checkPermission())
        return;
    // The power column follows the server's change notification.
    for (const int id : selectedIds())
        m_list.switchAmplifier(id, on);
}

void OvPlayerInfoForm::openAmpClicked()
{
    switchSelected(true);
}

void OvPlayerInfoForm::closeAmpClicked()
{
    switchSelected(false);
}

void OvPlayerInfoForm::speakerCheckClicked()
{
    const QVector<int> ids = selectedIds();
    if (ids.isEmpty() || !m_ctrl->checkPermission())
        return;
    const SpeakerCheckOutcome outcome = m_list.checkSpeakers(ids, [this](int id) { updateTer(id); });
    if (outcome.refused)
        tip(tr("Can't check speaker when terminal not idle!"));
    // The rows of refused checks are back at their previous state.
    if (outcome.failed > 0)
        tip(tr("Setting Error!"));
}

void OvPlayerInfoForm::setSpeakerEn()
{
    findChild<QPushButton *>(QStringLiteral("fSpeakerCheckBtn"))->setVisible(true);
    m_table->setColumnHidden(OvPlayerTableCtrl::SpeakerColumn, false);
}

void OvPlayerInfoForm::offAmpSet()
{
    m_ampSettings = false;
}

// ---- setting dialogs ------------------------------------------------------

void OvPlayerInfoForm::sendTerminalSettings(const std::vector<OvTerminal> &terminals)
{
    bool failed = false;
    for (const OvTerminal &t : terminals)
        failed = m_list.applyTerminalSettings(t) != 0 || failed;
    // Settings the server did not take must not look as if they were kept.
    if (failed)
        tip(tr("Setting Error!"));
}

void OvPlayerInfoForm::defaultSetClicked()
{
    if (m_ampSettings) {
        m_ampSettings = false;
        ampTmptSetClick();
        return;
    }
    if (!m_ctrl->checkPermission())
        return;
    OvTerDefaultSetCtr dialog(m_list, this);
    if (modal::run(dialog) == QDialog::Accepted)
        sendTerminalSettings(dialog.changedTerminals());
}

void OvPlayerInfoForm::tcpModeClicked()
{
    if (!m_ctrl->checkPermission())
        return;
    OvSetTCPForm dialog(m_list, this);
    if (modal::run(dialog) == QDialog::Accepted)
        sendTerminalSettings(dialog.changedTerminals());
}

void OvPlayerInfoForm::ampTmptSetClick()
{
    if (!m_ctrl->checkPermission())
        return;
    OvSetAmpFormCtr dialog(m_list, this);
    if (modal::run(dialog) != QDialog::Accepted)
        return;
    bool failed = false;
    for (const OvTerminal &t : dialog.changedTerminals())
        failed = m_list.setAmplifierLimits(t) != 0 || failed;
    if (failed)
        tip(tr("Setting Error!"));
}

// ---- volume ---------------------------------------------------------------

void OvPlayerInfoForm::slot_sliderChanged(int value)
{
    m_pendingVolume = value;
}

void OvPlayerInfoForm::progressVolumnChange(int value)
{
    m_slider->setValue(value);
}

bool OvPlayerInfoForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_slider && event->type() == QEvent::MouseButtonRelease)
        applyVolume(m_pendingVolume);
    return QWidget::eventFilter(watched, event);
}

void OvPlayerInfoForm::volumePressed(int step)
{
    m_applyTimer->stop();
    m_step = step;
    m_skipFirstTick = true;
    m_repeatTimer->start();
}

void OvPlayerInfoForm::volumeReleased()
{
    m_repeatTimer->stop();
    m_slider->setValue(m_slider->value() + m_step);
    m_applyTimer->start();
}

void OvPlayerInfoForm::slot_repeatTick()
{
    if (m_skipFirstTick) {
        m_skipFirstTick = false;
        return;
    }
    m_slider->setValue(m_slider->value() + m_step);
}

void OvPlayerInfoForm::addVolumnPressed()
{
    volumePressed(+1);
}

void OvPlayerInfoForm::decVolumnPressed()
{
    volumePressed(-1);
}

void OvPlayerInfoForm::addVolumnReleased()
{
    volumeReleased();
}

void OvPlayerInfoForm::decVolumnReleased()
{
    volumeReleased();
}

void OvPlayerInfoForm::doChangeVol()
{
    m_repeatTimer->stop();
    m_applyTimer->stop();
    applyVolume(m_slider->value());
}

void OvPlayerInfoForm::applyVolume(int volume)
{
    const QVector<int> ids = selectedIds();
    if (ids.isEmpty() || !m_ctrl->checkPermission())
        return;
    for (const int id : ids) {
        std::optional<OvTerminal> terminal = m_list.findCopy(id);
        if (!terminal)
            continue;
        terminal->broVol = volume;
        if (m_list.setNameAndVolume(*terminal) != 0) {
            tip(tr("Setting Error!"));
            continue;
        }
        m_ctrl->setVolumeCell(m_ctrl->rowOf(id), volume);
        m_slider->setValue(volume);
    }
}
