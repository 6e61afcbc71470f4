#pragma once

#include <QDate>
#include <QString>

struct RegisterEntry;

// Text work of the certificate filling.

// "day" gives the two-digit day, "month" the month's name in the genitive case, "year" the
// year without its first three characters (its last digit for four-digit years); the
// selector is compared exactly, and any other gives an empty text.
QString Monthstr(const QString& nbr, const QDate& myDate);

// The category code between the double quotes at the end of the text: both quotes must lie
// within its last seven characters, else the result is empty.
QString Copy_categ(const QString& source);

// The adjective of a transmission phrase, with the blank before it: " механической" from
// "с механической трансмиссией".
QString Copy_trans(const QString& source);

// The text of the certificate's field `number` (1 to 42) filled from the form's texts: the
// dates split into day, month and year, hours of "0" as "x", the category's code and the
// transmission's adjective; the school's second line prints as a blank while it shows its
// placeholder.
QString certificateFieldText(const RegisterEntry& form, int number);
