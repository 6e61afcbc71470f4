#pragma once

#include "register/RegisterEntry.h"

#include <QDate>
#include <QStringList>

// A complete record as the main window would give it, with texts that a careless store
// would mangle: Cyrillic, quotes, brackets, semicolons and a leading space.
inline RegisterEntry sampleEntry(
    const QString& graduate, const QString& series, const QDate& issuedOn = QDate(2026, 6, 30))
{
    RegisterEntry entry;
    entry.printedAt = QDateTime(QDate(2026, 7, 1), QTime(10, 15, 30, 250));
    entry.printer = QStringLiteral("A5Laser");
    entry.desk = QStringLiteral("касса-1");
    entry.leftMargin = 14.5;
    entry.topMargin = 12.25;
    entry.rightMargin = 15;
    entry.bottomMargin = 20;
    entry.series = series;
    entry.graduate = graduate;
    entry.periodFrom = QDate(2026, 3, 5);
    entry.periodTo = QDate(2026, 6, 20);
    entry.category = QStringLiteral("категории \"В\" ");
    entry.transmission = QStringLiteral("с механической трансмиссией");
    entry.issuedOn = issuedOn;
    entry.head = QStringLiteral("Петров П.П.");
    entry.school = QStringLiteral("АНО ДПО \"Автошкола Ворсела\"; филиал");
    entry.school2 = QStringLiteral(" ");
    entry.locality = QStringLiteral("г. Тверь");
    for (int i = 1; i <= RegisterEntry::kHourCount; ++i)
        entry.hours.append(i == 8 ? QStringLiteral("0") : QStringLiteral("%1,5").arg(i));
    for (int i = 1; i <= RegisterEntry::kGradeCount; ++i)
        entry.grades.append(i == 10 ? QStringLiteral("Отлично") : QStringLiteral("Зачтено"));
    for (int i = 1; i <= RegisterEntry::kFieldCount; ++i)
        entry.fields.append(QStringLiteral("поле %1 [Page#] \"%2\"").arg(i).arg(graduate));
    entry.fields[1] = QStringLiteral(" ");
    entry.fields[4] = graduate;
    entry.fields[3] = series;
    return entry;
}
