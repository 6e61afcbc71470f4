#include "Templates.h"

#include "report/rpReport.h"
#include "report/rpStream.h"

#include <QFile>

void loadTemplate(TrpReport& report, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    report.LoadFromStream(file);
}

void loadCertificateTemplate(TrpReport& report)
{
    loadTemplate(report, QStringLiteral(":/templates/certificate.xml"));
}

void loadTestPageTemplate(TrpReport& report)
{
    loadTemplate(report, QStringLiteral(":/templates/testpage.xml"));
}
