#pragma once

#include <QStringList>

// The item lists of the main window's selectors. In the category codes some letters are
// Latin and some Cyrillic, and the blanks at either end belong to the items.

namespace lists {

using namespace Qt::Literals::StringLiterals;

// The grades; the last item is the Latin small letter x.
inline QStringList gradeList()
{
    return {u"Зачтено"_s, u"Отлично"_s, u"Хорошо"_s, u"Удовл."_s, u"x"_s};
}

// The training programmes; items 14 to 23 are the retraining ones.
inline QStringList categoryList()
{
    return {
        u"категории \"А\""_s,
        u"категории \"В\" "_s,
        u"категории \"С\" "_s,
        u"категории \"D\" "_s,
        u"категории \"ВЕ\""_s,
        u"категории \"СЕ\""_s,
        u"категории \"DE\""_s,
        u"категории \"M\" "_s,
        u"подкатегории \"A1\""_s,
        u"подкатегории \"В1\""_s,
        u"подкатегории \"C1\""_s,
        u"подкатегории \"D1\""_s,
        u"подкатегории \"C1E\""_s,
        u"подкатегории \"D1E\""_s,
        u" с категории \"В\" на категорию \"С\""_s,
        u" с категории \"В\" на подкатегорию \"С1\" "_s,
        u" с категории \"В\" на категорию \"D\""_s,
        u" с категории \"В\" на подкатегорию \"D1\" "_s,
        u" с категории \"C\" на категорию \"B\""_s,
        u" с категории \"C\" на категорию \"D\""_s,
        u" с категории \"C\" на подкатегорию \"D1\" "_s,
        u" с категории \"D\" на категорию \"B\""_s,
        u" с категории \"D\" на категорию \"С\""_s,
        u" с категории \"D\" на подкатегорию \"С1\""_s,
    };
}

inline QStringList transmissionList()
{
    return {u"с механической трансмиссией"_s, u"с автоматической трансмиссией"_s};
}

} // namespace lists
