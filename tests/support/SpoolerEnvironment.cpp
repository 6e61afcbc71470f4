#include "SpoolerEnvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

SpoolerEnvironment* running = nullptr;

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write(text.toUtf8());
}

// The scheduler drops to group lp and its filters run as lp: its folders must be theirs.
void shareWithLp(const QString& path)
{
    const group* lp = getgrnam("lp");
    if (lp && chown(path.toLocal8Bit().constData(), 0, lp->gr_gid) != 0)
        throw std::runtime_error("cannot hand " + path.toStdString() + " to group lp");
    QFile::setPermissions(path,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

// A filter that moves every page of the job by the queue's feed error, as ink that such a
// printer puts on the sheet: Ghostscript redraws each page translated (PDF points, y up). The
// scheduler runs only filters that root owns in a folder that no one else may write to.
QString writeFeedErrorFilter(const QString& root, const TestQueue& queue)
{
    const QString ghostscript = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (ghostscript.isEmpty())
        throw std::runtime_error("gs is not installed: a queue with a feed error needs Ghostscript "
                                 "(scripts/setup installs ghostscript)");
    const QString folder = root + QStringLiteral("/filter");
    QDir().mkpath(folder);
    const auto executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
        | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(folder, executable);
    const double pointsPerMm = 72 / 25.4;
    const QString filter = folder + u'/' + queue.Name;
    writeFile(filter,
        QStringLiteral("#!/bin/sh\n"
                       "exec %1 -q -dNOPAUSE -dBATCH -dSAFER -sstdout=%stderr -sDEVICE=pdfwrite "
                       "-sOutputFile=%stdout -c '<</BeginPage {%2 %3 translate}>> setpagedevice' "
                       "-f \"${6:--}\"\n")
            .arg(ghostscript, QString::number(queue.FeedError.x() * pointsPerMm, 'f', 4),
                QString::number(-queue.FeedError.y() * pointsPerMm, 'f', 4)));
    QFile::setPermissions(filter, executable);
    return filter;
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

void SpoolerEnvironment::start()
{
    if (running)
        throw std::logic_error("a test program has one spooler: its CUPS client keeps the first "
                               "scheduler it meets");
    const QString cupsd
        = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/sbin"});
    if (cupsd.isEmpty())
        throw std::runtime_error("cupsd is not installed: the printer tests need a CUPS scheduler "
                                 "(scripts/setup installs cups and cups-filters)");
    FDir = std::make_unique<QTemporaryDir>();
    const QString root = FDir->path();
    shareWithLp(root);
    for (const char* folder :
        {"run", "spool", "spool/tmp", "cache", "state", "log", "out", "ppd"}) {
        QDir(root).mkpath(QString::fromLatin1(folder));
        shareWithLp(root + u'/' + QString::fromLatin1(folder));
    }
    const QString socket = root + QStringLiteral("/run/cups.sock");
    writeFile(root + QStringLiteral("/cupsd.conf"),
        QStringLiteral(R"(Listen %1
Browsing Off
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
)")
            .arg(socket));
    writeFile(root + QStringLiteral("/cups-files.conf"),
        QStringLiteral(R"(ServerRoot %1
RequestRoot %1/spool
TempDir %1/spool/tmp
CacheDir %1/cache
StateDir %1/state
ErrorLog %1/log/error_log
AccessLog %1/log/access_log
PageLog %1/log/page_log
FileDevice Yes
User lp
Group lp
)")
            .arg(root));
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");

    const QByteArray program = cupsd.toLocal8Bit();
    const QByteArray conf = (root + QStringLiteral("/cupsd.conf")).toLocal8Bit();
    const QByteArray files = (root + QStringLiteral("/cups-files.conf")).toLocal8Bit();
    FPid = fork();
    if (FPid == 0) {
        // A test program that dies takes its scheduler with it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execl(program.constData(), "cupsd", "-f", "-c", conf.constData(), "-s", files.constData(),
            static_cast<char*>(nullptr));
        _exit(127);
    }
    const QDeadlineTimer deadline(10000);
    while (
        !run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(u"scheduler is running")) {
        if (deadline.hasExpired()) {
            stop();
            throw std::runtime_error("the test's CUPS scheduler did not start");
        }
        QThread::msleep(50);
    }
    running = this;
    for (const TestQueue& queue : FQueues)
        addQueue(queue);
}

void SpoolerEnvironment::addQueue(const TestQueue& queue) const
{
    const QString root = FDir->path();
    const QString ppd = root + QStringLiteral("/ppd/") + queue.Name + QStringLiteral(".ppd");
    writeFile(ppd, queuePpd(root, queue));
    run(QStringLiteral("lpadmin"),
        {QStringLiteral("-p"), queue.Name, QStringLiteral("-E"), QStringLiteral("-v"),
            QStringLiteral("file://") + outputFile(queue.Name), QStringLiteral("-P"), ppd});
    if (queue.Default)
        run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue.Name});
}

void SpoolerEnvironment::stop()
{
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        waitpid(FPid, nullptr, 0);
    }
    FPid = -1;
    FDir.reset();
    if (running == this)
        running = nullptr;
}

QString SpoolerEnvironment::outputFile(const QString& queue) const
{
    return FDir->path() + QStringLiteral("/out/") + queue + QStringLiteral(".pdf");
}

QString SpoolerEnvironment::run(const QString& program, const QStringList& arguments) const
{
    QProcess process;
    // The answers are read as text, so the client speaks English whatever the user's locale.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANGUAGE"), QString());
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
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

std::map<std::string, std::string> SpoolerEnvironment::lastJobAttributes(const QString& queue) const
{
    std::map<std::string, std::string> result;
    cups_job_t* jobs = nullptr;
    const int count
        = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int id = 0;
    for (int i = 0; i < count; ++i)
        id = std::max(id, jobs[i].id);
    cupsFreeJobs(count, jobs);
    if (id == 0)
        return result;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    for (ipp_attribute_t* attr = ippFirstAttribute(response); attr;
         attr = ippNextAttribute(response)) {
        if (!ippGetName(attr))
            continue;
        char value[256];
        ippAttributeString(attr, value, sizeof value);
        result[ippGetName(attr)] = value;
    }
    ippDelete(response);
    return result;
}

SpoolerEnvironment& spooler()
{
    if (!running)
        throw std::logic_error("this test program started no spooler");
    return *running;
}
