// Writes the seed corpus of the prepared-report fuzz target: prepared files of the two
// templates and of a few variations, as the program saves them.
//   make_prepared_report_seeds <directory>

#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "templates/Templates.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <memory>

namespace {

TrpMemoView* memo(const TrpReport& report, int field)
{
    return dynamic_cast<TrpMemoView*>(report.FindObject(QStringLiteral("Memo%1").arg(field)));
}

void save(TrpReport& report, const QDir& dir, const char* name)
{
    report.EngineOptions().SilentMode = simSilent;
    report.PrepareReport(false);
    report.PreviewPages().SaveToFile(dir.filePath(QString::fromLatin1(name)));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    TrpReport certificate;
    loadCertificateTemplate(certificate);
    for (int i = 1; i <= 42; ++i)
        memo(certificate, i)->SetText(QStringLiteral("Поле %1").arg(i));
    save(certificate, dir, "certificate.prp");

    TrpReport testPage;
    loadTestPageTemplate(testPage);
    testPage.ReportOptions().Name = QStringLiteral("Test page");
    save(testPage, dir, "testpage.prp");

    // Two pages whose texts differ, one replaced as a whole, odd characters in the texts.
    TrpReport varied;
    loadCertificateTemplate(varied);
    TrpComponent* page = varied.FindObject(QStringLiteral("Page1"));
    page->classInfo().property(u"PageCount")->set(*page, 2);
    memo(varied, 1)->SetText(QStringLiteral("[Page#] <&> \"'"));
    memo(varied, 2)->SetText(QString(QChar(1)) + QStringLiteral("\r\n  \r\n[Date]"));
    memo(varied, 3)->SetVisible(false);
    varied.EngineOptions().SilentMode = simSilent;
    varied.PrepareReport(true);
    const std::unique_ptr<TrpComponent> copy = rpClone(*varied.PreviewPages().GetPage(1));
    static_cast<TrpReportPage&>(*copy).SetOrientation(poLandscape);
    varied.PreviewPages().ModifyPage(1, static_cast<TrpReportPage&>(*copy));
    varied.PreviewPages().SaveToFile(dir.filePath(QStringLiteral("varied.prp")));
    return 0;
}
