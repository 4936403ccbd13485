#include "media/OvTranscodeProcess.h"

#include <QFileInfo>
#include <QStandardPaths>

OvTranscodeProcess::OvTranscodeProcess(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("OvTranscodeProcess"));
}

OvTranscodeProcess::~OvTranscodeProcess()
{
    if (m_process) {
        m_process->disconnect(this);
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
    }
}

QString OvTranscodeProcess::targetFor(const QString &source)
{
    QString name = QFileInfo(source).fileName();
    if (name.endsWith(QLatin1String(".wav")))
        name = name.left(name.size() - 4) + QLatin1String(".mp3");
    return QLatin1String("./temp_mp3/") + name;
}

QString OvTranscodeProcess::encoderProgram()
{
    const QString overridden = qEnvironmentVariable("TALKBACK_LAME");
    if (!overridden.isEmpty())
        return overridden;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("lame"));
    return found.isEmpty() ? QStringLiteral("lame") : found;
}

QStringList OvTranscodeProcess::encoderArguments(const QString &source, const QString &target)
{
    return {QStringLiteral("-m"), QStringLiteral("m"), QStringLiteral("--cbr"),
            QStringLiteral("-b"), QStringLiteral("96"), QStringLiteral("--resample"),
            QStringLiteral("44.1"), source, target};
}

QString OvTranscodeProcess::commandLine(const QString &source, const QString &target)
{
    return QStringLiteral("lame -m m --cbr -b 96  --resample 44.1 \"%1\" \"%2\"").arg(source, target);
}

bool OvTranscodeProcess::start(const QString &source, const QString &target)
{
    if (m_process)
        return false;
    m_process = std::make_unique<QProcess>();
    m_target = target;
    connect(m_process.get(), QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &OvTranscodeProcess::process_finished);
    connect(m_process.get(), &QProcess::errorOccurred, this, &OvTranscodeProcess::process_error);
    // The arguments go to the encoder as they are, so blanks and quotes in
    // the paths need no shell quoting.
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->start(encoderProgram(), encoderArguments(source, target), QIODevice::ReadWrite);
    return true;
}

void OvTranscodeProcess::process_finished(int exitCode, QProcess::ExitStatus exitStatus)
{
    Q_UNUSED(exitStatus)
    if (m_reported)
        return;
    m_reported = true;
    emit transcode_finished(exitCode == 0, m_target);
}

void OvTranscodeProcess::process_error(QProcess::ProcessError error)
{
    // An encoder that never started sends no finished signal; without this
    // the transfer would wait for it for ever.
    if (error != QProcess::FailedToStart || m_reported)
        return;
    m_reported = true;
    emit transcode_finished(false, m_target);
}
