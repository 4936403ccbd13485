#include "protocol/OvCommandRequest.h"

namespace {
constexpr const char *kCrLf = "\r\n";
}

void OvCommandRequest::begin(const char *requestLine)
{
    m_out.clear();
    m_out.append(requestLine);
}

void OvCommandRequest::header(const char *prefix, const QByteArray &value)
{
    m_out.append(prefix);
    m_out.append(value);
    m_out.append(kCrLf);
}

void OvCommandRequest::header(const char *prefix, qint64 value)
{
    m_out.append(prefix);
    m_out.append(QByteArray::number(value));
    m_out.append(kCrLf);
}

void OvCommandRequest::line(const char *text)
{
    m_out.append(text);
    m_out.append(kCrLf);
}

QByteArray OvCommandRequest::finish(const QByteArray &body)
{
    m_out.append(kCrLf);
    m_out.append(body);
    return m_out;
}

QByteArray OvCommandRequest::buildPost(int cseq, const QByteArray &packetType, const QByteArray &body)
{
    begin(kPost);
    header("CSeq: ", cseq);
    header("Packet-Type:", packetType);
    header("Content-Length:", body.size());
    return finish(body);
}

QByteArray OvCommandRequest::buildLogin(int cseq, const QByteArray &packetType, const QByteArray &body)
{
    begin(kLogin);
    header("CSeq: ", cseq);
    header("Packet-Type:", packetType);
    header("Content-Length:", body.size());
    return finish(body);
}

QByteArray OvCommandRequest::buildSqlConfig(int cseq, const QByteArray &subtype, const QByteArray &body)
{
    begin(kGet);
    header("CSeq: ", cseq);
    line("Packet-Type:SqlConfig");
    header("Packet-Subtype: ", subtype);
    header("Content-Length:", body.size());
    return finish(body);
}

QByteArray OvCommandRequest::buildTypeAndSubtype(int cseq, const QByteArray &name, const QByteArray &body)
{
    begin(kGet);
    header("CSeq: ", cseq);
    header("Packet-Type:", name);
    header("Packet-Subtype: ", name);
    header("Content-Length:", body.size());
    return finish(body);
}

QByteArray OvCommandRequest::buildDataId(int cseq, const QByteArray &data, int id)
{
    begin(kGet);
    header("CSeq: ", cseq);
    header("Data: ", data);
    header("Id: ", id);
    return finish();
}

QByteArray OvCommandRequest::buildPlayTermConfig(int cseq, int id, int warnTemp, int fanTemp, int maxVol)
{
    begin(kSet);
    line("Command: PlayTermConfig");
    header("CSeq: ", cseq);
    header("Id: ", id);
    line("Type: IP");
    header("WarnTempThreshold: ", warnTemp);
    header("FanTempThreshold: ", fanTemp);
    header("MaxVol: ", maxVol);
    return finish();
}

QByteArray OvCommandRequest::buildOnline(int cseq)
{
    begin(kOnline);
    header("CSeq: ", cseq);
    return finish();
}

QByteArray OvCommandRequest::buildGetSystemTime(int cseq)
{
    return QByteArray("GET DBP/1.0\r\nCSeq:") + QByteArray::number(cseq)
        + "\r\nPacket-Type:GetSystemTime\r\nContent-Length:0\r\n\r\n";
}
