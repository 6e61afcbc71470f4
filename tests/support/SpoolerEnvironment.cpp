#include "SpoolerEnvironment.h"

#include "HostCommand.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

SpoolerEnvironment* SpoolerEnvironment::running = nullptr;

namespace {

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(text.toUtf8());
}

// A filter that moves every page of the job by the queue's feed error, as ink that such a
// printer puts on the sheet: Ghostscript redraws each page translated (PDF points, y up). The
// scheduler runs only filters that root owns in a folder that no one else may write to.
QString writeFeedErrorFilter(const QString& root, const TestQueue& queue)
{
    const QString ghostscript = QString::fromLocal8Bit(
        runOnHost(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("command -v gs")})
            .out.trimmed());
    if (ghostscript.isEmpty())
        throw std::runtime_error("gs is not installed: a queue with a feed error needs Ghostscript "
                                 "(scripts/setup installs ghostscript)");
    const QString folder = root + QStringLiteral("/filter");
    QDir().mkpath(folder);
    const double pointsPerMm = 72 / 25.4;
    const QString filter = folder + u'/' + queue.Name;
    writeFile(filter,
        QStringLiteral("#!/bin/sh\n"
                       "exec %1 -q -dNOPAUSE -dBATCH -dSAFER -sstdout=%stderr -sDEVICE=pdfwrite "
                       "-sOutputFile=%stdout -c '<</BeginPage {%2 %3 translate}>> setpagedevice' "
                       "-f \"${6:--}\"\n")
            .arg(ghostscript, QString::number(queue.FeedError.x() * pointsPerMm, 'f', 4),
                QString::number(-queue.FeedError.y() * pointsPerMm, 'f', 4)));
    runOnHost(QStringLiteral("chmod"), {QStringLiteral("755"), hostPath(folder), hostPath(filter)});
    return hostPath(filter);
}

// The queue's PPD with its pass-through filter replaced by the feed error's, when it has one.
QString queuePpd(const QString& root, const TestQueue& queue)
{
    if (queue.FeedError.isNull())
        return queue.Ppd;
    const QString passThrough = QStringLiteral("application/pdf 0 -\"");
    if (!queue.Ppd.contains(passThrough))
        throw std::runtime_error(
            "the PPD of " + queue.Name.toStdString() + " names no pass-through filter to replace");
    QString ppd = queue.Ppd;
    return ppd.replace(passThrough,
        QStringLiteral("application/pdf 0 ") + writeFeedErrorFilter(root, queue) + u'"');
}

} // namespace

SpoolerEnvironment::SpoolerEnvironment(QList<TestQueue> queues) : FQueues(std::move(queues)) { }

SpoolerEnvironment::~SpoolerEnvironment() { stop(); }

TestQueue SpoolerEnvironment::a5Laser()
{
    return {QStringLiteral("A5Laser"), TestPpd().text(), true};
}

void SpoolerEnvironment::SetUp()
{
    try {
        start();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        std::exit(1);
    }
}

void SpoolerEnvironment::waitForScheduler() const
{
    const QDeadlineTimer deadline(10000);
    while (
        !run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(u"scheduler is running")) {
        if (deadline.hasExpired())
            throw std::runtime_error("the test's CUPS scheduler did not start");
        QThread::msleep(50);
    }
}

void SpoolerEnvironment::addQueue(const TestQueue& queue) const
{
    const QString ppd = FRoot + QStringLiteral("/ppd/") + queue.Name + QStringLiteral(".ppd");
    writeFile(ppd, queuePpd(FRoot, queue));
    run(QStringLiteral("lpadmin"),
        {QStringLiteral("-p"), queue.Name, QStringLiteral("-E"), QStringLiteral("-v"),
            QStringLiteral("file://") + hostPath(outputFile(queue.Name)), QStringLiteral("-P"),
            hostPath(ppd)});
    if (queue.Default)
        run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue.Name});
}

QString SpoolerEnvironment::outputFile(const QString& queue) const
{
    return FRoot + QStringLiteral("/out/") + queue + QStringLiteral(".pdf");
}

QString SpoolerEnvironment::run(const QString& program, const QStringList& arguments) const
{
    const HostOutput output = runOnHost(program, arguments, 30000);
    return QString::fromLocal8Bit(output.out + output.err);
}

bool SpoolerEnvironment::waitForJobs(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool SpoolerEnvironment::removeQueue(const QString& queue) const
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue}).trimmed().isEmpty();
}

QString SpoolerEnvironment::output() const
{
    const auto queue = std::find_if(
        FQueues.begin(), FQueues.end(), [](const TestQueue& each) { return each.Default; });
    if (queue == FQueues.end())
        throw std::logic_error("the test spooler has no default queue");
    return outputFile(queue->Name);
}

SpoolerEnvironment& spooler()
{
    if (!SpoolerEnvironment::running)
        throw std::logic_error("this test program started no spooler");
    return *SpoolerEnvironment::running;
}
