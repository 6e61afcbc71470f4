#include "app/logic/GroupList.h"

#include "app/logic/CertificateFields.h"
#include "app/logic/Lists.h"
#include "platform/core/Exception.h"
#include "platform/core/TextEncoding.h"

#include <QStringDecoder>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kGrades = 10;

QChar separatorOf(const QString& heading)
{
    if (heading.contains(u'\t'))
        return u'\t';
    if (heading.contains(u';'))
        return u';';
    return u',';
}

// The rows of the text, each split into cells; a quoted cell may hold separators, line
// breaks and doubled quotes.
QList<QStringList> cellsOf(const QString& text)
{
    const QString heading = text.section(u'\n', 0, 0);
    const QChar separator = separatorOf(heading);
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool cellStarted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell.append(u'"');
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell.append(c);
            }
        } else if (c == u'"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == separator) {
            row.append(cell);
            cell.clear();
            cellStarted = false;
        } else if (c == u'\n') {
            row.append(cell);
            rows.append(row);
            row.clear();
            cell.clear();
            cellStarted = false;
        } else if (c != u'\r') {
            cell.append(c);
            cellStarted = true;
        }
    }
    if (cellStarted || !row.isEmpty()) {
        row.append(cell);
        rows.append(row);
    }
    return rows;
}

bool emptyRow(const QStringList& row)
{
    for (const QString& cell : row)
        if (!cell.trimmed().isEmpty())
            return false;
    return true;
}

} // namespace

QString groupListText(const QByteArray& bytes)
{
    const bool marked = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF");
    if (!marked) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return platform::decodeText(bytes).text;
}

QList<GroupGraduate> readGroupList(const QString& text)
{
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QList<QStringList> rows = cellsOf(body);
    const QStringList heading = rows.value(0);
    const auto column = [&heading](const QString& name) {
        for (int i = 0; i < heading.size(); ++i)
            if (heading[i].trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    const int name = column(QString::fromUtf8(kNameHeading));
    if (name < 0)
        throw platform::Exception(u"В списке группы нет столбца «ФИО»."_s);
    const int series = column(u"Серия"_s);
    QList<int> grades;
    for (int i = 1; i < kGrades; ++i)
        grades.append(column(u"Оценка %1"_s.arg(i)));
    grades.append(column(u"Экзамен"_s));

    QList<GroupGraduate> group;
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        if (emptyRow(row))
            continue;
        GroupGraduate graduate;
        graduate.line = r + 1;
        graduate.name = row.value(name).trimmed();
        graduate.series = row.value(series).trimmed();
        for (int g : grades)
            graduate.grades.append(g < 0 ? QString() : row.value(g).trimmed());
        group.append(graduate);
    }
    return group;
}

namespace {

bool severalLines(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
        [](QChar c) { return c == u'\n' || c == u'\r' || c == QChar(0x2028); });
}

// What stops a name or series from printing whole in its field; `what` names it in the row's
// problem.
void checkText(QStringList& problems, const FieldFitCheck& fits, int field, const QString& text,
    const QString& what)
{
    if (severalLines(text)) {
        problems.append(u"%1 занимает несколько строк"_s.arg(what));
        return;
    }
    const FieldFit fit = fits(field, text);
    if (!fit.fits)
        problems.append(u"%1 не помещается в поле бланка"_s.arg(what));
    if (!fit.missing.isEmpty())
        problems.append(u"%1: в шрифте бланка нет знаков «%2»"_s.arg(what, fit.missing));
}

// The grade as the grade list spells it; empty when the list has no such grade.
QString knownGrade(const QString& grade, const QStringList& known)
{
    // A spreadsheet's "отлично" is the list's "Отлично", and prints as the list has it.
    for (const QString& k : known)
        if (k.compare(grade, Qt::CaseInsensitive) == 0)
            return k;
    if (grade.compare(u"Удовлетворительно"_s, Qt::CaseInsensitive) == 0)
        return u"Удовл."_s;
    return QString();
}

} // namespace

void checkGroup(QList<GroupGraduate>& group, const FieldFitCheck& fits)
{
    const QStringList known = lists::gradeList();
    const QString accepted = u"«%1»"_s.arg(known.join(u"», «"_s));
    for (GroupGraduate& graduate : group) {
        QStringList problems;
        if (graduate.name.isEmpty())
            problems.append(u"нет ФИО"_s);
        else
            checkText(problems, fits, certificateField(CertificateRole::Graduate), graduate.name,
                u"ФИО"_s);
        if (!graduate.series.isEmpty())
            checkText(problems, fits, certificateField(CertificateRole::Series), graduate.series,
                u"серия"_s);
        for (QString& grade : graduate.grades) {
            if (grade.isEmpty())
                continue;
            const QString spelled = knownGrade(grade, known);
            if (spelled.isEmpty())
                problems.append(u"неизвестная оценка «%1» (допустимы %2)"_s.arg(grade, accepted));
            else
                grade = spelled;
        }
        graduate.problem = problems.join(u"; "_s);
    }
}
