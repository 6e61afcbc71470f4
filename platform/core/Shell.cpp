#include "Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

QString textEditorProgram()
{
#ifdef Q_OS_WIN
    // Notepad, found as the system finds a program: on the search path, else in the
    // Windows folder.
    const QString found = QStandardPaths::findExecutable(QStringLiteral("notepad"));
    if (!found.isEmpty())
        return found;
    return QDir::fromNativeSeparators(
               qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows")))
        + QStringLiteral("/notepad.exe");
#else
    static const char* const kEditors[] = {"gnome-text-editor", "gedit", "kate", "kwrite",
        "mousepad", "pluma", "xed", "featherpad", "leafpad"};
    for (const char* editor : kEditors) {
        QString found = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!found.isEmpty())
            return found;
    }
    return QString();
#endif
}

} // namespace

void shellOpenAddress(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

bool startTextEditor(const QString& fileName)
{
    const QString editor = textEditorProgram();
    if (editor.isEmpty())
        return QDesktopServices::openUrl(
            QUrl::fromLocalFile(QDir::current().absoluteFilePath(fileName)));
    return QProcess::startDetached(editor, {fileName}, QDir::currentPath());
}

} // namespace platform
