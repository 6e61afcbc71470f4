#include "Templates.h"

#include "report/model/rpCustomReport.h"
#include "report/model/rpStream.h"

#include <QFile>

void loadTemplate(TrpCustomReport& report, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(TrpReadFault {0, 0, {}, {},
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString())});
    report.LoadFromStream(file);
}

void loadCertificateTemplate(TrpCustomReport& report)
{
    loadTemplate(report, QStringLiteral(":/templates/certificate.xml"));
}

void loadTestPageTemplate(TrpCustomReport& report)
{
    loadTemplate(report, QStringLiteral(":/templates/testpage.xml"));
}
