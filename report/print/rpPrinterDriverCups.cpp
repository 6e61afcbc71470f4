#include "rpPrinterDriver.h"

#include "report/model/rpRes.h"

#include <QFile>
#include <QLibrary>
#include <QPrintEngine>
#include <QPrinter>
#include <QRegularExpression>

#include <array>
#include <utility>

// The PPD is where a queue's input slots and resolution are written with the keys that its
// filters understand; the IPP attributes that replace these calls rename both.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#include <cups/ppd.h>

namespace {

// The CUPS client library, loaded on the first call that needs it rather than with the
// program: it brings some twenty libraries of its own (TLS, Kerberos, Avahi), and the
// operator's window is up sooner without them. Without the library the driver facts are
// those Qt reports.
class CupsClient {
public:
    static const CupsClient* get()
    {
        static const CupsClient client;
        return client.fLoaded ? &client : nullptr;
    }

    decltype(&::cupsGetPPD) getPPD = nullptr;
    decltype(&::ppdOpenFile) openFile = nullptr;
    decltype(&::ppdFindAttr) findAttr = nullptr;
    decltype(&::ppdFindOption) findOption = nullptr;
    decltype(&::ppdClose) close = nullptr;
    decltype(&::cupsGetJobs2) getJobs = nullptr;
    decltype(&::cupsCancelJob2) cancelJob = nullptr;
    decltype(&::cupsFreeJobs) freeJobs = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;

private:
    CupsClient()
    {
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load())
            return;
        fLoaded = resolve(library, getPPD, "cupsGetPPD")
            && resolve(library, openFile, "ppdOpenFile")
            && resolve(library, findAttr, "ppdFindAttr")
            && resolve(library, findOption, "ppdFindOption") && resolve(library, close, "ppdClose")
            && resolve(library, getJobs, "cupsGetJobs2")
            && resolve(library, cancelJob, "cupsCancelJob2")
            && resolve(library, freeJobs, "cupsFreeJobs")
            && resolve(library, lastError, "cupsLastError")
            && resolve(library, lastErrorString, "cupsLastErrorString")
            && resolve(library, getNamedDest, "cupsGetNamedDest")
            && resolve(library, freeDests, "cupsFreeDests");
    }

    template <typename Function>
    static bool resolve(QLibrary& library, Function& function, const char* name)
    {
        function = reinterpret_cast<Function>(library.resolve(name));
        return function != nullptr;
    }

    bool fLoaded = false;
};

// The desktop's source codes for the slot names that PPDs share; any other slot gets a code
// of its own from 256 on.
int binCode(const QString& key, int userIndex)
{
    static const std::array<std::pair<const char*, int>, 13> known {{
        {"Upper", 1},
        {"OnlyOne", 1},
        {"Lower", 2},
        {"Middle", 3},
        {"Manual", 4},
        {"Envelope", 5},
        {"EnvManual", 6},
        {"Auto", 7},
        {"Tractor", 8},
        {"SmallFormat", 9},
        {"LargeFormat", 10},
        {"LargeCapacity", 11},
        {"Cassette", 14},
    }};
    for (const auto& [name, code] : known)
        if (key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return code;
    return 256 + userIndex;
}

std::optional<QPoint> parseResolution(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(?:x(\\d+))?dpi$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    const int x = match.captured(1).toInt();
    return QPoint(x, match.captured(2).isEmpty() ? x : match.captured(2).toInt());
}

} // namespace

TrpDriverFacts rpReadDriverFacts(const QString& printerName)
{
    TrpDriverFacts facts;
    const CupsClient* cups = CupsClient::get();
    if (!cups)
        return facts;
    const char* path = cups->getPPD(printerName.toUtf8().constData());
    if (!path)
        return facts;
    const QString file = QString::fromLocal8Bit(path);
    ppd_file_t* ppd = cups->openFile(path);
    QFile::remove(file);
    if (!ppd)
        return facts;
    if (ppd_attr_t* attr = cups->findAttr(ppd, "DefaultResolution", nullptr); attr && attr->value)
        facts.Resolution = parseResolution(QString::fromUtf8(attr->value));
    if (ppd_option_t* slots = cups->findOption(ppd, "InputSlot")) {
        int userIndex = 0;
        for (int i = 0; i < slots->num_choices; ++i) {
            const QString key = QString::fromUtf8(slots->choices[i].choice);
            const int code = binCode(key, userIndex);
            if (code >= 256)
                ++userIndex;
            facts.Bins.append({QString::fromUtf8(slots->choices[i].text), key, code});
        }
        facts.DefaultBinKey = QString::fromUtf8(slots->defchoice);
    }
    cups->close(ppd);
    return facts;
}

// A CUPS queue's options are chosen by the program that prints: its drivers show no dialog.
TrpDriverDialog rpRunDriverDialog(const QString&, TrpDeviceMode&)
{
    return TrpDriverDialog::NoDialog;
}

// Qt Print Support passes a list of name/value pairs under this key to the jobs of a CUPS
// queue; there is no public call for a PPD option of the driver's own.
void rpPlaceOriginAtSheetCorner(QPrinter& printer) { printer.setFullPage(true); }

void rpSelectBin(QPrinter& printer, const QString& key)
{
    const auto cupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    printer.printEngine()->setProperty(cupsOptions, QStringList {QStringLiteral("InputSlot"), key});
}

void rpHoldNextJob(QPrinter& printer)
{
    const auto cupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    QStringList options = printer.printEngine()->property(cupsOptions).toStringList();
    options << QStringLiteral("job-hold-until") << QStringLiteral("indefinite");
    printer.printEngine()->setProperty(cupsOptions, options);
}

void rpCancelHeldJob(QPrinter& printer)
{
    if (const CupsClient* cups = CupsClient::get()) {
        const QByteArray queue = printer.printerName().toLocal8Bit();
        cups_job_t* jobs = nullptr;
        const int count
            = cups->getJobs(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ACTIVE);
        for (int i = 0; i < count; ++i)
            if (jobs[i].state == IPP_JOB_HELD
                && QString::fromUtf8(jobs[i].title) == printer.docName())
                cups->cancelJob(CUPS_HTTP_DEFAULT, queue.constData(), jobs[i].id, 1);
        cups->freeJobs(count, jobs);
    }

    const auto cupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    QStringList options = printer.printEngine()->property(cupsOptions).toStringList();
    const qsizetype hold = options.indexOf(QStringLiteral("job-hold-until"));
    if (hold >= 0 && hold % 2 == 0)
        options.remove(hold, 2);
    printer.printEngine()->setProperty(cupsOptions, options);
}

// Qt's print engine hands the document over with the same client library in this thread,
// which keeps the service's answer to the last request.
QString rpSpoolerRefusal(const QString& queue)
{
    const CupsClient* cups = CupsClient::get();
    if (!cups || cups->lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    QString answer = QString::fromUtf8(cups->lastErrorString());
    // A deleted queue answers with the system's "no such file", which names nothing the
    // operator knows.
    cups_dest_t* dest
        = cups->getNamedDest(CUPS_HTTP_DEFAULT, queue.toLocal8Bit().constData(), nullptr);
    if (dest) {
        cups->freeDests(1, dest);
        return answer;
    }
    return rpGet(QStringLiteral("prtQueueGone")).replace(QStringLiteral("%s"), queue)
        + QStringLiteral(" (") + answer + QLatin1Char(')');
}

#pragma GCC diagnostic pop
