#include "managers/tasks/TaskXmlReader.h"

#include "managers/tasks/TaskText.h"

#include <tinyxml2.h>

#include <cstring>

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

template <typename Field>
void assign(const char *value, Field &field)
{
    field = static_cast<Field>(tasktext::leadingDecimal(value));
}

// One pass over the element's attributes (a task element has a dozen or so,
// and a list has thousands of tasks): each is matched once by name.
void readAttributes(const tinyxml2::XMLElement *e, OvPlayTask &t)
{
    using Setter = void (*)(const char *, OvPlayTask &);
    struct Entry { const char *name; Setter set; };
    static const Entry kEntries[] = {
        {"id", [](const char *v, OvPlayTask &x) { assign(v, x.id); }},
        {"type", [](const char *v, OvPlayTask &x) { assign(v, x.type); }},
        {"name", [](const char *v, OvPlayTask &x) { x.name = tasktext::cutUtf8(QByteArray(v), kNameBytes); }},
        {"mode", [](const char *v, OvPlayTask &x) { assign(v, x.mode); }},
        {"dur", [](const char *v, OvPlayTask &x) { assign(v, x.duration); }},
        {"power", [](const char *v, OvPlayTask &x) { assign(v, x.power); }},
        {"user", [](const char *v, OvPlayTask &x) { assign(v, x.user); }},
        {"lv", [](const char *v, OvPlayTask &x) { assign(v, x.level); }},
        {"rule", [](const char *v, OvPlayTask &x) { assign(v, x.rule); }},
        {"bdate", [](const char *v, OvPlayTask &x) { assign(v, x.beginDate); }},
        {"edate", [](const char *v, OvPlayTask &x) { assign(v, x.endDate); }},
        {"week", [](const char *v, OvPlayTask &x) { assign(v, x.week); }},
        {"src_type", [](const char *v, OvPlayTask &x) { assign(v, x.sourceType); }},
        {"em", [](const char *v, OvPlayTask &x) { assign(v, x.em); }},
        {"ev", [](const char *v, OvPlayTask &x) { assign(v, x.ev); }},
        {"emm", [](const char *v, OvPlayTask &x) { assign(v, x.emm); }},
        {"emv", [](const char *v, OvPlayTask &x) { assign(v, x.emv); }},
        {"elm", [](const char *v, OvPlayTask &x) { assign(v, x.elm); }},
        {"elv", [](const char *v, OvPlayTask &x) { assign(v, x.elv); }},
        {"fsrc", [](const char *v, OvPlayTask &x) { assign(v, x.fileSource); }},
        {"echannel", [](const char *v, OvPlayTask &x) { assign(v, x.eChannel); }},
        {"ei", [](const char *v, OvPlayTask &x) { assign(v, x.ei); }},
        {"mgr", [](const char *v, OvPlayTask &x) { assign(v, x.manager); }},
        {"user_code", [](const char *v, OvPlayTask &x) { assign(v, x.userCode); }},
        {"en", [](const char *v, OvPlayTask &x) { assign(v, x.enabled); }},
        {"exe", [](const char *v, OvPlayTask &x) { assign(v, x.executing); }},
        {"btime", [](const char *v, OvPlayTask &x) { assign(v, x.beginTime); }},
        {"SchemeID", [](const char *v, OvPlayTask &x) { assign(v, x.schemeId); }},
    };
    for (const tinyxml2::XMLAttribute *a = e->FirstAttribute(); a; a = a->Next()) {
        const char *name = a->Name();
        for (const Entry &entry : kEntries) {
            if (entry.name[0] == name[0] && std::strcmp(entry.name, name) == 0) {
                entry.set(a->Value(), t);
                break;
            }
        }
    }
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
