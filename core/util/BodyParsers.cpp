#include "util/BodyParsers.h"

#include <json/reader.h>
#include <json/writer.h>

#include <memory>

namespace body {

namespace {

bool parseWith(const Json::CharReaderBuilder &builder, const char *text, qsizetype length, Json::Value &out)
{
    out = Json::Value();
    if (!text || length <= 0)
        return false;
    try {
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        Json::Value parsed;
        std::string errors;
        if (!reader->parse(text, text + length, &parsed, &errors))
            return false;
        out = std::move(parsed);
        return true;
    } catch (...) {
        // JsonCpp throws when nesting passes its stack limit.
        out = Json::Value();
        return false;
    }
}

} // namespace

bool parseJson(const char *text, qsizetype length, Json::Value &out)
{
    static const Json::CharReaderBuilder builder = [] {
        Json::CharReaderBuilder b;
        b["collectComments"] = false;
        return b;
    }();
    return parseWith(builder, text, length, out);
}

bool parseStrictJson(const char *text, qsizetype length, Json::Value &out)
{
    static const Json::CharReaderBuilder builder = [] {
        Json::CharReaderBuilder b;
        Json::CharReaderBuilder::strictMode(&b.settings_);
        b["rejectDupKeys"] = false;
        b["collectComments"] = false;
        return b;
    }();
    return parseWith(builder, text, length, out);
}

bool parseXml(const QByteArray &text, tinyxml2::XMLDocument &doc)
{
    doc.Clear();
    if (text.isEmpty())
        return false;
    return doc.Parse(text.constData(), static_cast<size_t>(text.size())) == tinyxml2::XML_SUCCESS;
}

QByteArray writeJson(const Json::Value &value)
{
    static const Json::StreamWriterBuilder builder = [] {
        Json::StreamWriterBuilder b;
        b["indentation"] = "";
        b["emitUTF8"] = true;
        return b;
    }();
    std::string text = Json::writeString(builder, value);
    text.push_back('\n');
    return QByteArray(text.data(), static_cast<int>(text.size()));
}

QByteArray memberText(const Json::Value &object, const char *name)
{
    if (!object.isObject())
        return {};
    const Json::Value &member = object[name];
    if (member.isString()) {
        const char *begin = nullptr;
        const char *end = nullptr;
        member.getString(&begin, &end);
        return QByteArray(begin, static_cast<int>(end - begin));
    }
    if (member.isIntegral() || member.isDouble() || member.isBool())
        return QByteArray::fromStdString(member.asString());
    return {};
}

} // namespace body
