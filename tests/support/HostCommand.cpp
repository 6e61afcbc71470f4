#include "HostCommand.h"

#include <QProcess>
#include <QProcessEnvironment>

HostOutput runOnHost(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANGUAGE"), QString());
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    HostOutput output;
    if (!process.waitForFinished(timeoutMs))
        return output;
    output.out = process.readAllStandardOutput();
    output.err = process.readAllStandardError();
    output.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return output;
}

QString hostPath(const QString& path) { return path; }
