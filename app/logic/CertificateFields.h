#pragma once

#include <array>
#include <cstddef>

// What each of the certificate blank's 42 text fields holds. The template names a field's
// text object "Memo" and its number; the filling of the certificate, the register's record of
// a printed page and the group check all find their fields here.
enum class CertificateRole {
    School, // the school's name, first line
    School2, // its second line
    Locality,
    Series,
    Graduate,
    PeriodFrom, // the training's first day: day, month, year
    PeriodTo, // its last day: day, month, year
    Category,
    Hours, // one field per subject, ten
    TotalHours,
    IssuedOn, // day, month, year
    Head, // the head of the school
    Grade, // the nine subjects' grades, then the qualification exam's
    TotalLineMark, // the mark in the grade column of the total line
    CategoryCode, // three fields
    Transmission,
};

struct CertificateField {
    CertificateRole role;
    // Which of the role's fields, from 0: the part of a date (day, month, year), the subject.
    int part = 0;
};

inline constexpr int kCertificateFieldCount = 42;

// Field n is entry n - 1.
inline constexpr std::array<CertificateField, kCertificateFieldCount> kCertificateFields = {{
    {CertificateRole::School},
    {CertificateRole::School2},
    {CertificateRole::Locality},
    {CertificateRole::Series},
    {CertificateRole::Graduate},
    {CertificateRole::PeriodFrom, 0},
    {CertificateRole::PeriodFrom, 1},
    {CertificateRole::PeriodFrom, 2},
    {CertificateRole::PeriodTo, 0},
    {CertificateRole::PeriodTo, 1},
    {CertificateRole::PeriodTo, 2},
    {CertificateRole::Category},
    {CertificateRole::Hours, 0},
    {CertificateRole::Hours, 1},
    {CertificateRole::Hours, 2},
    {CertificateRole::Hours, 3},
    {CertificateRole::Hours, 4},
    {CertificateRole::Hours, 5},
    {CertificateRole::Hours, 6},
    {CertificateRole::Hours, 7},
    {CertificateRole::Hours, 8},
    {CertificateRole::Hours, 9},
    {CertificateRole::TotalHours},
    {CertificateRole::IssuedOn, 0},
    {CertificateRole::IssuedOn, 1},
    {CertificateRole::IssuedOn, 2},
    {CertificateRole::Head},
    {CertificateRole::Grade, 0},
    {CertificateRole::Grade, 1},
    {CertificateRole::Grade, 2},
    {CertificateRole::Grade, 3},
    {CertificateRole::Grade, 4},
    {CertificateRole::Grade, 5},
    {CertificateRole::Grade, 6},
    {CertificateRole::Grade, 7},
    {CertificateRole::Grade, 8},
    {CertificateRole::Grade, 9},
    {CertificateRole::TotalLineMark},
    {CertificateRole::CategoryCode, 0},
    {CertificateRole::CategoryCode, 1},
    {CertificateRole::CategoryCode, 2},
    {CertificateRole::Transmission},
}};

// The number (1 to 42) of a role's field; `part` chooses among the role's fields.
constexpr int certificateField(CertificateRole role, int part = 0)
{
    for (std::size_t i = 0; i < kCertificateFields.size(); ++i)
        if (kCertificateFields[i].role == role && kCertificateFields[i].part == part)
            return static_cast<int>(i) + 1;
    return 0;
}

namespace certificate_fields_detail {

// Every role and part names one field, and each role's fields follow one another with their
// parts counted from 0.
constexpr bool wellFormed()
{
    for (std::size_t i = 0; i < kCertificateFields.size(); ++i) {
        const CertificateField& field = kCertificateFields[i];
        if (certificateField(field.role, field.part) != static_cast<int>(i) + 1)
            return false;
        if (field.part > 0
            && (i == 0 || kCertificateFields[i - 1].role != field.role
                || kCertificateFields[i - 1].part != field.part - 1))
            return false;
    }
    return true;
}

static_assert(wellFormed());

} // namespace certificate_fields_detail
