#include "FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

namespace {

class StandardFileDialogs final : public FileDialogAsker {
public:
    QString ask(const FileDialogRequest& request) override
    {
        const QString filter = qtFileFilter(request.filter);
        if (request.kind == FileDialogRequest::Open)
            return QFileDialog::getOpenFileName(nullptr, request.title, QString(), filter);
        QFileDialog dialog(nullptr, request.title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(request.defaultExtension);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles().value(0);
    }
};

StandardFileDialogs gStandard;
FileDialogAsker* gAsker = &gStandard;

} // namespace

FileDialogAsker* setFileDialogAsker(FileDialogAsker* asker)
{
    FileDialogAsker* previous = gAsker;
    gAsker = asker ? asker : &gStandard;
    return previous;
}

QString qtFileFilter(const QString& filter)
{
    // Pairs of description and pattern; the description already names the pattern.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        descriptions.append(parts[i]);
    return descriptions.join(QStringLiteral(";;"));
}

QString getOpenFileName(const QString& filter)
{
    return gAsker->ask(FileDialogRequest {FileDialogRequest::Open, filter, QString(), QString()});
}

QString getSaveFileName(
    const QString& filter, const QString& defaultExtension, const QString& title)
{
    return gAsker->ask(
        FileDialogRequest {FileDialogRequest::Save, filter, defaultExtension, title});
}

} // namespace platform
