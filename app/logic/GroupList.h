#pragma once

#include "app/logic/FieldFit.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One graduate of a group: a row of the list the operator opened or pasted.
struct GroupGraduate {
    // The row's line in the list, the heading being line 1.
    int line = 0;
    QString name;
    // Empty: the series the form shows.
    QString series;
    // The nine subjects' grades, then the qualification exam's; an empty one is the form's.
    QStringList grades;
    // Why the row cannot be printed; empty when it can.
    QString problem;
};

// The columns of a group list, found by their headings in any letter case: "ФИО" (required),
// "Серия", "Оценка 1" … "Оценка 9" and "Экзамен".
inline const char* const kNameHeading = "ФИО";

// Reads a group list: a CSV file (cells separated by semicolons or commas, quoted cells with
// doubled quotes) or cells copied from a spreadsheet (separated by tabs). Empty lines are
// left out. Throws platform::Exception when the heading has no "ФИО" column.
QList<GroupGraduate> readGroupList(const QString& text);

// The text of a group list file: as its byte-order mark says, else UTF-8 when it is valid
// UTF-8, else Windows-1251 (what spreadsheet programs of the users' locale write).
QString groupListText(const QByteArray& bytes);

// Says what stops each row from printing: a missing name, a name or series of several lines
// (a spreadsheet cell with line breaks), a text that `fits` says is cut in its field or has
// characters its font lacks, a grade that is not one of the grade list's. A grade written in
// another letter case, or "Удовлетворительно" written out, takes the grade list's spelling.
void checkGroup(QList<GroupGraduate>& group, const FieldFitCheck& fits);
