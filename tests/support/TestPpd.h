#pragma once

#include <QString>
#include <QStringList>

// A PPD of one A4/A5 laser-like printer: its resolution, its imageable area on each paper
// (left, bottom, right, top in points, as PPDs write it), input slots, duplex, and a paper of
// its own.
struct TestPpd {
    int Dpi = 600;
    QString A4Area = QStringLiteral("12 15 583 827");
    QString A5Area = QStringLiteral("12 15 408 580");
    QStringList Slots; // "Key/Text", the first the default
    bool OddPaper = false; // a size of the driver's own, without a desktop code
    bool Duplex = false;
    QString text() const;
};
