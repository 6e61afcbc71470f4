#include "rpHelpFile.h"

#include "platform/core/MessageService.h"
#include "platform/core/Shell.h"
#include "report/engine/rpReport.h"
#include "report/model/rpRes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

void rpOpenHelp(const TrpReport& report)
{
    if (report.HelpCommand()) {
        report.HelpCommand()();
        return;
    }
    const QString help
        = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ReportUser.chm"));
    if (!QFileInfo::exists(help)) {
        platform::showEngineError(
            rpGet(QStringLiteral("prvNoHelpFile")).replace(QStringLiteral("%s"), help));
        return;
    }
    platform::shellOpenAddress(QUrl::fromLocalFile(help).toString());
}
