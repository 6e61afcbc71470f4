#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One line of the register of issued certificates as the register window lists it: what
// was printed, when, where and for whom. A spoiled blank keeps its line with the reason.
struct RegisterLine {
    qint64 number = 0;
    QDateTime printedAt;
    QString printer;
    // The name of the computer that printed it (empty in lines written before desks were
    // recorded).
    QString desk;
    double leftMargin = 0;
    double topMargin = 0;
    double rightMargin = 0;
    double bottomMargin = 0;
    QString series;
    QString graduate;
    QDate periodFrom;
    QDate periodTo;
    QString category;
    QString transmission;
    QDate issuedOn;
    QString head;
    QString spoiledReason;

    bool spoiled() const { return !spoiledReason.isEmpty(); }
};

// A whole record: the line and the form's texts it was printed from, with the certificate's
// 42 field texts exactly as they were printed, so that a reprint is identical.
struct RegisterEntry : RegisterLine {
    static constexpr int kFieldCount = 42;
    static constexpr int kHourCount = 11;
    static constexpr int kGradeCount = 10;

    QString school;
    QString school2;
    QString locality;
    // The ten subjects' hours, then the total.
    QStringList hours;
    // The nine subjects' grades, then the qualification exam's.
    QStringList grades;
    // Memo1 … Memo42.
    QStringList fields;
};

// A search of the register: a piece of the graduate's name or of the series (any letter
// case, and ё as е, as people type them; empty matches every line) and a range of issue dates (a
// null date leaves that end open).
struct RegisterQuery {
    QString text;
    QDate issuedFrom;
    QDate issuedTo;
};
