#include "rpStream.h"

#include "rpClass.h"

#include <QHash>
#include <QIODevice>
#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>
#include <optional>

namespace {

// Deeper nesting than any report has is refused rather than followed.
constexpr int kMaxDepth = 32;

const QString kLines = QStringLiteral("Lines");
const QString kLine = QStringLiteral("Line");
const QString kName = QStringLiteral("Name");
const QString kValue = QStringLiteral("Value");
const QString kEncoding = QStringLiteral("Encoding");
const QString kUtf16 = QStringLiteral("utf16");

// Whether XML carries the text unchanged: no character XML forbids, and no carriage
// return, which a reader turns into a line feed.
bool xmlSafe(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || (c < 0x20 && c != u'\t' && c != u'\n') || c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 == text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

// Texts XML cannot carry are written as their UTF-16 code units in hexadecimal.
QString toUtf16Hex(const QString& text)
{
    QString hex;
    for (const QChar c : text)
        hex += QString::number(c.unicode(), 16).rightJustified(4, u'0');
    return hex;
}

std::optional<QString> fromUtf16Hex(const QString& hex)
{
    if (hex.size() % 4 != 0)
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i < hex.size(); i += 4) {
        bool ok = false;
        const ushort unit = hex.mid(i, 4).toUShort(&ok, 16);
        if (!ok)
            return std::nullopt;
        text += QChar(unit);
    }
    return text;
}

QString formatValue(const TrpProperty& p, const QVariant& value)
{
    switch (p.type) {
    case TrpPropType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case TrpPropType::Int:
        return QString::number(value.toInt());
    case TrpPropType::Float:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case TrpPropType::Color:
        return QStringLiteral("0x")
            + QString::number(value.toUInt(), 16).toUpper().rightJustified(8, u'0');
    case TrpPropType::Enum:
        return p.names.value(value.toInt());
    case TrpPropType::Set: {
        QStringList members;
        for (int i = 0; i < p.names.size(); ++i) {
            if (value.toInt() & rpBit(i))
                members.append(p.names[i]);
        }
        return members.join(u',');
    }
    case TrpPropType::String:
    case TrpPropType::Lines:
        break;
    }
    return value.toString();
}

QString outOfRange(double value) { return QStringLiteral("%1 is out of range").arg(value); }

// The value of an attribute; on failure an invalid variant and the reason in error.
QVariant parseValue(const TrpProperty& p, const QString& text, QString& error)
{
    bool ok = false;
    switch (p.type) {
    case TrpPropType::Bool:
        if (text == u"true")
            return true;
        if (text == u"false")
            return false;
        error = QStringLiteral("\"%1\" is not a boolean value").arg(text);
        return {};
    case TrpPropType::Int: {
        const int value = text.toInt(&ok);
        if (!ok)
            error = QStringLiteral("\"%1\" is not a valid integer value").arg(text);
        else if (std::abs(double(value)) > p.limit)
            error = outOfRange(value);
        else
            return value;
        return {};
    }
    case TrpPropType::Float: {
        const double value = text.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            error = QStringLiteral("\"%1\" is not a valid floating point value").arg(text);
        else if (std::abs(value) > p.limit)
            error = outOfRange(value);
        else
            return value;
        return {};
    }
    case TrpPropType::Color: {
        const quint32 value
            = text.startsWith(u"0x") ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok);
        if (ok)
            return QVariant::fromValue(value);
        error = QStringLiteral("\"%1\" is not a valid colour").arg(text);
        return {};
    }
    case TrpPropType::Enum: {
        const int value = static_cast<int>(p.names.indexOf(text));
        if (value >= 0)
            return value;
        error = QStringLiteral("\"%1\" is not one of %2").arg(text, p.names.join(u", "));
        return {};
    }
    case TrpPropType::Set: {
        int value = 0;
        for (const QString& member : text.split(u',', Qt::SkipEmptyParts)) {
            const qsizetype bit = p.names.indexOf(member.trimmed());
            if (bit < 0) {
                error = QStringLiteral("\"%1\" is not one of %2").arg(member, p.names.join(u", "));
                return {};
            }
            value |= rpBit(static_cast<int>(bit));
        }
        return value;
    }
    case TrpPropType::String:
        return text;
    case TrpPropType::Lines:
        break;
    }
    error = QStringLiteral("the value belongs in a Lines element");
    return {};
}

std::unique_ptr<TrpComponent> newObjectOfClass(QStringView name)
{
    const TrpClassInfo* info = rpFindClass(name);
    return info ? std::unique_ptr<TrpComponent>(info->create()) : nullptr;
}

} // namespace

TrpObjectWriter::TrpObjectWriter(
    QXmlStreamWriter& xml, BaseFunction base, ChildrenFunction children)
    : fXml(xml), fBase(std::move(base)), fChildren(std::move(children))
{
}

void TrpObjectWriter::write(const TrpComponent& object)
{
    const TrpElement element
        = fBase ? fBase(object) : TrpElement {object.ClassName(), &object.classInfo().prototype()};
    fXml.writeStartElement(element.name);
    const QList<TrpPropertyValue> diff = rpDiff(object, *element.base);
    QList<TrpPropertyValue> encoded;
    for (const TrpPropertyValue& v : diff) {
        if (v.property->type == TrpPropType::Lines)
            continue;
        const QString text = formatValue(*v.property, v.value);
        if (xmlSafe(text))
            fXml.writeAttribute(v.property->name, text);
        else
            encoded.append(v);
    }
    for (const TrpPropertyValue& v : encoded) {
        fXml.writeStartElement(kValue);
        fXml.writeAttribute(kName, v.property->name);
        fXml.writeAttribute(kEncoding, kUtf16);
        fXml.writeCharacters(toUtf16Hex(formatValue(*v.property, v.value)));
        fXml.writeEndElement();
    }
    for (const TrpPropertyValue& v : diff) {
        if (v.property->type != TrpPropType::Lines)
            continue;
        fXml.writeStartElement(kLines);
        fXml.writeAttribute(kName, v.property->name);
        for (const QString& line : v.value.toStringList()) {
            fXml.writeStartElement(kLine);
            if (xmlSafe(line)) {
                fXml.writeCharacters(line);
            } else {
                fXml.writeAttribute(kEncoding, kUtf16);
                fXml.writeCharacters(toUtf16Hex(line));
            }
            fXml.writeEndElement();
        }
        fXml.writeEndElement();
    }
    if (fChildren) {
        for (const TrpComponent* child : fChildren(object))
            write(*child);
    } else {
        for (const TrpComponent* child : object.Objects())
            write(*child);
    }
    fXml.writeEndElement();
}

TrpObjectReader::TrpObjectReader(QXmlStreamReader& xml, Factory factory)
    : fXml(xml), fFactory(factory ? std::move(factory) : Factory(newObjectOfClass))
{
}

std::unique_ptr<TrpComponent> TrpObjectReader::read() { return readElement(0, nullptr); }

void TrpObjectReader::fail(
    const QString& object, const QString& property, const QString& reason) const
{
    throw EReadError(TrpReadFault {fXml.lineNumber(), 0, object, property, reason});
}

void TrpObjectReader::fail(const QString& reason) const { fail({}, {}, reason); }

std::unique_ptr<TrpComponent> TrpObjectReader::readElement(int depth, TrpComponent* parent)
{
    const qint64 line = fXml.lineNumber();
    const QString element = fXml.name().toString();
    if (depth > kMaxDepth)
        fail(element, {}, QStringLiteral("objects are nested too deeply"));
    std::unique_ptr<TrpComponent> object = fFactory(element);
    if (!object)
        fail(QStringLiteral("unknown class \"%1\"").arg(element));

    const QXmlStreamAttributes attributes = fXml.attributes();
    const QString objectName
        = attributes.hasAttribute(kName) ? attributes.value(kName).toString() : element;
    const TrpClassInfo& info = object->classInfo();
    QHash<const TrpProperty*, QVariant> values;
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QString propertyName = attribute.name().toString();
        const TrpProperty* property = info.property(propertyName);
        if (!property || property->type == TrpPropType::Lines)
            fail(objectName, propertyName, QStringLiteral("unknown property of %1").arg(info.name));
        QString error;
        const QVariant value = parseValue(*property, attribute.value().toString(), error);
        if (!error.isEmpty())
            fail(objectName, propertyName, error);
        values.insert(property, value);
    }
    for (const TrpProperty& property : info.properties()) {
        if (const auto found = values.constFind(&property); found != values.constEnd())
            property.set(*object, *found);
    }
    object->Loaded();
    TrpComponent* self = object.get();
    // A root object goes back to the caller; any other belongs to its parent.
    std::unique_ptr<TrpComponent> root;
    if (parent) {
        try {
            parent->Adopt(std::move(object));
        } catch (const EDuplicateName& e) {
            throw EReadError(TrpReadFault {line, 0, {}, {}, e.message()});
        }
    } else {
        root = std::move(object);
    }

    while (!fXml.atEnd()) {
        fXml.readNext();
        if (fXml.isEndElement())
            return root;
        if (fXml.isCharacters() && !fXml.isWhitespace())
            fail(objectName, {}, QStringLiteral("unexpected text"));
        if (!fXml.isStartElement())
            continue;
        if (fXml.name() == kLines) {
            readLines(*self);
            continue;
        }
        if (fXml.name() == kValue) {
            readValue(*self);
            continue;
        }
        readElement(depth + 1, self);
    }
    fail(fXml.hasError() ? fXml.errorString() : QStringLiteral("unexpected end of document"));
}

void TrpObjectReader::readLines(TrpComponent& object)
{
    const QString propertyName = fXml.attributes().value(kName).toString();
    const TrpProperty* property = object.classInfo().property(propertyName);
    if (!property || property->type != TrpPropType::Lines)
        fail(object.Name(), propertyName,
            QStringLiteral("unknown list property of %1").arg(object.ClassName()));
    QStringList lines;
    while (fXml.readNextStartElement()) {
        if (fXml.name() != kLine)
            fail(object.Name(), propertyName,
                QStringLiteral("unexpected element \"%1\"").arg(fXml.name().toString()));
        lines.append(readText(object, propertyName));
    }
    if (fXml.hasError())
        fail(object.Name(), propertyName, fXml.errorString());
    property->set(object, lines);
}

QString TrpObjectReader::readText(const TrpComponent& object, const QString& propertyName)
{
    const QString encoding = fXml.attributes().value(kEncoding).toString();
    QString text = fXml.readElementText();
    if (fXml.hasError())
        fail(object.Name(), propertyName, fXml.errorString());
    if (encoding.isEmpty())
        return text;
    const std::optional<QString> decoded
        = encoding == kUtf16 ? fromUtf16Hex(text) : std::optional<QString>();
    if (!decoded)
        fail(object.Name(), propertyName,
            QStringLiteral("the text is not in %1 encoding").arg(encoding));
    return *decoded;
}

void TrpObjectReader::readValue(TrpComponent& object)
{
    const QString propertyName = fXml.attributes().value(kName).toString();
    const TrpProperty* property = object.classInfo().property(propertyName);
    if (!property || property->type == TrpPropType::Lines)
        fail(object.Name(), propertyName,
            QStringLiteral("unknown property of %1").arg(object.ClassName()));
    const QString text = readText(object, propertyName);
    QString error;
    const QVariant value = parseValue(*property, text, error);
    if (!error.isEmpty())
        fail(object.Name(), propertyName, error);
    property->set(object, value);
}

void rpWriteReport(QIODevice& device, const TrpCustomReport& report)
{
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    TrpObjectWriter(xml).write(report);
    xml.writeEndDocument();
    if (xml.hasError())
        throw platform::Exception(QStringLiteral("Unable to write the report"));
}

std::unique_ptr<TrpCustomReport> rpReadReport(QIODevice& device)
{
    QXmlStreamReader xml(&device);
    if (!xml.readNextStartElement())
        throw EReadError(TrpReadFault {xml.lineNumber(), 0, {}, {},
            xml.hasError() ? xml.errorString() : QStringLiteral("the document holds no report")});
    const qint64 rootLine = xml.lineNumber();
    TrpObjectReader reader(xml);
    std::unique_ptr<TrpComponent> root = reader.read();
    if (!dynamic_cast<TrpCustomReport*>(root.get()))
        throw EReadError(TrpReadFault {rootLine, 0, {}, {},
            QStringLiteral("the document holds a %1, not a report").arg(root->ClassName())});
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        throw EReadError(TrpReadFault {xml.lineNumber(), 0, {}, {}, xml.errorString()});
    return std::unique_ptr<TrpCustomReport>(static_cast<TrpCustomReport*>(root.release()));
}
