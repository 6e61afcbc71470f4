#pragma once

#include "register/RegisterEntry.h"

class TrpReportPage;

// The register's record of one printed certificate: the form's texts as they stood when the
// certificate was prepared, and from the printed page its 42 field texts, exactly as they
// were printed, and its margins.
RegisterEntry printedCertificate(const RegisterEntry& form, const TrpReportPage& page,
    const QString& printer, const QDateTime& printedAt);
