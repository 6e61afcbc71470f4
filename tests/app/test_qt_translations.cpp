// Qt's own texts follow the user's locale.

#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

QString cancelCaption()
{
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    return buttons.button(QDialogButtonBox::Cancel)->text();
}

TEST(QtTranslations, ARussianDesktopGetsRussianStandardButtons)
{
    ASSERT_TRUE(installQtTranslations(QLocale(QLocale::Russian, QLocale::Russia)));
    EXPECT_EQ(cancelCaption(), QString::fromUtf8("Отмена"));
    EXPECT_EQ(
        QCoreApplication::translate("QLineEdit", "&Undo"), QString::fromUtf8("&Отменить действие"));
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
    EXPECT_EQ(cancelCaption(), QStringLiteral("Cancel"));
}

TEST(QtTranslations, ALocaleWithoutTranslationsKeepsQtsTexts)
{
    EXPECT_FALSE(installQtTranslations(QLocale(QLocale::C)));
    EXPECT_EQ(cancelCaption(), QStringLiteral("Cancel"));
}

} // namespace
