#include "managers/tasks/TaskXmlReader.h"

#include "managers/tasks/TaskText.h"

#include <tinyxml2.h>

namespace TaskXmlReader {

namespace {

constexpr int kNameBytes = 31;

// A missing attribute leaves the default; a non-numeric one gives 0.
template <typename Field>
void read(const tinyxml2::XMLElement *e, const char *attribute, Field &field)
{
    if (const char *value = e->Attribute(attribute))
        field = static_cast<Field>(tasktext::leadingDecimal(value));
}

QByteArray textOf(const tinyxml2::XMLElement *e, const char *attribute)
{
    const char *value = e->Attribute(attribute);
    return value ? QByteArray(value) : QByteArray();
}

void readAttributes(const tinyxml2::XMLElement *e, OvPlayTask &t)
{
    read(e, "id", t.id);
    read(e, "type", t.type);
    if (const char *name = e->Attribute("name"))
        t.name = tasktext::cutUtf8(QByteArray(name), kNameBytes);
    read(e, "mode", t.mode);
    read(e, "dur", t.duration);
    read(e, "power", t.power);
    read(e, "user", t.user);
    read(e, "lv", t.level);
    read(e, "rule", t.rule);
    read(e, "bdate", t.beginDate);
    read(e, "edate", t.endDate);
    read(e, "week", t.week);
    read(e, "src_type", t.sourceType);
    read(e, "em", t.em);
    read(e, "ev", t.ev);
    read(e, "emm", t.emm);
    read(e, "emv", t.emv);
    read(e, "elm", t.elm);
    read(e, "elv", t.elv);
    read(e, "fsrc", t.fileSource);
    read(e, "echannel", t.eChannel);
    read(e, "ei", t.ei);
    read(e, "mgr", t.manager);
    read(e, "user_code", t.userCode);
    read(e, "en", t.enabled);
    read(e, "exe", t.executing);
    read(e, "btime", t.beginTime);
    read(e, "SchemeID", t.schemeId);
}

// Only elements are visited: a comment or text between the children is not one.
template <typename Visit>
void forEachChild(const tinyxml2::XMLElement *parent, const char *name, Visit visit)
{
    for (const tinyxml2::XMLElement *c = parent->FirstChildElement(name); c; c = c->NextSiblingElement(name))
        visit(c);
}

} // namespace

bool parseTask(const tinyxml2::XMLElement *e, OvPlayTask &t)
{
    t = OvPlayTask();
    if (!e)
        return false;
    readAttributes(e, t);

    const tinyxml2::XMLElement *exec = e->FirstChildElement("exec");
    if (!exec)
        return false;
    forEachChild(exec, "e", [&t](const tinyxml2::XMLElement *c) {
        TaskExecTime time;
        read(c, "i", time.time);
        time.name = tasktext::cutUtf8(textOf(c, "n"), kNameBytes);
        read(c, "rule", time.rule);
        t.execTimes.push_back(std::move(time));
    });

    const tinyxml2::XMLElement *files = e->FirstChildElement("files");
    if (!files)
        return false;
    forEachChild(files, "f", [&t](const tinyxml2::XMLElement *c) {
        TaskFile file;
        read(c, "i", file.id);
        file.path = textOf(c, "n");
        const int slash = file.path.lastIndexOf('/');
        file.name = slash < 0 ? file.path : file.path.mid(slash + 1);
        read(c, "rule", file.rule);
        read(c, "t", file.type);
        if (!file.name.isEmpty())
            t.files.push_back(std::move(file));
    });

    if (const tinyxml2::XMLElement *tts = e->FirstChildElement("TtsInfo")) {
        t.ttsText = textOf(tts, "tts_text");
        read(tts, "role", t.ttsRole);
        read(tts, "speed", t.ttsSpeed);
        read(tts, "vol", t.ttsVolume);
        read(tts, "tone", t.ttsTone);
    }

    const tinyxml2::XMLElement *terminals = e->FirstChildElement("terminals");
    if (!terminals)
        return false;
    read(terminals, "vol", t.terminalsVolume);
    forEachChild(terminals, "t", [&t](const tinyxml2::XMLElement *c) {
        qint32 id = 0;
        read(c, "i", id);
        if (id != 0)
            t.terminalIds.push_back(id);
        if (c->Attribute("vol")) {
            qint32 volume = 0;
            read(c, "vol", volume);
            t.terminalVolumes.push_back(volume);
        }
    });
    return true;
}

} // namespace TaskXmlReader
