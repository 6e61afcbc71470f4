#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <string>

namespace platform {

// The program-wide format of numbers and dates: taken from the user's locale once at start,
// never changed by the program afterwards. Tests install their own.
struct NumberFormat {
    QChar decimalSeparator = QLatin1Char('.');
    QStringList longMonthNames; // January first, nominative
    QString longDateFormat; // a QDate display format
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy"); // a QDate display format
    QString longTimeFormat = QStringLiteral("HH:mm:ss"); // a QTime display format
    QChar thousandSeparator = QChar(0x00A0);

    static NumberFormat fromLocale(const QLocale& locale);
};

const NumberFormat& numberFormat();
void setNumberFormat(const NumberFormat& format);

// Installs a format for its lifetime and restores the previous one afterwards.
class ScopedNumberFormat {
public:
    explicit ScopedNumberFormat(const NumberFormat& format);
    explicit ScopedNumberFormat(QChar decimalSeparator);
    ~ScopedNumberFormat();
    ScopedNumberFormat(const ScopedNumberFormat&) = delete;
    ScopedNumberFormat& operator=(const ScopedNumberFormat&) = delete;

private:
    NumberFormat fPrevious;
};

enum TFloatFormat { ffGeneral, ffFixed };

// Strict text to number: optional blanks, an optional sign, digits with at most one decimal
// separator of the program-wide format, an optional exponent, optional blanks. At least a
// digit or the separator must be there; a lone separator reads as 0. Throws EConvertError
// "'<text>' is not a valid floating point value".
double StrToFloat(const QString& text);
bool TryStrToFloat(const QString& text, double& value);

// Optional leading blanks, an optional sign, decimal digits (or hexadecimal after "$" or
// "0x"), nothing after them; must fit 32 bits. Throws EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(const QString& text);

// General format with 15 significant digits: "420", "420,5", "0,00005", "1E15", "5E-6".
QString FloatToStr(double value);

// ffGeneral: at most `precision` significant digits, trailing zeros dropped, scientific when
// the integer part is longer than `precision` or the value is below 0.00001; `digits` is then
// the least number of exponent digits.
// ffFixed: at most `precision` significant digits and exactly `digits` decimals; a value whose
// integer part is longer than `precision` is written in the general scientific form.
QString FloatToStrF(double value, TFloatFormat format, int precision, int digits);

// A finite value in the C notation with '.' as the point, whatever locale the C library has
// been given (Qt gives it the user's at start): "-ddd.ddd" with `decimals` places, and
// "-d.ddde±xx" with `decimals` places after the point. Rounded from the exact binary value,
// ties to even. The conversions above build on these and put in the program-wide separators.
std::string cFixedNotation(double value, int decimals);
std::string cScientificNotation(double value, int decimals);

} // namespace platform
