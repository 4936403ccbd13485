// Reading "config.ini": whatever the file holds, the store reads it, the text
// it writes back reads the same values and is written back unchanged, and a
// value the console stores reads back after the file is written and read
// again.
#include "FuzzSupport.h"

#include "config/IniStore.h"

#include <QByteArrayList>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QByteArray kSections[] = {"Setting", "setting", "", "Setting "};
const QByteArray kKeys[] = {"User", "Passwd", "ServerIp", "ServerPort", "FtpUser", "FtpPasswd", "FtpPort",
                            "Title", "MediaLastFilePath", "LogLastFilePath", "user", ""};

// Every section name and key that appears in the text, besides the ones the
// console itself uses, so values the file alone holds are compared too.
std::vector<std::pair<QByteArray, QByteArray>> namesIn(const QByteArray &text)
{
    std::vector<std::pair<QByteArray, QByteArray>> names;
    QByteArrayList sections(std::begin(kSections), std::end(kSections));
    QByteArrayList keys(std::begin(kKeys), std::end(kKeys));
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray t = line.trimmed();
        if (t.startsWith('['))
            sections.append(t.mid(1, t.indexOf(']') < 0 ? -1 : t.indexOf(']') - 1));
        else if (t.indexOf('=') > 0)
            keys.append(t.left(t.indexOf('=')).trimmed());
    }
    for (const QByteArray &s : sections) {
        for (const QByteArray &k : keys)
            names.emplace_back(s, k);
    }
    return names;
}

// What a value the console stores may hold and still read back whole: the
// store ends a read value at the first blank and a line at its end.
QByteArray storableValue(const QByteArray &bytes)
{
    QByteArray value;
    for (char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            value.append(c);
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::quietQtLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the value the console stores and where; the last
    // few input bytes are that value, the rest the file.
    const unsigned selector = data[0];
    const QByteArray input = fuzzsupport::bytesFrom(data, size, 1);
    const int valueLength = std::min<int>(input.size(), static_cast<int>(selector % 16));
    const QByteArray file = input.left(input.size() - valueLength);
    const QByteArray stored = storableValue(input.right(valueLength));

    IniStore first;
    first.loadText(file);
    const QByteArray written = first.text();
    IniStore second;
    second.loadText(written);
    FUZZ_CHECK(second.text() == written);
    for (const auto &[section, key] : namesIn(file))
        FUZZ_CHECK(first.value(section, key) == second.value(section, key));

    const QByteArray &section = kSections[(selector >> 4) % 2];
    const QByteArray &key = kKeys[(selector >> 5) % 7];
    second.setValue(section, key, stored);
    IniStore third;
    third.loadText(second.text());
    FUZZ_CHECK(third.value(section, key) == std::optional<QByteArray>(stored));
    return 0;
}
