#include "RegisterSamples.h"

#include "platform/core/NumberFormat.h"
#include "register/RegisterCsv.h"

#include <gtest/gtest.h>

namespace {

TEST(RegisterCsv, opensInARussianSpreadsheetAsTheRegisterShowsIt)
{
    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    RegisterLine line = sampleEntry(QStringLiteral("Иванов; \"Ваня\""), QStringLiteral("=АБ1+1"));
    line.number = 12;
    line.printedAt = QDateTime(QDate(2026, 7, 1), QTime(9, 5, 7));
    line.spoiledReason = QStringLiteral("замята\nбумага");
    line.desk = QStringLiteral("касса-2");

    const QByteArray csv = registerCsv({line});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0],
        QStringLiteral(
            "№;Дата и время печати;Принтер;Рабочее место;Левое поле;Верхнее поле;Правое поле;"
            "Нижнее поле;Серия;ФИО;Начало обучения;Окончание обучения;Категория;"
            "Трансмиссия;Дата выдачи;Руководитель;Испорчен"));
    EXPECT_EQ(rows[1],
        QStringLiteral("12;01.07.2026 09:05:07;A5Laser;касса-2;14,5;12,25;15;20;'=АБ1+1;"
                       "\"Иванов; \"\"Ваня\"\"\";05.03.2026;20.06.2026;\"категории \"\"В\"\" \";"
                       "с механической трансмиссией;30.06.2026;Петров П.П.;\"замята\nбумага\""));
    EXPECT_EQ(rows[2], QString());
}

} // namespace
