#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <type_traits>

class TrpComponent;

// The property mechanism of the report model.
//
// Every class of the model publishes its properties once, in TrpClassInfo: name, type and
// accessors; the default of a property is its value in a new object of the class (the class
// prototype). Nested values are published flat with dotted names ("Font.Height",
// "Frame.LeftLine.Width"). Everything that copies, compares or stores objects works on these
// lists and nothing else:
//
//   rpDiff(object, base)         the properties whose values differ from base (same class);
//                                rpDiff(object, prototype) gives what a template stores
//   rpAssign(target, source)     copies every property of source (same class)
//   rpSameProperties(a, b)       equality of every property
//   rpClone(object)              a new object of the same class with the same properties
//                                and clones of all its children
//   TrpObjectWriter / Reader     (rpStream.h) an object tree as XML, each object as one
//                                element holding only the properties that differ from a base
//
// Accessors are raw: setting a property through this mechanism has no side effect on other
// properties (setting Orientation does not rotate margins, setting Font does not clear
// ParentFont), so copies and streams reproduce an object whatever the order; afterwards the
// mechanism calls TrpComponent::Loaded() once, which re-derives what is derived.
//
// Preparation uses it so: the memory copy of a report taken before the engine runs is
// rpClone of the report, and the rebuild afterwards hands the copy's pages to the report
// (TrpReport::Assign), so the template consists of new instances with the values from before;
// a prepared page stores each object as an element named by its alias with rpDiff against
// its source copy (a writer with a base function), and is rebuilt with a reader whose factory
// answers a copy of the source object for an alias and a new object for a class name
// (rpPreviewPages.h). Prepared-report files are written and read by the same writer and
// reader.

enum class TrpPropType { Bool, Int, Float, String, Lines, Color, Enum, Set };

// The largest magnitude a number read from a document may have. No report needs more, and
// the preview and the printer must never be handed a billion-pixel page from a file.
inline constexpr double rpMaxNumber = 1e6;
// The longest side a page can have, in millimetres (five metres: longer than any sheet of
// the paper table, 863.6 × 1117.6 mm, or roll a printer takes).
inline constexpr double rpMaxPaperLength = 5000;
// The farthest an object can reach on such a page, in report pixels (5000 mm are 18898).
inline constexpr double rpMaxObjectLength = 20000;
// The tallest font, in report pixels (a quarter of a metre). Drawn for a 2400 dpi printer it
// is 25,000 device pixels, still within the 65,535 the font engine renders as glyphs.
inline constexpr double rpMaxFontHeight = 1000;

struct TrpProperty {
    QString name;
    TrpPropType type;
    QStringList names; // members of an Enum or a Set, in value order
    std::function<QVariant(const TrpComponent&)> get;
    std::function<void(TrpComponent&, const QVariant&)> set;
    bool fontPart = false; // not stored while the object's ParentFont is on
    double limit = rpMaxNumber; // of an Int or a Float read from a document, as a magnitude
    // Optional fast paths over the member itself, for objects of the same class: the same
    // result as comparing get() of both, and as set(target, get(source)). Preparation
    // compares and copies every property of every object of every page, and going through
    // QVariant would cost it most of its time. A property whose set does more than store
    // the value leaves copy empty.
    std::function<bool(const TrpComponent&, const TrpComponent&)> same;
    std::function<void(TrpComponent&, const TrpComponent&)> copy;
};

using TrpPropertyList = QList<TrpProperty>;

struct TrpClassInfo {
    QString name;
    const TrpClassInfo* base = nullptr;
    std::function<TrpComponent*()> create;
    std::function<void(TrpPropertyList&)> publish; // appends the class's own properties

    // The base class's properties followed by this class's own.
    const TrpPropertyList& properties() const;
    const TrpProperty* property(QStringView propertyName) const;
    // A new object of the class, kept for the life of the program: the defaults.
    const TrpComponent& prototype() const;

private:
    mutable std::unique_ptr<TrpPropertyList> fProperties;
    mutable std::unique_ptr<TrpComponent> fPrototype;
};

// The class of the model with this name; none for a name no class has.
const TrpClassInfo* rpFindClass(QStringView name);

struct TrpPropertyValue {
    const TrpProperty* property;
    QVariant value;
};

QList<TrpPropertyValue> rpDiff(const TrpComponent& object, const TrpComponent& base);
void rpAssign(TrpComponent& target, const TrpComponent& source);
bool rpSameProperties(const TrpComponent& a, const TrpComponent& b);
std::unique_ptr<TrpComponent> rpClone(const TrpComponent& object);

// Building blocks for the classes' publish functions: a property over a member reached by
// an accessor of the class.
template <class C, class Access>
TrpProperty rpField(QString name, TrpPropType type, Access access, QStringList names = {})
{
    TrpProperty p;
    p.name = std::move(name);
    p.type = type;
    p.names = std::move(names);
    p.get = [access](const TrpComponent& o) {
        const auto& value = access(const_cast<C&>(static_cast<const C&>(o)));
        using V = std::decay_t<decltype(value)>;
        if constexpr (std::is_enum_v<V>)
            return QVariant(static_cast<int>(value));
        else
            return QVariant::fromValue(value);
    };
    p.set = [access](TrpComponent& o, const QVariant& v) {
        auto& value = access(static_cast<C&>(o));
        using V = std::decay_t<decltype(value)>;
        if constexpr (std::is_enum_v<V>)
            value = static_cast<V>(v.toInt());
        else
            value = v.value<V>();
    };
    p.same = [access](const TrpComponent& a, const TrpComponent& b) {
        return access(const_cast<C&>(static_cast<const C&>(a)))
            == access(const_cast<C&>(static_cast<const C&>(b)));
    };
    p.copy = [access](TrpComponent& target, const TrpComponent& source) {
        access(static_cast<C&>(target)) = access(const_cast<C&>(static_cast<const C&>(source)));
    };
    return p;
}
