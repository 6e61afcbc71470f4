#pragma once

#include <QString>

// The family that bold window text (Tahoma, bold) is drawn with: on Linux Wine's Tahoma,
// whose bold reads as regular, gives way to Liberation Sans; Windows' font services draw
// Tahoma's bold visibly heavier (under Wine too), so it keeps its family there.
inline QString boldWindowFace()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Tahoma");
#else
    return QStringLiteral("Liberation Sans");
#endif
}

// The families that answer for Times New Roman and Arial: Windows' own names (under Wine,
// Liberation faces registered under them), Liberation's through fontconfig on Linux.
inline QString serifFace()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Times New Roman");
#else
    return QStringLiteral("Liberation Serif");
#endif
}

inline QString sansFace()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Arial");
#else
    return QStringLiteral("Liberation Sans");
#endif
}

// Wine has no MS Sans Serif that Windows' font services load (its file of that name is not
// one they read), so the tests of that face run on Linux only.
inline bool hasMsSansSerif()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}
