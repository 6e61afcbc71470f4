#include "SpoolerEnvironment.h"

#include "HostCommand.h"

#include <QPrinterInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// The exit code that asks the test set-up to start the program once more.
constexpr int kStartAgain = 75;

// Wine lists the scheduler's queues as the printers of a program when it starts it.
bool printersShow(const QList<TestQueue>& queues)
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    for (const TestQueue& queue : queues) {
        if (!printers.contains(queue.Name))
            return false;
        if (queue.Default && QPrinterInfo::defaultPrinterName() != queue.Name)
            return false;
    }
    return true;
}

} // namespace

void SpoolerEnvironment::start()
{
    if (running)
        throw std::logic_error("a test program has one spooler: its CUPS client keeps the first "
                               "scheduler it meets");
    const QString folder = qEnvironmentVariable("VORSELA_TEST_SPOOLER");
    if (folder.isEmpty())
        throw std::runtime_error("no test spooler: under Wine a printing test program runs "
                                 "through tests/support/windows/with-test-spooler");
    FRoot = QStringLiteral("Z:") + folder;
    waitForScheduler();
    running = this;
    for (const TestQueue& queue : FQueues)
        addQueue(queue);
    if (!printersShow(FQueues)) {
        std::fprintf(stderr, "the test's queues are made: the program starts once more\n");
        std::fflush(stderr);
        std::_Exit(kStartAgain);
    }
}

void SpoolerEnvironment::stop()
{
    if (running == this)
        running = nullptr;
}

std::map<std::string, std::string> SpoolerEnvironment::lastJobAttributes(const QString& queue) const
{
    std::map<std::string, std::string> result;
    int id = 0;
    static const QRegularExpression jobName(QStringLiteral("^\\S+-(\\d+)\\s"));
    const QStringList jobs = run(QStringLiteral("lpstat"),
        {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue})
                                 .split(u'\n');
    for (const QString& line : jobs) {
        const QRegularExpressionMatch match = jobName.match(line);
        if (match.hasMatch())
            id = std::max(id, match.captured(1).toInt());
    }
    if (id == 0)
        return result;
    // ipptool prints each attribute as "name (type) = value", the value as the client
    // library writes it.
    const QString socket = hostPath(FRoot) + QStringLiteral("/run/cups.sock");
    const QString uri = QStringLiteral("ipp://")
        + QString::fromLatin1(QUrl::toPercentEncoding(socket)) + QStringLiteral("/jobs/")
        + QString::number(id);
    static const QRegularExpression attribute(QStringLiteral("^\\s+(\\S+) \\([^)]*\\) = (.*)$"));
    for (const QString& line : run(QStringLiteral("ipptool"),
             {QStringLiteral("-tv"), uri, QStringLiteral("get-job-attributes.test")})
                                   .split(u'\n')) {
        const QRegularExpressionMatch match = attribute.match(line);
        if (match.hasMatch())
            result[match.captured(1).toStdString()] = match.captured(2).toStdString();
    }
    return result;
}
