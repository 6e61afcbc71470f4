#pragma once

#include "rpProperty.h"
#include "rpTypes.h"

#include "platform/core/Exception.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class TrpCustomReport;
class TrpPrintContext;
class TrpPage;

// Renaming an object to a name another object of its report already has.
class EDuplicateName : public platform::Exception {
public:
    using Exception::Exception;
};

// Letters A-Z compare without case; every other character compares exactly.
bool rpSameName(const QString& a, const QString& b);

// Common base of the report model: a node of the report's tree with a name, bounds and a
// font. A parent owns its children and deletes them with itself; deleting a child removes
// it from its parent.
class TrpComponent {
public:
    // With an owner the new component becomes the owner's last child.
    explicit TrpComponent(TrpComponent* owner = nullptr);
    virtual ~TrpComponent();
    TrpComponent(const TrpComponent&) = delete;
    TrpComponent& operator=(const TrpComponent&) = delete;

    static const TrpClassInfo& staticClassInfo();
    virtual const TrpClassInfo& classInfo() const;
    QString ClassName() const { return classInfo().name; }
    virtual QString BaseName() const;

    const QString& Name() const { return FName; }
    // Rejected with EDuplicateName when another object of the same report has the name.
    void SetName(const QString& name);

    TrpComponent* Parent() const { return FParent; }
    // Moves the component (with its children) under a new parent, last in its list.
    // Rejected with EDuplicateName when a name of the moved tree is taken in the new report,
    // and when the new parent lies inside the component.
    virtual void SetParent(TrpComponent* parent);
    // Hands a component held alone to this one, which owns it from then on; when SetParent
    // rejects it, the component is destroyed with its holder.
    void Adopt(std::unique_ptr<TrpComponent> child);
    const QList<TrpComponent*>& Objects() const { return FObjects; }
    // All descendants, depth first, parent before children; without the component itself.
    QList<TrpComponent*> AllObjects() const;
    // The first of AllObjects with this name (see rpSameName); none when nothing matches.
    TrpComponent* FindObject(const QString& name) const;

    TrpCustomReport* Report() const;
    TrpPage* Page() const;

    double Left() const { return FLeft; }
    double Top() const { return FTop; }
    double Width() const { return FWidth; }
    double Height() const { return FHeight; }
    virtual void SetLeft(double value);
    virtual void SetTop(double value);
    virtual void SetWidth(double value);
    virtual void SetHeight(double value);
    // Position counted from the report: own Left/Top plus those of every container.
    double AbsLeft() const;
    double AbsTop() const;

    const TrpFont& Font() const { return FFont; }
    // An own font turns ParentFont off.
    virtual void SetFont(const TrpFont& font);
    bool ParentFont() const { return FParentFont; }
    virtual void SetParentFont(bool value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);

    // Re-applies the Align of every view among the children.
    virtual void AlignChildren();
    // Applies the Align of every view of a list inside an area of the given size.
    static void AlignObjects(const QList<TrpComponent*>& objects, double width, double height);

    // Called on every object of a report before preparation compiles the report's script.
    virtual void BeforeStartReport() { }
    // The objects shown inside this one when it is output: its children.
    virtual QList<TrpComponent*> GetContainerObjects() const { return FObjects; }

    // Objects of the model alive in the program; the prepared pages' cache is measured by it.
    static qsizetype InstanceCount();

    // Called once after properties were set through the property mechanism.
    virtual void Loaded();

    static void publishOwn(TrpPropertyList& list);

protected:
    // The bounds as published properties, for the classes whose objects store them.
    static void publishBounds(TrpPropertyList& list);
    // Hands the font on to every child whose ParentFont is on.
    virtual void FontChanged();
    // The area children align in, in report pixels.
    virtual double ClientWidth() const { return FWidth; }
    virtual double ClientHeight() const { return FHeight; }

    QString FName;
    double FLeft = 0;
    double FTop = 0;
    double FWidth = 0;
    double FHeight = 0;
    TrpFont FFont;
    bool FParentFont = true;
    bool FVisible = true;

private:
    void checkNamesFree(const TrpCustomReport* report) const;

    TrpComponent* FParent = nullptr;
    QList<TrpComponent*> FObjects;
};

// An object that takes part in preparation and drawing.
//
// The print cycle: for every object of an output container the engine calls
// BeforePrint, then GetData when the object is visible, snapshots the object into the
// prepared page, and calls AfterPrint, which gives back every value the cycle changed.
class TrpReportComponent : public TrpComponent {
public:
    using TrpComponent::TrpComponent;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    // Remembers the bounds.
    virtual void BeforePrint();
    // Fills the object with its final content from what preparation hands it; nothing for a
    // plain object.
    virtual void GetData(TrpPrintContext& context) { Q_UNUSED(context) }
    // Restores what BeforePrint remembered.
    virtual void AfterPrint();

private:
    double FSavedLeft = 0;
    double FSavedTop = 0;
    double FSavedWidth = 0;
    double FSavedHeight = 0;
};
