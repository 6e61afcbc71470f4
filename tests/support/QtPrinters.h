#pragma once

// How the tests' failure messages show Qt values: texts as UTF-8 in quotes, bytes escaped,
// geometry, colours, dates and addresses as Qt's debug stream writes them. Without these a
// text would be shown as its characters' bytes one by one. Every test file sees them
// (tests/CMakeLists.txt includes this header first).

#include <QByteArray>
#include <QChar>
#include <QColor>
#include <QDate>
#include <QDebug>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QUrl>

#include <ostream>

namespace vorsela_test {

template <typename T> void printDebug(const T& value, std::ostream* os)
{
    QString text;
    QDebug(&text).nospace() << value;
    *os << text.toStdString();
}

} // namespace vorsela_test

inline void PrintTo(const QString& value, std::ostream* os)
{
    *os << '"' << value.toStdString() << '"';
}
inline void PrintTo(QChar value, std::ostream* os)
{
    *os << '\'' << QString(value).toStdString() << "' (U+" << std::hex << unsigned(value.unicode())
        << std::dec << ')';
}
inline void PrintTo(const QByteArray& value, std::ostream* os)
{
    vorsela_test::printDebug(value, os);
}
inline void PrintTo(const QColor& value, std::ostream* os)
{
    *os << value.name(QColor::HexArgb).toStdString();
}
inline void PrintTo(const QPoint& value, std::ostream* os) { vorsela_test::printDebug(value, os); }
inline void PrintTo(const QPointF& value, std::ostream* os) { vorsela_test::printDebug(value, os); }
inline void PrintTo(const QRect& value, std::ostream* os) { vorsela_test::printDebug(value, os); }
inline void PrintTo(const QRectF& value, std::ostream* os) { vorsela_test::printDebug(value, os); }
inline void PrintTo(const QSize& value, std::ostream* os) { vorsela_test::printDebug(value, os); }
inline void PrintTo(const QDate& value, std::ostream* os)
{
    *os << value.toString(Qt::ISODate).toStdString();
}
inline void PrintTo(const QUrl& value, std::ostream* os) { *os << value.toString().toStdString(); }
