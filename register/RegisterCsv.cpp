#include "RegisterCsv.h"

#include "platform/core/NumberFormat.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

// A cell is quoted when it holds a separator, a quote or a line break; a text that a
// spreadsheet would take for a formula is kept a text with a leading apostrophe.
QString textCell(const QString& text)
{
    QString cell = text;
    if (!cell.isEmpty() && QStringView(u"=+-@").contains(cell.front()))
        cell.prepend(u'\'');
    if (cell.contains(u';') || cell.contains(u'"') || cell.contains(u'\n')
        || cell.contains(u'\r')) {
        cell.replace(u"\""_s, u"\"\""_s);
        cell = u'"' + cell + u'"';
    }
    return cell;
}

QString dateCell(const QDate& date) { return date.toString(u"dd.MM.yyyy"_s); }

} // namespace

QByteArray registerCsv(const QList<RegisterLine>& lines)
{
    QStringList rows {
        u"№;Дата и время печати;Принтер;Рабочее место;Левое поле;Верхнее поле;Правое поле;"
        u"Нижнее поле;Серия;ФИО;Начало обучения;Окончание обучения;Категория;"
        u"Трансмиссия;Дата выдачи;Руководитель;Испорчен"_s};
    for (const RegisterLine& line : lines) {
        const QStringList cells {QString::number(line.number),
            line.printedAt.toString(u"dd.MM.yyyy HH:mm:ss"_s), textCell(line.printer),
            textCell(line.desk), platform::FloatToStr(line.leftMargin),
            platform::FloatToStr(line.topMargin), platform::FloatToStr(line.rightMargin),
            platform::FloatToStr(line.bottomMargin), textCell(line.series), textCell(line.graduate),
            dateCell(line.periodFrom), dateCell(line.periodTo), textCell(line.category),
            textCell(line.transmission), dateCell(line.issuedOn), textCell(line.head),
            textCell(line.spoiledReason)};
        rows.append(cells.join(u';'));
    }
    return "\xEF\xBB\xBF" + rows.join(u"\r\n"_s).toUtf8() + "\r\n";
}
