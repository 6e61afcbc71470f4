#pragma once

#include <QString>

// The family that bold window text is drawn with where Tahoma's bold reads as regular (Wine's
// Tahoma, on Linux and under Wine): Arial, which Linux answers with its metric twin.
inline QString boldStandIn()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Arial");
#else
    return QStringLiteral("Liberation Sans");
#endif
}

// The family that answers for Times New Roman and Arial: Windows' own names (under Wine,
// Liberation faces registered under them), Liberation's through fontconfig on Linux.
inline QString serifFace()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Times New Roman");
#else
    return QStringLiteral("Liberation Serif");
#endif
}

inline QString sansFace() { return boldStandIn(); }
