#pragma once

class QString;
class TrpCustomReport;

// The program's two report templates, read from the data files built into the program.
// Each replaces the whole content of the report; a faulty file leaves it untouched and
// throws EReadError.
void loadCertificateTemplate(TrpCustomReport& report);
void loadTestPageTemplate(TrpCustomReport& report);

// Reads a template file (a resource path or a file on disk) into the report.
void loadTemplate(TrpCustomReport& report, const QString& path);
