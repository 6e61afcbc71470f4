// Reading a group list and checking its rows.

#include "app/logic/GroupList.h"
#include "platform/core/Exception.h"

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

struct ListCase {
    const char* name;
    const char* text;
    QStringList names;
    QStringList series;
};

TEST(GroupList, readsCsvFilesAndCopiedCellsByTheirHeadings)
{
    const ListCase cases[] = {
        {"semicolons, headings in another case, a byte-order mark",
            "\xEF\xBB\xBF"
            "фио;серия\r\nИванов Иван;АБ1\r\nПетров Пётр;\r\n",
            {u("Иванов Иван"), u("Петров Пётр")}, {u("АБ1"), QString()}},
        {"cells copied from a spreadsheet", "Серия\tФИО\nАБ2\tСидоров\n", {u("Сидоров")},
            {u("АБ2")}},
        {"commas, a quoted cell with a comma and a doubled quote",
            "ФИО,Серия\n\"Иванов, \"\"старший\"\"\",АБ3\n", {u("Иванов, \"старший\"")}, {u("АБ3")}},
        {"empty lines and a line without a last line break are read",
            "ФИО;Серия\n\nИванов;\n;\nПетров", {u("Иванов"), u("Петров")}, {QString(), QString()}},
    };
    for (const ListCase& c : cases) {
        const QList<GroupGraduate> group = readGroupList(u(c.text));
        QStringList names;
        QStringList series;
        for (const GroupGraduate& graduate : group) {
            names.append(graduate.name);
            series.append(graduate.series);
        }
        EXPECT_EQ(names, c.names) << c.name;
        EXPECT_EQ(series, c.series) << c.name;
    }
}

TEST(GroupList, gradesComeFromTheirColumnsAndTheLinesAreCountedFromTheHeading)
{
    const QList<GroupGraduate> group
        = readGroupList(u("ФИО;Оценка 3;экзамен\nИванов;Хорошо;Отлично\n\nПетров;;\n"));
    ASSERT_EQ(group.size(), 2);
    EXPECT_EQ(group[0].line, 2);
    EXPECT_EQ(group[1].line, 4);
    ASSERT_EQ(group[0].grades.size(), 10);
    EXPECT_EQ(group[0].grades[2], u("Хорошо"));
    EXPECT_EQ(group[0].grades[9], u("Отлично"));
    EXPECT_EQ(group[0].grades[0], QString());
    EXPECT_EQ(group[1].grades, QStringList(10, QString()));
}

TEST(GroupList, aListWithoutANameColumnIsRefused)
{
    EXPECT_THROW(readGroupList(u("Серия;Оценка 1\nАБ;Хорошо\n")), platform::Exception);
    EXPECT_THROW(readGroupList(QString()), platform::Exception);
}

TEST(GroupList, fileTextsAreReadInTheEncodingTheyHave)
{
    EXPECT_EQ(groupListText(QByteArray("\xD4\xC8\xCE")), u("ФИО"));
    EXPECT_EQ(groupListText(QByteArray("\xD0\xA4\xD0\x98\xD0\x9E")), u("ФИО"));
    EXPECT_EQ(groupListText(QByteArray("\xEF\xBB\xBF\xD0\xA4")), u("Ф"));
}

// The check of a field as the window's check sees it: names up to ten characters fit, series
// up to four, and the font has every letter but the smiley.
FieldFit fakeFit(int field, const QString& text)
{
    const QString smiley = QString::fromUtf8("😀");
    return {text.size() <= (field == 4 ? 4 : 10), text.contains(smiley) ? smiley : QString()};
}

TEST(GroupList, eachRowSaysWhatStopsItFromPrinting)
{
    QList<GroupGraduate> group
        = readGroupList(u("ФИО;Серия;Оценка 1;Экзамен\nИванов;АБ;Хорошо\n;АБ;\n"
                          "Очень Длинное Имя;АБ;\nПетров;ОченьДлинная;пять\n"
                          "Сидоров;АБ;ОТЛИЧНО;удовл.\n"
                          "\"Гөлнара\nӘлиева\";АБ;;\n"
                          "Юлдаш 😀;\"А\r\nБ\";удовлетворительно;Удовлетворительно\n"));
    checkGroup(group, fakeFit);
    ASSERT_EQ(group.size(), 7);
    EXPECT_EQ(group[0].problem, QString());
    EXPECT_EQ(group[1].problem, u("нет ФИО"));
    EXPECT_EQ(group[2].problem, u("ФИО не помещается в поле бланка"));
    EXPECT_EQ(group[3].problem,
        u("серия не помещается в поле бланка; неизвестная оценка «пять» (допустимы «Зачтено», "
          "«Отлично», «Хорошо», «Удовл.», «x»)"));
    EXPECT_EQ(group[4].problem, QString());
    EXPECT_EQ(group[4].grades.first(), u("Отлично"));
    EXPECT_EQ(group[4].grades.last(), u("Удовл."));
    // A cell with Alt+Enter in it would print its first line only.
    EXPECT_EQ(group[5].name, u("Гөлнара\nӘлиева"));
    EXPECT_EQ(group[5].problem, u("ФИО занимает несколько строк"));
    EXPECT_EQ(
        group[6].problem, u("ФИО: в шрифте бланка нет знаков «😀»; серия занимает несколько строк"));
    EXPECT_EQ(group[6].grades.first(), u("Удовл."));
    EXPECT_EQ(group[6].grades.last(), u("Удовл."));
}

} // namespace
