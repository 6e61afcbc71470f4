#pragma once

#include "rpExpression.h"

#include <QDateTime>

class TrpComponent;
class TrpNullBand;
class TrpPage;
class TrpReport;
class TrpReportPage;

// The engine run of a preparation: every printable page of the
// report is output PageCount times into the report's prepared pages, each output showing
// the page's objects through one page-level container. The band-layout machinery (bands,
// data sets, groups, columns, page breaks between bands) is not part of this program; the
// templates have no bands, so one output gives one prepared page.
class TrpEngine : public TrpPrintContext {
public:
    explicit TrpEngine(TrpReport& report);
    TrpEngine(const TrpEngine&) = delete;
    TrpEngine& operator=(const TrpEngine&) = delete;

    // Runs the engine: with AClearLast the prepared pages are emptied first; with APage
    // only that page is output. True when the run could start. Errors raised by an object
    // (an expression that cannot be evaluated) leave the run at once, and the prepared pages
    // are emptied before the observer hears that the run stopped: a page begun before the
    // error lacks its objects, and nothing half-made may reach a printer or a file.
    bool Run(bool ARunDialogs, bool AClearLast = false, TrpPage* APage = nullptr);

    bool Running() const { return FRunning; }
    // The values of the system variables for the object being prepared.
    const TrpSystemVariables& SystemVariables() const { return FVariables; }
    // The print context handed to every object's GetData: expressions see the system
    // variables of the page being output, errors go to the report.
    QString ExpandExpressions(const QString& text, const QString& delimiters,
        TrpFormatKind displayKind, const QString& displayFormat) const override;
    void AddError(const QString& text) override;
    // When the last run started: the values of Date and Time.
    const QDateTime& StartDate() const { return FVariables.start; }
    // The logical number of the page being output (1 for the first page of a run).
    int PageNo() const { return FPageNo; }
    // The page area of the page being output, in report pixels, and the current position.
    double PageWidth() const { return FPageWidth; }
    double PageHeight() const { return FPageHeight; }
    double CurX() const { return FCurX; }
    double CurY() const { return FCurY; }

private:
    class RunningScope;

    void RunPages(TrpPage* only);
    void RunPage(TrpReportPage& page);
    void OutputPage(TrpReportPage& page);
    void ShowBand(TrpNullBand& band);

    TrpReport& FReport;
    TrpSystemVariables FVariables;
    bool FRunning = false;
    int FPageNo = 0;
    double FPageWidth = 0;
    double FPageHeight = 0;
    double FCurX = 0;
    double FCurY = 0;
};
