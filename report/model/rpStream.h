#pragma once

#include "rpComponent.h"
#include "rpReadError.h"

#include <functional>
#include <memory>

class QIODevice;
class QXmlStreamReader;
class QXmlStreamWriter;
class TrpCustomReport;

// How an object is written: the element's name and the object whose values it is compared
// with (only differing properties are written).
struct TrpElement {
    QString name;
    const TrpComponent* base;
};

// Writes an object and its children as XML elements. By default each element is named by
// its class and holds the properties that differ from a new object of that class.
//   <TrpMemoView Name="Memo1" Left="11.33859" HAlign="haCenter">
//     <Lines Name="Memo"><Line>text</Line></Lines>
//   </TrpMemoView>
// A text XML cannot carry (control characters, a carriage return, a lone surrogate) is
// written as UTF-16 code units in hexadecimal: <Line Encoding="utf16">0001</Line>, and for
// a single value <Value Name="ReportOptions.Name" Encoding="utf16">0001</Value>.
// The children function chooses which objects are written inside an object (by default
// its children, in order).
class TrpObjectWriter {
public:
    using BaseFunction = std::function<TrpElement(const TrpComponent&)>;
    using ChildrenFunction = std::function<QList<TrpComponent*>(const TrpComponent&)>;

    explicit TrpObjectWriter(
        QXmlStreamWriter& xml, BaseFunction base = {}, ChildrenFunction children = {});
    void write(const TrpComponent& object);

private:
    QXmlStreamWriter& fXml;
    BaseFunction fBase;
    ChildrenFunction fChildren;
};

// Reads what TrpObjectWriter wrote. The factory turns an element's name into a new object
// (by default: a new object of the class so named; none for a name it does not know) on
// which the element's properties are set in published order.
class TrpObjectReader {
public:
    using Factory = std::function<std::unique_ptr<TrpComponent>(QStringView element)>;

    explicit TrpObjectReader(QXmlStreamReader& xml, Factory factory = {});
    // Reads the element the reader stands on (a start element) with all its children.
    std::unique_ptr<TrpComponent> read();

private:
    // An object joins its parent (when it has one) before its children are read, so that a
    // name taken twice is reported on the line of the second object; only the root is
    // returned.
    std::unique_ptr<TrpComponent> readElement(int depth, TrpComponent* parent);
    void readLines(TrpComponent& object);
    void readValue(TrpComponent& object);
    QString readText(const TrpComponent& object, const QString& propertyName);
    [[noreturn]] void fail(
        const QString& object, const QString& property, const QString& reason) const;
    [[noreturn]] void fail(const QString& reason) const;

    QXmlStreamReader& fXml;
    Factory fFactory;
};

// A whole report as a document, and back into a new report.
void rpWriteReport(QIODevice& device, const TrpCustomReport& report);
std::unique_ptr<TrpCustomReport> rpReadReport(QIODevice& device);
