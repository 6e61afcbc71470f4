#include "rpHelpFile.h"

#include "platform/core/MessageService.h"
#include "platform/core/Shell.h"
#include "report/model/rpRes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

std::function<void()>& helpOpener()
{
    static std::function<void()> opener;
    return opener;
}

} // namespace

void rpSetHelpOpener(std::function<void()> opener) { helpOpener() = std::move(opener); }

void rpOpenHelpFile()
{
    if (helpOpener()) {
        helpOpener()();
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
