#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

class OvManageCenter;

// What the list benchmarks share: the simulator they run against, the login,
// and the figures printed beside theirs so runs compare like with like.
namespace bench {

// Peak resident memory of this process, in MB.
long peakRssMb();

// Bytes per second between two TCP sockets of this process on 127.0.0.1.
double loopbackMBps(qint64 bytes);

// The simulator (TALKBACK_SIM, or the path built with the benchmark) with a
// generated installation of `terminals`, on free ports.
class Simulator
{
public:
    explicit Simulator(int terminals, const QStringList &extraArguments = {});
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    quint16 port() const { return m_port; }

    // Writes all lines at once; the replies are read (and counted) later.
    void writeLines(const QByteArray &lines) { m_process.write(lines); }
    int readReplies(int n, int timeoutMs);

private:
    QString readLine(int timeoutMs);

    QProcess m_process;
    QByteArray m_pending;
    quint16 m_port = 0;
};

// Logs the centre in as admin/admin; false when that did not happen in 15 s.
bool logIn(OvManageCenter &centre, quint16 port);

// The control lines that change the broadcast volume of `changes` player
// terminals (ids 1, 8, 15, ...), one pushed row each.
QByteArray volumeChangeLines(int changes);
// The id the last of those lines changes, and the volume it sets.
inline int lastChangedId(int changes) { return 1 + (changes - 1) * 7; }
inline int lastChangedVolume(int changes) { return (changes - 1) % 100; }

// Runs the GUI thread's events until done() holds or timeoutMs passed;
// returns the time spent inside event processing, in nanoseconds.
qint64 pumpUntil(const std::function<bool()> &done, int timeoutMs = 30000);

inline double ms(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

} // namespace bench
