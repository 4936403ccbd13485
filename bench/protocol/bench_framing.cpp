// Framing, parsing and classification of a stream of typical small DBP
// answers and notifications. Each stage is measured alone as well, so the
// figures show which one limits the whole.
#include "protocol/OvServerRequest.h"
#include "protocol/StreamFramer.h"

#include <QByteArrayList>

#include <benchmark/benchmark.h>

namespace {

QByteArray typicalStream(int messages)
{
    const QByteArray row = "[{\"ampWarning\":\"0\",\"ip\":\"10.1.2.33\",\"name\":\"Lobby east\",\"power\":\"1\","
                           "\"status\":\"1\",\"temperature\":\"41\",\"terminalId\":\"1033\",\"type\":\"6\","
                           "\"volume\":\"60\"}]";
    QByteArray stream;
    for (int i = 0; i < messages; ++i) {
        switch (i % 3) {
        case 0:
            stream += "DBP/1.0 200 OK\r\nCSeq: " + QByteArray::number(i) + "\r\nContent-Length:0\r\n\r\n";
            break;
        case 1:
            stream += "POST DBP/1.0\r\nPacket-Type:SqlConfig\r\nPacket-Subtype:ipamp\r\nContent-Length:"
                + QByteArray::number(row.size()) + "\r\n\r\n" + row;
            break;
        default:
            stream += "DBP/1.0 200 OK\r\nCSeq: " + QByteArray::number(i) + "\r\nContent-Length:"
                + QByteArray::number(row.size()) + "\r\n\r\n" + row;
            break;
        }
    }
    return stream;
}

const QByteArray &stream()
{
    static const QByteArray s = typicalStream(30000);
    return s;
}

QByteArrayList framed()
{
    QByteArrayList out;
    StreamFramer framer;
    framer.feed(stream(), [&out](QByteArray &&h, QByteArray &&b) { out.append(h + b); });
    return out;
}

void feedInChunks(benchmark::State &state, const StreamFramer::Handler &handler)
{
    const QByteArray &s = stream();
    const qsizetype chunk = 64 * 1024;
    for (auto _ : state) {
        StreamFramer framer;
        for (qsizetype at = 0; at < s.size(); at += chunk)
            framer.feed(s.constData() + at, std::min(chunk, s.size() - at), handler);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * s.size());
}

void BM_FramerOnly(benchmark::State &state)
{
    int count = 0;
    feedInChunks(state, [&count](QByteArray &&h, QByteArray &&b) {
        benchmark::DoNotOptimize(h.constData());
        benchmark::DoNotOptimize(b.constData());
        ++count;
    });
}

void BM_ParseOnly(benchmark::State &state)
{
    const QByteArrayList messages = framed();
    for (auto _ : state) {
        OvServerRequest r;
        for (const QByteArray &m : messages) {
            r.parse(m);
            benchmark::DoNotOptimize(r.cseq);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * stream().size());
}

void BM_ClassifyOnly(benchmark::State &state)
{
    const QByteArrayList messages = framed();
    for (auto _ : state) {
        for (const QByteArray &m : messages)
            benchmark::DoNotOptimize(classify(m));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * stream().size());
}

void BM_FramerParseClassify(benchmark::State &state)
{
    OvServerRequest r;
    int answers = 0;
    feedInChunks(state, [&](QByteArray &&h, QByteArray &&b) {
        answers += classifyParts(h, b) == MessageClass::AnswerOk ? 1 : 0;
        r.parseParts(h, std::move(b));
    });
    benchmark::DoNotOptimize(answers);
}

} // namespace

BENCHMARK(BM_FramerOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassifyOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FramerParseClassify)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
