#pragma once

#include "register/RegisterEntry.h"

class TrpReportPage;

// The register's record of one printed certificate: the form's texts as they stood when the
// certificate was prepared, and from the printed page its 42 field texts, exactly as they
// were printed, and its margins.
RegisterEntry printedCertificate(const RegisterEntry& form, const TrpReportPage& page,
    const QString& printer, const QDateTime& printedAt);

// Whether a record's printed fields carry its form's series and graduate: the page was filled
// from that form.
bool printedAsTheForm(const RegisterEntry& entry);

// The record of a printed page whose form is not known: the texts that print as the form
// holds them are taken from the page; the hours, the transmission and the dates print
// altered or in part, so the record leaves them empty.
RegisterEntry printedPage(
    const TrpReportPage& page, const QString& printer, const QDateTime& printedAt);
