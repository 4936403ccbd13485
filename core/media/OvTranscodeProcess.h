// Runs one conversion of an upload to the fixed broadcast format (mono,
// constant 96 kbit/s, 44.1 kHz MP3) with the external LAME encoder.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class OvTranscodeProcess : public QObject
{
    Q_OBJECT
public:
    explicit OvTranscodeProcess(QObject *parent = nullptr);
    ~OvTranscodeProcess() override;

    // "./temp_mp3/" + the source's own name, ".wav" replaced by ".mp3".
    static QString targetFor(const QString &source);
    // The encoder: $TALKBACK_LAME when set, otherwise "lame" on the search path.
    static QString encoderProgram();
    static QStringList encoderArguments(const QString &source, const QString &target);
    // The command line as a shell would show it, both paths quoted.
    static QString commandLine(const QString &source, const QString &target);

    // False when this instance already runs a conversion.
    bool start(const QString &source, const QString &target);
    QString target() const { return m_target; }

signals:
    void transcode_finished(bool ret, QString fname);

public slots:
    void process_finished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    void process_error(QProcess::ProcessError error);

    std::unique_ptr<QProcess> m_process;
    QString m_target;
    bool m_reported = false;
};
