#include "HostCommand.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <atomic>
#include <stdexcept>
#include <string>

#include <windows.h>

namespace {

// The agent's folder, as the test set-up gave it (a Unix path).
QString agentFolder()
{
    const QString folder = qEnvironmentVariable("VORSELA_HOST_AGENT");
    if (folder.isEmpty())
        throw std::runtime_error("no host agent: run the Windows tests through scripts/test "
                                 "windows, whose set-up starts one (VORSELA_HOST_AGENT)");
    return QStringLiteral("Z:") + folder;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A request is a file of the program's arguments, one a line, that appears under its final
// name only when whole; the agent answers with the output, the errors and, last, the exit code.
HostOutput runOnHost(const QString& program, const QStringList& arguments, int timeoutMs)
{
    static std::atomic<int> serial = 0;
    const QString base = agentFolder() + u'/' + QString::number(QCoreApplication::applicationPid())
        + u'-' + QString::number(++serial);
    QByteArray request = program.toUtf8() + '\n';
    for (const QString& argument : arguments) {
        if (argument.contains(u'\n'))
            throw std::invalid_argument("a host command's argument holds a line break");
        request += argument.toUtf8() + '\n';
    }
    {
        QFile file(base + QStringLiteral(".tmp"));
        if (!file.open(QIODevice::WriteOnly) || file.write(request) != request.size())
            throw std::runtime_error("cannot hand a command to the host agent");
    }
    QFile::rename(base + QStringLiteral(".tmp"), base + QStringLiteral(".args"));
    HostOutput output;
    const QDeadlineTimer deadline(timeoutMs);
    while (!QFile::exists(base + QStringLiteral(".rc"))) {
        if (deadline.hasExpired())
            return output;
        QThread::msleep(10);
    }
    output.out = readAll(base + QStringLiteral(".out"));
    output.err = readAll(base + QStringLiteral(".err"));
    output.exitCode = readAll(base + QStringLiteral(".rc")).trimmed().toInt();
    for (const char* suffix : {".out", ".err", ".rc"})
        QFile::remove(base + QString::fromLatin1(suffix));
    return output;
}

// Wine names the Unix file of any of its paths (drive Z: is the root, C: the prefix's).
QString hostPath(const QString& path)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    static const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        throw std::runtime_error("not under Wine: no Unix names for Windows paths");
    const std::wstring windowsPath = QDir::toNativeSeparators(path).toStdWString();
    char* name = unixFileName(windowsPath.c_str());
    if (!name)
        return path;
    const QString unix = QString::fromLocal8Bit(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}
