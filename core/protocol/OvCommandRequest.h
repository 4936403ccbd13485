#pragma once

#include <QByteArray>

// Writes the DBP/1.0 request texts of the console, byte for byte. Each build
// resets the output and returns a copy; the caller supplies the CSeq.
class OvCommandRequest
{
public:
    // Request and answer lines the protocol knows.
    static constexpr const char *kLogin = "LOGIN DBP/1.0\r\n";
    static constexpr const char *kOnline = "ONLINE DBP/1.0\r\n";
    static constexpr const char *kGet = "GET DBP/1.0\r\n";
    static constexpr const char *kPost = "POST DBP/1.0\r\n";
    static constexpr const char *kSet = "SET DBP/1.0\r\n";
    static constexpr const char *kAdd = "ADD DBP/1.0\r\n";
    static constexpr const char *kRun = "RUN DBP/1.0\r\n";
    static constexpr const char *kEnd = "END DBP/1.0\r\n";
    static constexpr const char *kKeep = "KEEP DBP/1.0\r\n";
    static constexpr const char *kQuery = "QUERY DBP/1.0\r\n";
    static constexpr const char *kDelete = "DELETE DBP/1.0\r\n";
    static constexpr const char *kAnswerOk = "DBP/1.0 200 OK\r\n";
    static constexpr const char *kAnswerError = "DBP/1.0 400 Error\r\n";

    QByteArray buildPost(int cseq, const QByteArray &packetType, const QByteArray &body);
    QByteArray buildLogin(int cseq, const QByteArray &packetType, const QByteArray &body);
    QByteArray buildSqlConfig(int cseq, const QByteArray &subtype, const QByteArray &body);
    QByteArray buildTypeAndSubtype(int cseq, const QByteArray &name, const QByteArray &body);
    QByteArray buildDataId(int cseq, const QByteArray &data, int id);
    QByteArray buildPlayTermConfig(int cseq, int id, int warnTemp, int fanTemp, int maxVol);
    QByteArray buildOnline(int cseq);

    // The fixed GetSystemTime text (note "CSeq:" without the blank); it is not
    // entered in the request table.
    static QByteArray buildGetSystemTime(int cseq);

private:
    void begin(const char *line);
    void header(const char *prefix, const QByteArray &value);
    void header(const char *prefix, qint64 value);
    void line(const char *text);
    QByteArray finish(const QByteArray &body = QByteArray());

    QByteArray m_out;
};
