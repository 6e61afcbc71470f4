#include "rpComponent.h"

#include "rpCustomReport.h"
#include "rpPages.h"
#include "rpPublish.h"
#include "rpViews.h"

#include <atomic>

namespace {

QChar upperAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

void collect(const TrpComponent& node, QList<TrpComponent*>& list)
{
    for (TrpComponent* child : node.Objects()) {
        list.append(child);
        collect(*child, list);
    }
}

} // namespace

bool rpSameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upperAsciiLetter(a[i]) != upperAsciiLetter(b[i]))
            return false;
    }
    return true;
}

namespace {

std::atomic<qsizetype> gInstances {0};

} // namespace

qsizetype TrpComponent::InstanceCount() { return gInstances.load(std::memory_order_relaxed); }

TrpComponent::TrpComponent(TrpComponent* owner)
{
    gInstances.fetch_add(1, std::memory_order_relaxed);
    if (owner) {
        try {
            SetParent(owner);
        } catch (...) {
            gInstances.fetch_sub(1, std::memory_order_relaxed);
            throw;
        }
    }
}

TrpComponent::~TrpComponent()
{
    gInstances.fetch_sub(1, std::memory_order_relaxed);
    const QList<TrpComponent*> children = FObjects;
    for (TrpComponent* child : children)
        delete child;
    if (FParent)
        FParent->FObjects.removeOne(this);
}

const TrpClassInfo& TrpComponent::staticClassInfo()
{
    static const TrpClassInfo info = rpClassInfo<TrpComponent, void>("TrpComponent");
    return info;
}

const TrpClassInfo& TrpComponent::classInfo() const { return staticClassInfo(); }

void TrpComponent::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    list.append(rpField<TrpComponent>(
        "Name", T::String, [](TrpComponent & c) -> auto& { return c.FName; }));
    rpPublishFont<TrpComponent>(
        list, [](TrpComponent & c) -> auto& { return c.FFont; });
    list.append(rpField<TrpComponent>(
        "ParentFont", T::Bool, [](TrpComponent & c) -> auto& { return c.FParentFont; }));
    list.append(rpField<TrpComponent>(
        "Visible", T::Bool, [](TrpComponent & c) -> auto& { return c.FVisible; }));
}

QString TrpComponent::BaseName() const
{
    QString name = ClassName();
    if (name.startsWith(u"Trp"))
        name.remove(0, 3);
    return name.remove(QStringLiteral("View"));
}

void TrpComponent::SetName(const QString& name)
{
    if (const TrpCustomReport* report = Report(); report && !name.isEmpty()) {
        if (const TrpComponent* other = report->FindObject(name); other && other != this)
            throw EDuplicateName(QStringLiteral("A component named %1 already exists").arg(name));
        if (report != this && rpSameName(report->Name(), name))
            throw EDuplicateName(QStringLiteral("A component named %1 already exists").arg(name));
    }
    FName = name;
}

void TrpComponent::checkNamesFree(const TrpCustomReport* report) const
{
    if (!report)
        return;
    QList<const TrpComponent*> moved {this};
    for (const TrpComponent* child : AllObjects())
        moved.append(child);
    QList<const TrpComponent*> taken {report};
    for (const TrpComponent* object : report->AllObjects()) {
        if (!moved.contains(object))
            taken.append(object);
    }
    // The moved tree is checked against the report and against itself, so a tree built
    // outside a report cannot bring two objects of one name into it.
    for (const TrpComponent* object : moved) {
        if (object->FName.isEmpty())
            continue;
        for (const TrpComponent* other : taken) {
            if (rpSameName(other->FName, object->FName))
                throw EDuplicateName(
                    QStringLiteral("A component named %1 already exists").arg(object->FName));
        }
        taken.append(object);
    }
}

void TrpComponent::Adopt(std::unique_ptr<TrpComponent> child)
{
    child->SetParent(this);
    static_cast<void>(child.release());
}

void TrpComponent::SetParent(TrpComponent* parent)
{
    if (parent == FParent)
        return;
    for (const TrpComponent* node = parent; node; node = node->FParent) {
        if (node == this)
            throw platform::Exception(
                QStringLiteral("%1 cannot be put inside itself").arg(ClassName()));
    }
    if (parent)
        checkNamesFree(parent->Report());
    if (FParent)
        FParent->FObjects.removeOne(this);
    FParent = parent;
    if (FParent) {
        FParent->FObjects.append(this);
        if (FParentFont) {
            FFont = FParent->FFont;
            FontChanged();
        }
    }
}

QList<TrpComponent*> TrpComponent::AllObjects() const
{
    QList<TrpComponent*> list;
    collect(*this, list);
    return list;
}

TrpComponent* TrpComponent::FindObject(const QString& name) const
{
    for (TrpComponent* object : AllObjects()) {
        if (rpSameName(object->FName, name))
            return object;
    }
    return nullptr;
}

TrpCustomReport* TrpComponent::Report() const
{
    for (const TrpComponent* node = this; node; node = node->FParent) {
        if (auto* report = dynamic_cast<const TrpCustomReport*>(node))
            return const_cast<TrpCustomReport*>(report);
    }
    return nullptr;
}

TrpPage* TrpComponent::Page() const
{
    for (const TrpComponent* node = this; node; node = node->FParent) {
        if (auto* page = dynamic_cast<const TrpPage*>(node))
            return const_cast<TrpPage*>(page);
    }
    return nullptr;
}

void TrpComponent::SetLeft(double value) { FLeft = value; }

void TrpComponent::SetTop(double value) { FTop = value; }

void TrpComponent::SetWidth(double value) { FWidth = value; }

void TrpComponent::SetHeight(double value) { FHeight = value; }

double TrpComponent::AbsLeft() const
{
    double left = 0;
    for (const TrpComponent* node = this; node; node = node->FParent)
        left += node->FLeft;
    return left;
}

double TrpComponent::AbsTop() const
{
    double top = 0;
    for (const TrpComponent* node = this; node; node = node->FParent)
        top += node->FTop;
    return top;
}

void TrpComponent::SetFont(const TrpFont& font)
{
    FFont = font;
    FParentFont = false;
    FontChanged();
}

void TrpComponent::SetParentFont(bool value)
{
    FParentFont = value;
    if (FParentFont && FParent) {
        FFont = FParent->FFont;
        FontChanged();
    }
}

void TrpComponent::SetVisible(bool value) { FVisible = value; }

void TrpComponent::FontChanged()
{
    for (TrpComponent* child : FObjects) {
        if (child->FParentFont) {
            child->FFont = FFont;
            child->FontChanged();
        }
    }
}

void TrpComponent::AlignChildren() { AlignObjects(FObjects, ClientWidth(), ClientHeight()); }

void TrpComponent::AlignObjects(const QList<TrpComponent*>& objects, double width, double height)
{
    for (TrpComponent* child : objects) {
        auto* view = dynamic_cast<TrpView*>(child);
        if (!view)
            continue;
        switch (view->Align()) {
        case baNone:
            break;
        case baLeft:
            view->SetLeft(0);
            break;
        case baRight:
            view->SetLeft(width - view->Width());
            break;
        case baCenter:
            view->SetLeft((width - view->Width()) / 2);
            break;
        case baWidth:
            view->SetLeft(0);
            view->SetWidth(width);
            break;
        case baBottom:
            view->SetTop(height - view->Height());
            break;
        case baClient:
            view->SetLeft(0);
            view->SetTop(0);
            view->SetWidth(width);
            view->SetHeight(height);
            break;
        }
    }
}

void TrpComponent::Loaded()
{
    if (FParentFont && FParent)
        FFont = FParent->FFont;
    FontChanged();
}

const TrpClassInfo& TrpReportComponent::staticClassInfo()
{
    static const TrpClassInfo info
        = rpClassInfo<TrpReportComponent, TrpComponent>("TrpReportComponent");
    return info;
}

const TrpClassInfo& TrpReportComponent::classInfo() const { return staticClassInfo(); }

void TrpComponent::publishBounds(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpComponent;
    const auto bound = [&list](TrpProperty p) {
        p.limit = rpMaxObjectLength;
        list.append(std::move(p));
    };
    bound(rpField<C>(
        "Left", T::Float, [](C & c) -> auto& { return c.FLeft; }));
    bound(rpField<C>(
        "Top", T::Float, [](C & c) -> auto& { return c.FTop; }));
    bound(rpField<C>(
        "Width", T::Float, [](C & c) -> auto& { return c.FWidth; }));
    bound(rpField<C>(
        "Height", T::Float, [](C & c) -> auto& { return c.FHeight; }));
}

void TrpReportComponent::publishOwn(TrpPropertyList& list) { publishBounds(list); }

void TrpReportComponent::BeforePrint()
{
    FSavedLeft = FLeft;
    FSavedTop = FTop;
    FSavedWidth = FWidth;
    FSavedHeight = FHeight;
}

void TrpReportComponent::AfterPrint()
{
    FLeft = FSavedLeft;
    FTop = FSavedTop;
    FWidth = FSavedWidth;
    FHeight = FSavedHeight;
}
