#include "rpProperty.h"

#include "rpComponent.h"

const TrpPropertyList& TrpClassInfo::properties() const
{
    if (!fProperties) {
        auto list
            = std::make_unique<TrpPropertyList>(base ? base->properties() : TrpPropertyList());
        publish(*list);
        fProperties = std::move(list);
    }
    return *fProperties;
}

const TrpProperty* TrpClassInfo::property(QStringView propertyName) const
{
    for (const TrpProperty& p : properties()) {
        if (p.name == propertyName)
            return &p;
    }
    return nullptr;
}

const TrpComponent& TrpClassInfo::prototype() const
{
    if (!fPrototype)
        fPrototype.reset(create());
    return *fPrototype;
}

namespace {

// Font values of an object that follows its parent's font come from the parent.
bool isStored(const TrpProperty& property, const TrpComponent& object)
{
    return !(property.fontPart && object.ParentFont() && object.Parent());
}

} // namespace

QList<TrpPropertyValue> rpDiff(const TrpComponent& object, const TrpComponent& base)
{
    Q_ASSERT(&object.classInfo() == &base.classInfo());
    QList<TrpPropertyValue> diff;
    for (const TrpProperty& p : object.classInfo().properties()) {
        if (!isStored(p, object))
            continue;
        if (p.same) {
            if (!p.same(object, base))
                diff.append({&p, p.get(object)});
            continue;
        }
        QVariant value = p.get(object);
        if (value != p.get(base))
            diff.append({&p, std::move(value)});
    }
    return diff;
}

void rpAssign(TrpComponent& target, const TrpComponent& source)
{
    Q_ASSERT(&target.classInfo() == &source.classInfo());
    for (const TrpProperty& p : source.classInfo().properties()) {
        if (p.copy)
            p.copy(target, source);
        else
            p.set(target, p.get(source));
    }
    target.Loaded();
}

bool rpSameProperties(const TrpComponent& a, const TrpComponent& b)
{
    if (&a.classInfo() != &b.classInfo())
        return false;
    for (const TrpProperty& p : a.classInfo().properties()) {
        if (p.same ? !p.same(a, b) : p.get(a) != p.get(b))
            return false;
    }
    return true;
}

std::unique_ptr<TrpComponent> rpClone(const TrpComponent& object)
{
    std::unique_ptr<TrpComponent> copy(object.classInfo().create());
    rpAssign(*copy, object);
    for (const TrpComponent* child : object.Objects()) {
        copy->Adopt(rpClone(*child));
    }
    return copy;
}
