#pragma once

#include "rpComponent.h"

// A band of the band-layout engine. The program's templates have none; preparation only
// makes the page-level container below.
class TrpBand : public TrpReportComponent {
public:
    using TrpReportComponent::TrpReportComponent;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList&) { }
    QString BaseName() const override { return QStringLiteral("Band"); }
};

// The container of a page's objects while the page is output: it
// shows the page's objects without owning them, so their parent stays the page. In a
// prepared page it is the parent of the rebuilt objects. It is never drawn.
class TrpNullBand : public TrpBand {
public:
    using TrpBand::TrpBand;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList&) { }

    // Shows the objects inside the band, in order, without changing their parent.
    void Borrow(const QList<TrpComponent*>& objects) { FBorrowed = objects; }
    void ReleaseBorrowed() { FBorrowed.clear(); }
    const QList<TrpComponent*>& Borrowed() const { return FBorrowed; }

    // Its children followed by the borrowed objects.
    QList<TrpComponent*> GetContainerObjects() const override;

private:
    QList<TrpComponent*> FBorrowed;
};
