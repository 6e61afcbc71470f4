#include "SpoolerEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <stdexcept>

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

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

// The scheduler's configuration (tests/support/cups), written for its folder.
void writeConfiguration(const QString& root, const char* name)
{
    QFile source(QStringLiteral(VORSELA_CUPS_CONFIGURATION "/") + QString::fromLatin1(name));
    QFile target(root + u'/' + QString::fromLatin1(name));
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        throw std::runtime_error(std::string("cannot write the scheduler's ") + name);
    target.write(source.readAll().replace("@ROOT@", root.toLocal8Bit()));
}

} // namespace

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
    FRoot = FDir->path();
    shareWithLp(FRoot);
    for (const char* folder :
        {"run", "spool", "spool/tmp", "cache", "state", "log", "out", "ppd"}) {
        QDir(FRoot).mkpath(QString::fromLatin1(folder));
        shareWithLp(FRoot + u'/' + QString::fromLatin1(folder));
    }
    writeConfiguration(FRoot, "cupsd.conf");
    writeConfiguration(FRoot, "cups-files.conf");
    qputenv("CUPS_SERVER", (FRoot + QStringLiteral("/run/cups.sock")).toLocal8Bit());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");

    const QByteArray program = cupsd.toLocal8Bit();
    const QByteArray conf = (FRoot + QStringLiteral("/cupsd.conf")).toLocal8Bit();
    const QByteArray files = (FRoot + QStringLiteral("/cups-files.conf")).toLocal8Bit();
    FPid = fork();
    if (FPid == 0) {
        // A test program that dies takes its scheduler with it.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execl(program.constData(), "cupsd", "-f", "-c", conf.constData(), "-s", files.constData(),
            static_cast<char*>(nullptr));
        _exit(127);
    }
    try {
        waitForScheduler();
    } catch (...) {
        stop();
        throw;
    }
    running = this;
    for (const TestQueue& queue : FQueues)
        addQueue(queue);
}

void SpoolerEnvironment::stop()
{
    if (FPid > 0) {
        kill(pid_t(FPid), SIGTERM);
        waitpid(pid_t(FPid), nullptr, 0);
    }
    FPid = -1;
    FDir.reset();
    if (running == this)
        running = nullptr;
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
