#include "rpPrinterDriver.h"

#include "rpDeviceMode.h"

#include "report/model/rpPaper.h"
#include "report/model/rpRes.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// An open printer of the spooler, closed with the object.
class OpenedPrinter {
public:
    explicit OpenedPrinter(const QString& name)
    {
        std::wstring wide = name.toStdWString();
        if (!OpenPrinterW(wide.data(), &fHandle, nullptr))
            fHandle = nullptr;
    }
    ~OpenedPrinter()
    {
        if (fHandle)
            ClosePrinter(fHandle);
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;

    HANDLE handle() const { return fHandle; }

private:
    HANDLE fHandle = nullptr;
};

// The driver's current settings record of the printer; empty when the driver gives none.
std::vector<char> driverSettings(const OpenedPrinter& printer, std::wstring& name)
{
    const LONG size
        = DocumentPropertiesW(nullptr, printer.handle(), name.data(), nullptr, nullptr, 0);
    if (size <= 0)
        return {};
    std::vector<char> record(std::size_t(size), 0);
    if (DocumentPropertiesW(nullptr, printer.handle(), name.data(),
            reinterpret_cast<DEVMODEW*>(record.data()), nullptr, DM_OUT_BUFFER)
        != IDOK)
        return {};
    return record;
}

// One of the driver's lists of fixed-width names (paper sources 24 characters, papers 64).
QStringList capabilityNames(const std::wstring& name, WORD capability, int count, int width)
{
    std::vector<wchar_t> names(std::size_t(count) * std::size_t(width), 0);
    QStringList result;
    if (DeviceCapabilitiesW(name.c_str(), nullptr, capability, names.data(), nullptr) != count)
        return result;
    for (int i = 0; i < count; ++i) {
        const wchar_t* entry = names.data() + std::ptrdiff_t(i) * width;
        int length = 0;
        while (length < width && entry[length] != 0)
            ++length;
        result.append(QString::fromWCharArray(entry, length));
    }
    return result;
}

// The record's fields, with their flags, over the driver's settings.
void writeMode(DEVMODEW& record, const TrpDeviceMode& mode)
{
    record.dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_DUPLEX;
    record.dmOrientation = short(mode.Orientation);
    record.dmPaperSize = short(mode.PaperSize);
    if (mode.PaperSize == rpCustomPaper) {
        record.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
        record.dmPaperLength = short(mode.PaperLength);
        record.dmPaperWidth = short(mode.PaperWidth);
    }
    record.dmCopies = short(mode.Copies);
    record.dmDefaultSource = short(mode.DefaultSource);
    record.dmDuplex = short(mode.Duplex);
}

// What the driver's record says of the fields the record keeps.
void readMode(const DEVMODEW& record, TrpDeviceMode& mode)
{
    if (record.dmFields & DM_ORIENTATION)
        mode.Orientation = record.dmOrientation;
    if (record.dmFields & DM_PAPERSIZE) {
        mode.PaperSize = record.dmPaperSize;
        const bool custom = mode.PaperSize == rpCustomPaper;
        mode.PaperLength = custom && (record.dmFields & DM_PAPERLENGTH) ? record.dmPaperLength : 0;
        mode.PaperWidth = custom && (record.dmFields & DM_PAPERWIDTH) ? record.dmPaperWidth : 0;
    }
    if (record.dmFields & DM_COPIES)
        mode.Copies = record.dmCopies;
    if (record.dmFields & DM_DEFAULTSOURCE)
        mode.DefaultSource = record.dmDefaultSource;
    if (record.dmFields & DM_DUPLEX)
        mode.Duplex = record.dmDuplex;
}

// The job of the printer's current document in the spooler's queue, found by its name.
std::optional<DWORD> currentJob(const OpenedPrinter& printer, const QString& documentName)
{
    DWORD needed = 0;
    DWORD count = 0;
    EnumJobsW(printer.handle(), 0, 0xFFFF, 1, nullptr, 0, &needed, &count);
    if (needed == 0)
        return std::nullopt;
    std::vector<BYTE> buffer(needed);
    if (!EnumJobsW(printer.handle(), 0, 0xFFFF, 1, buffer.data(), needed, &needed, &count))
        return std::nullopt;
    const auto* jobs = reinterpret_cast<const JOB_INFO_1W*>(buffer.data());
    std::optional<DWORD> found;
    for (DWORD i = 0; i < count; ++i)
        if (jobs[i].pDocument && QString::fromWCharArray(jobs[i].pDocument) == documentName)
            found = jobs[i].JobId;
    return found;
}

// QPrinter's paper sources are the desktop's source codes less one, up to the large-capacity
// tray; the cassette and the form source follow them.
std::optional<QPrinter::PaperSource> qtPaperSource(int code)
{
    if (code >= DMBIN_UPPER && code <= DMBIN_LARGECAPACITY)
        return QPrinter::PaperSource(code - 1);
    if (code == DMBIN_CASSETTE)
        return QPrinter::Cassette;
    if (code == DMBIN_FORMSOURCE)
        return QPrinter::FormSource;
    return std::nullopt;
}

} // namespace

TrpDriverFacts rpReadDriverFacts(const QString& printerName)
{
    TrpDriverFacts facts;
    std::wstring name = printerName.toStdWString();
    const OpenedPrinter printer(printerName);
    if (!printer.handle())
        return facts;
    std::vector<char> record = driverSettings(printer, name);
    if (record.empty())
        return facts;
    const auto* mode = reinterpret_cast<const DEVMODEW*>(record.data());

    if (HDC info = CreateICW(nullptr, name.c_str(), nullptr, mode)) {
        const QPoint dpi(GetDeviceCaps(info, LOGPIXELSX), GetDeviceCaps(info, LOGPIXELSY));
        if (dpi.x() > 0 && dpi.y() > 0)
            facts.Resolution = dpi;
        DeleteDC(info);
    }

    const int count = DeviceCapabilitiesW(name.c_str(), nullptr, DC_BINS, nullptr, nullptr);
    if (count > 0) {
        std::vector<WORD> codes(std::size_t(count), 0);
        const QStringList names = capabilityNames(name, DC_BINNAMES, count, 24);
        if (DeviceCapabilitiesW(
                name.c_str(), nullptr, DC_BINS, reinterpret_cast<wchar_t*>(codes.data()), nullptr)
                == count
            && names.size() == count) {
            for (int i = 0; i < count; ++i)
                facts.Bins.append(
                    {names[i], QString::number(codes[std::size_t(i)]), int(codes[std::size_t(i)])});
        }
    }
    if (mode->dmFields & DM_DEFAULTSOURCE)
        facts.DefaultBinKey = QString::number(mode->dmDefaultSource);
    return facts;
}

// The driver's dialog is modal over the active window and runs its own message loop.
TrpDriverDialog rpRunDriverDialog(const QString& printerName, TrpDeviceMode& mode)
{
    std::wstring name = printerName.toStdWString();
    const OpenedPrinter printer(printerName);
    if (!printer.handle())
        return TrpDriverDialog::Cancelled;
    std::vector<char> input = driverSettings(printer, name);
    if (input.empty())
        return TrpDriverDialog::Cancelled;
    writeMode(*reinterpret_cast<DEVMODEW*>(input.data()), mode);
    std::vector<char> output(input.size(), 0);
    auto* chosen = reinterpret_cast<DEVMODEW*>(output.data());
    if (DocumentPropertiesW(GetActiveWindow(), printer.handle(), name.data(), chosen,
            reinterpret_cast<DEVMODEW*>(input.data()), DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER)
        != IDOK)
        return TrpDriverDialog::Cancelled;
    readMode(*chosen, mode);
    return TrpDriverDialog::Accepted;
}

// A source of the desktop's own codes goes through QPrinter; a source of the driver's own
// (from 256 on) is taken by Qt's Windows engine as its code.
// The Windows engine puts the painter's origin at the page's margins less the printer's
// physical offsets, since GDI's own origin is the corner of the printable area: with no
// margins the origin is the sheet's corner.
void rpPlaceOriginAtSheetCorner(QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

void rpSelectBin(QPrinter& printer, const QString& key)
{
    const int code = key.toInt();
    if (const auto source = qtPaperSource(code))
        printer.setPaperSource(*source);
    else if (code >= DMBIN_USER)
        printer.printEngine()->setProperty(QPrintEngine::PPK_PaperSource, code);
}

// The spooler deletes a job that is still being written: what the painter hands over when it
// ends reaches no printer.
void rpHoldNextJob(QPrinter& printer)
{
    const OpenedPrinter opened(printer.printerName());
    if (!opened.handle())
        return;
    if (const auto job = currentJob(opened, printer.docName()))
        SetJobW(opened.handle(), *job, 0, nullptr, JOB_CONTROL_DELETE);
}

// The job was deleted before the painter handed it over; nothing is left to cancel.
void rpCancelHeldJob(QPrinter&) { }

// The spooler keeps no answer of its own for the document just handed over; a printer that
// can no longer be opened is one whose queue is gone.
QString rpSpoolerRefusal(const QString& queue)
{
    if (OpenedPrinter(queue).handle())
        return {};
    return rpGet(QStringLiteral("prtQueueGone")).replace(QStringLiteral("%s"), queue);
}
