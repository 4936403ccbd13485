// Every family's row reading over rows built from the input. Ids and integer
// members must read as the standard conversions read them (atoi-like and
// clamped for most, std::stoi for a capture box's id), and an empty name must
// become the family's default name.
//
// An input that starts with "[" is a list body and goes through the row
// reader. Any other input is cut at 0xFF bytes into members: the first byte
// of a piece picks the key and the kind of value, the rest is the value, so
// the fuzzer reaches every key without having to write JSON.
#include "FuzzSupport.h"

#include "managers/callstations/CallStationRows.h"
#include "managers/callstations/OvMicBtnCall.h"
#include "managers/capture/OvCap.h"
#include "managers/common/RowFields.h"
#include "managers/common/RowSplitter.h"
#include "managers/firealarm/FAlarmChannels.h"
#include "managers/firealarm/OvFAlarm.h"
#include "managers/m37/OvM37.h"
#include "managers/mic/MicBookEntry.h"
#include "managers/mic/OvMic.h"
#include "managers/terminals/OvTerminal.h"
#include "managers/tts/OvTts.h"
#include "util/BodyParsers.h"

#include <QByteArrayList>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

const char *const kKeys[] = {
    "terminalId", "ip", "name", "type", "status", "work", "exten", "ver", "broVol", "power", "ampTemp",
    "localTemp", "speaker", "input", "defaultVolumn", "defaultPower", "isDefault", "warnTempThreshold",
    "fanTempThreshold", "maxVol", "transportTcp", "masterId", "capVol", "bellVol", "callVol", "pttMode", "ppt",
    "aec", "ledColor", "switchMode", "displayTime", "ledTxt", "capSamplerate", "broadcast", "shortCircuit",
    "broadcastTrigger", "stopBroadcast", "triggerType", "startCall", "stopCall", "mic35Id", "groupId", "orderId",
    "contactId", "contactType", "transferId", "transferType", "monitorId", "monitorType", "sourceId", "regionId",
};
constexpr unsigned kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);

QByteArray textOf(const Json::Value &row, const char *key)
{
    return body::memberText(row, key);
}

// The C library's reading of a decimal text, clamped to int.
int atoiClamped(const QByteArray &text)
{
    const std::string s(text.constData(), static_cast<size_t>(text.size()));
    errno = 0;
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

int atoiOf(const Json::Value &row, const char *key)
{
    return atoiClamped(textOf(row, key));
}

std::optional<int> stoiOf(const QByteArray &text)
{
    try {
        return std::stoi(std::string(text.constData(), static_cast<size_t>(text.size())));
    } catch (const std::invalid_argument &) {
    } catch (const std::out_of_range &) {
    }
    return std::nullopt;
}

QByteArray nameOr(const Json::Value &row, const QByteArray &fallback)
{
    const QByteArray name = textOf(row, "name");
    return name.isEmpty() ? fallback : name;
}

void checkTerminal(const Json::Value &row)
{
    const OvTerminal t = OvTerminal::fromRow(row);
    const QByteArray idText = textOf(row, "terminalId");
    FUZZ_CHECK(t.id == atoiClamped(idText));
    FUZZ_CHECK(t.name == nameOr(row, idText));
    FUZZ_CHECK(t.status == atoiOf(row, "status"));
    FUZZ_CHECK(t.speaker == atoiOf(row, "speaker"));
    FUZZ_CHECK(t.maxVol == (rows::has(row, "maxVol") ? atoiOf(row, "maxVol") : -1));
    FUZZ_CHECK(t.master_id == (rows::has(row, "masterId") ? atoiOf(row, "masterId") : 0));
    (void)t.toString();
}

void checkMicrophones(const Json::Value &row)
{
    const int id = atoiOf(row, "terminalId");
    const OvMic mic = OvMic::fromMicRow(row);
    FUZZ_CHECK(mic.id == id);
    FUZZ_CHECK(mic.name == nameOr(row, "M35_" + QByteArray::number(id)));
    FUZZ_CHECK(mic.pttMode == (rows::has(row, "pttMode") ? atoiOf(row, "pttMode") : -1));
    (void)mic.toString();

    const OvMic playing = OvMic::fromPlayingRow(row);
    const QByteArray exten = textOf(row, "exten");
    const QByteArray prefix = exten.isEmpty() || exten == "--" ? textOf(row, "type") : exten;
    FUZZ_CHECK(playing.name == nameOr(row, prefix + '_' + QByteArray::number(id)));

    const OvMic m26 = callstations::m26FromRow(row);
    FUZZ_CHECK(m26.id == id);
    FUZZ_CHECK(m26.name == nameOr(row, "M26_" + QByteArray::number(id)));
    FUZZ_CHECK(m26.ppt == atoiOf(row, "ppt"));

    // An M48 without a name is called after its extended model code, or
    // "M48" when it has none ("--").
    const OvMic m48 = callstations::m48FromRow(row);
    FUZZ_CHECK(m48.id == id);
    FUZZ_CHECK(m48.name == nameOr(row, (exten == "--" ? QByteArray("M48") : exten) + '_' + QByteArray::number(id)));
    FUZZ_CHECK(m48.ledTxt == textOf(row, "ledTxt"));

    const OvMicBtnCall call = OvMicBtnCall::fromRow(row);
    FUZZ_CHECK(call.terminalId == id);
    FUZZ_CHECK(call.mic35Id == atoiOf(row, "mic35Id"));

    for (int book : {266, 270, 272, 274, 276, 0}) {
        const MicBookEntry e = MicBookEntry::fromRow(book, row);
        FUZZ_CHECK(e.terminalId == id);
        FUZZ_CHECK(book != 0 || (e.targetId == 0 && e.targetType == 0));
    }
}

void checkOtherFamilies(const Json::Value &row)
{
    const QByteArray idText = textOf(row, "terminalId");

    // A capture box's id is read strictly: a text std::stoi refuses gives no box.
    const std::optional<OvCap> cap = OvCap::fromRow(row);
    const std::optional<int> strict = stoiOf(idText);
    FUZZ_CHECK(cap.has_value() == strict.has_value());
    if (cap) {
        FUZZ_CHECK(cap->id == *strict);
        FUZZ_CHECK(cap->name == nameOr(row, "Cap_" + idText));
        FUZZ_CHECK(cap->capSamplerate == atoiOf(row, "capSamplerate"));
    }

    const OvTts tts = OvTts::fromRow(row);
    FUZZ_CHECK(tts.id == atoiClamped(idText));
    FUZZ_CHECK(tts.name == nameOr(row, idText));

    const OvM37 m37 = OvM37::fromRow(row);
    FUZZ_CHECK(m37.id == atoiClamped(idText));
    FUZZ_CHECK(m37.name == nameOr(row, "M37_" + QByteArray::number(m37.id)));

    const OvFAlarm alarm = OvFAlarm::fromRow(row);
    FUZZ_CHECK(alarm.id == atoiClamped(idText));
    FUZZ_CHECK(alarm.name == nameOr(row, "FAlarm_" + idText));
    FUZZ_CHECK(alarm.shortCircuit == atoiOf(row, "shortCircuit"));
    for (int channel = -1; channel <= 33; ++channel) {
        const bool expected = channel >= 1 && channel <= 31
                              && ((static_cast<unsigned>(alarm.shortCircuit) >> (channel - 1)) & 1u) != 0;
        FUZZ_CHECK(alarm.channelTriggered(channel) == expected);
    }
    const QVector<FAlarmChannel> channels = parseFAlarmChannels(alarm.broadcast);
    FUZZ_CHECK(!channels.isEmpty());
    for (int i = 0; i < channels.size(); ++i)
        FUZZ_CHECK(channels[i].number == i + 1);
}

void checkRow(const Json::Value &row)
{
    checkTerminal(row);
    checkMicrophones(row);
    checkOtherFamilies(row);
}

// One member from a piece of the input: its first byte picks the key and
// whether the value is a text, an integer, a floating-point number or a
// boolean / null.
void addMember(Json::Value &row, const QByteArray &piece)
{
    if (piece.isEmpty())
        return;
    const unsigned selector = static_cast<unsigned char>(piece[0]);
    const char *key = kKeys[selector % kKeyCount];
    const QByteArray value = piece.mid(1);
    const std::string digits(value.constData(), static_cast<size_t>(value.size()));
    switch ((selector / kKeyCount) % 4) {
    case 0:
        row[key] = rows::jsonText(value);
        break;
    case 1:
        row[key] = Json::Value(static_cast<Json::Int64>(std::strtoll(digits.c_str(), nullptr, 10)));
        break;
    case 2: {
        const double d = std::strtod(digits.c_str(), nullptr);
        row[key] = std::isfinite(d) ? Json::Value(d) : Json::Value(0.0);
        break;
    }
    default:
        row[key] = value.isEmpty() ? Json::Value() : Json::Value((value[0] & 1) != 0);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::quietQtLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzsupport::bytesFrom(data, size, 0);
    if (input.startsWith('[')) {
        rows::forEachRow(input, checkRow);
        return 0;
    }
    Json::Value row(Json::objectValue);
    for (const QByteArray &piece : input.split('\xff'))
        addMember(row, piece);
    checkRow(row);
    return 0;
}
