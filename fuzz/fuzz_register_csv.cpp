// libFuzzer target: the register's CSV export (registerCsv) of lines made from arbitrary
// bytes. The bytes, read as UTF-8, are records separated by U+001E, each of text fields
// separated by U+001F: printer, desk, series, graduate, category, transmission, head, reason
// of a spoiled blank.
//
// The export must read back with a strict reader of its format (UTF-8 with its mark, cells
// separated by semicolons, a quoted cell with doubled quotes, lines ending in CR LF): the
// heading, then one line of 17 cells per record, in which every text comes back as it was,
// after the apostrophe that keeps a text starting like a formula a text, and every margin
// comes back as the same number.

#include "FuzzCheck.h"
#include "platform/core/NumberFormat.h"
#include "register/RegisterCsv.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kCells = 17;

// The rows of an exported text, or nothing where the text breaks the format.
std::optional<QList<QStringList>> readExport(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return std::nullopt;
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return std::nullopt;
                if (text[i] == u'"') {
                    if (i + 1 < text.size() && text[i + 1] == u'"')
                        ++i;
                    else
                        break;
                }
                cell.append(text[i]);
            }
            ++i;
        } else {
            while (i < text.size() && text[i] != u';' && text[i] != u'\r') {
                if (text[i] == u'"' || text[i] == u'\n')
                    return std::nullopt;
                cell.append(text[i++]);
            }
        }
        row.append(cell);
        cell.clear();
        if (text.mid(i, 2) == u"\r\n"_s) {
            rows.append(row);
            row.clear();
            i += 2;
        } else if (i < text.size() && text[i] == u';') {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (!row.isEmpty())
        return std::nullopt;
    return rows;
}

// A margin with a quarter of a millimetre's steps, negative ones too.
double marginOf(const QString& field) { return (field.size() % 200 - 100) / 4.0; }

QString cellOf(const QString& text)
{
    return !text.isEmpty() && QStringView(u"=+-@").contains(text.front()) ? u'\'' + text : text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const platform::ScopedNumberFormat decimalComma(u',');

    QList<RegisterLine> lines;
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    for (const QString& record : text.split(QChar(0x1E))) {
        const QStringList fields = record.split(QChar(0x1F));
        RegisterLine line;
        line.number = lines.size() + 1;
        line.printedAt = QDateTime(QDate(2024, 5, 17), QTime(9, 30, 5));
        line.printer = fields.value(0);
        line.desk = fields.value(1);
        line.series = fields.value(2);
        line.graduate = fields.value(3);
        line.category = fields.value(4);
        line.transmission = fields.value(5);
        line.head = fields.value(6);
        line.spoiledReason = fields.value(7);
        line.leftMargin = marginOf(line.printer);
        line.topMargin = marginOf(line.graduate);
        line.rightMargin = -marginOf(line.head);
        line.bottomMargin = marginOf(record);
        lines.append(line);
    }

    const std::optional<QList<QStringList>> rows = readExport(registerCsv(lines));
    fuzzCheck(rows.has_value());
    fuzzCheck(rows->size() == lines.size() + 1);
    fuzzCheck(rows->front().size() == kCells);
    for (qsizetype r = 0; r < lines.size(); ++r) {
        const RegisterLine& line = lines[r];
        const QStringList& cells = rows->at(r + 1);
        fuzzCheck(cells.size() == kCells);
        fuzzCheck(cells[0] == QString::number(line.number));
        const std::array<QString, 8> texts {line.printer, line.desk, line.series, line.graduate,
            line.category, line.transmission, line.head, line.spoiledReason};
        const std::array<qsizetype, 8> textCells {2, 3, 8, 9, 12, 13, 15, 16};
        for (std::size_t t = 0; t < texts.size(); ++t)
            fuzzCheck(cells[textCells[t]] == cellOf(texts[t]));
        const std::array<double, 4> margins {
            line.leftMargin, line.topMargin, line.rightMargin, line.bottomMargin};
        for (std::size_t m = 0; m < margins.size(); ++m) {
            double read = 0;
            fuzzCheck(platform::TryStrToFloat(cells[4 + static_cast<qsizetype>(m)], read));
            fuzzCheck(read == margins[m]);
        }
    }
    return 0;
}
