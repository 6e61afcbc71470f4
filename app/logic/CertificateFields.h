#pragma once

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

// The blank's fields in the order of their numbers: each role with how many fields it has.
inline constexpr struct {
    CertificateRole role;
    int count;
} kCertificateFieldRuns[] = {
    {CertificateRole::School, 1},
    {CertificateRole::School2, 1},
    {CertificateRole::Locality, 1},
    {CertificateRole::Series, 1},
    {CertificateRole::Graduate, 1},
    {CertificateRole::PeriodFrom, 3},
    {CertificateRole::PeriodTo, 3},
    {CertificateRole::Category, 1},
    {CertificateRole::Hours, 10},
    {CertificateRole::TotalHours, 1},
    {CertificateRole::IssuedOn, 3},
    {CertificateRole::Head, 1},
    {CertificateRole::Grade, 10},
    {CertificateRole::TotalLineMark, 1},
    {CertificateRole::CategoryCode, 3},
    {CertificateRole::Transmission, 1},
};

// What field `number` (1 to 42) holds.
constexpr CertificateField certificateFieldAt(int number)
{
    int first = 1;
    for (const auto& run : kCertificateFieldRuns) {
        if (number < first + run.count)
            return {run.role, number - first};
        first += run.count;
    }
    return {CertificateRole::Transmission, -1};
}

// The number (1 to 42) of a role's field; `part` chooses among the role's fields.
constexpr int certificateField(CertificateRole role, int part = 0)
{
    int first = 1;
    for (const auto& run : kCertificateFieldRuns) {
        if (run.role == role)
            return part >= 0 && part < run.count ? first + part : 0;
        first += run.count;
    }
    return 0;
}

namespace certificate_fields_detail {

// The runs give every field of the blank, each role once.
constexpr bool wellFormed()
{
    int fields = 0;
    for (const auto& run : kCertificateFieldRuns) {
        if (certificateField(run.role) != fields + 1)
            return false;
        fields += run.count;
    }
    return fields == kCertificateFieldCount;
}

static_assert(wellFormed());

} // namespace certificate_fields_detail
