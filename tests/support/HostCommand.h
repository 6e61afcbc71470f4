#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A command-line tool of the machine that runs the tests (the spooler's clients, poppler's
// readers of a job), run with its answers in English. Under Wine the test program is a Windows
// program that cannot wait for a Unix one: there the tool runs beside it, in the agent that
// the test set-up starts (tests/support/windows/host-agent), and its files are named by their
// Unix paths.
struct HostOutput {
    QByteArray out;
    QByteArray err;
    int exitCode = -1;
};

HostOutput runOnHost(const QString& program, const QStringList& arguments, int timeoutMs = 60000);

// A path of this program as the machine's tools know it (under Wine, "Z:/tmp/x" is "/tmp/x").
QString hostPath(const QString& path);
