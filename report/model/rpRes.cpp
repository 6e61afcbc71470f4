#include "rpRes.h"

#include <initializer_list>
#include <utility>

namespace {

using Entry = std::pair<const char*, const char*>;

// Messages and captions of the preparation, the preview, its find, print and page-settings
// dialogs and the printer layer. "!" marks texts whose stored form differs from the shown.
constexpr std::initializer_list<Entry> kEntries {
    {"mbError", "Error"},
    {"clErrors", "The following error(s) have occured:"},

    {"prvCaption", "Preview"},
    {"prvPrint", "Print"},
    {"prvOpen", "Open"},
    {"prvSave", "Save"},
    {"prvExportPdf", "Export to PDF"},
    {"prvSendEmail", "Send by E-mail"},
    {"prvFind", "Find"},
    {"prvZoomIn", "Zoom In"},
    {"prvZoom", "Zoom"},
    {"prvZoomOut", "Zoom Out"},
    {"prvFullScreen", "Full Screen"},
    {"prvOutline", "Outline"},
    {"prvOutlineHint", "Report outline"},
    {"prvThumbnails", "Thumbnails"},
    {"prvPageSettings", "Page Settings"},
    {"prvEdit", "Edit"},
    {"prvEditHint", "Edit Page"},
    {"prvFirst", "First"},
    {"prvFirstHint", "First Page"},
    {"prvPrior", "Prior"},
    {"prvPriorHint", "Prior Page"},
    {"prvNext", "Next"},
    {"prvNextHint", "Next Page"},
    {"prvLast", "Last"},
    {"prvLastHint", "Last Page"},
    {"prvPageNumber", "Page Number"},
    {"prvClose", "Close"},
    {"prvCancel", "Cancel"},
    {"prvCollapseAll", "Collapse all"},
    {"prvExpandAll", "Expand all"},
    {"prvShowTemplate", "Show template"},
    {"prvPreparedReport", "Prepared Report"},
    {"prvPreparedFilter", " (*.prp)|*.prp"},
    {"prvPageOf", "Page %d of %d"},
    {"prvOf", "of %d"},
    {"prvPageWidth", "Page width"},
    {"prvWholePage", "Whole page"},
    {"prvSaving", "Saving file..."},
    {"prvLoading", "Loading file..."},
    {"prvTextNotFound", "Text not found"},
    {"prvNoHelpFile", "Help file \"%s\" not found"},

    {"fndCaption", "Find Text"},
    {"fndTextToFind", "Text to find:"},
    {"fndOptions", "Search options"},
    {"fndFromBeginning", "Search from beginning"},
    {"fndCaseSensitive", "Case sensitive"},

    {"btnOK", "OK"},
    {"btnCancel", "Cancel"},

    {"prnCaption", "Print"},
    {"prnPrinter", "Printer"},
    {"prnName", "Name:"},
    {"prnProperties", "Properties..."},
    {"prnWhere", "Where:"},
    {"prnToFile", "Print to file"},
    {"prnPages", "Pages"},
    {"prnAll", "All"},
    {"prnCurrentPage", "Current page"},
    {"prnPageList", "Pages:"},
    {"prnPagesHint",
        "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12"},
    {"prnCopies", "Copies"},
    {"prnNumberOfCopies", "Number of copies"},
    {"prnCollate", "Collate"},
    {"prnOther", "!Other"},
    {"prnPrintList", "Print"},
    {"prnOrder", "!Order"},
    {"prnDuplex", "Duplex"},
    {"prnPrintMode", "Print mode"},
    {"prnPrintOnSheet", "Print on sheet"},
    {"prnDirect", "!Direct (1-9)"},
    {"prnReverse", "!Reverse (9-1)"},
    {"prnAllPages", "All pages"},
    {"prnOddPages", "Odd pages"},
    {"prnEvenPages", "Even pages"},
    {"prnDuplexDefault", "Default"},
    {"prnDuplexVertical", "Vertical"},
    {"prnDuplexHorizontal", "Horizontal"},
    {"prnDuplexSimplex", "Simplex"},
    {"prnModeDefault", "Default"},
    {"prnModeSplit", "Split big pages"},
    {"prnModeJoin", "Join small pages"},
    {"prnModeScale", "Scale"},
    {"prnToFileCaption", "Print to file"},
    {"prnFileFilter", "Printer file (*.prn)|*.prn"},
    {"prnPrintingPage", "Printing page %d"},
    {"prnDocument", "Report Document"},
    {"prnNoListedPage", "The page list \"%s\" selects no page of the report. Nothing was printed."},
    {"prnNoPage", "No page of the report is to be printed. Nothing was printed."},

    {"pgsCaption", "Page Settings"},
    {"pgsSize", "Size"},
    {"pgsWidth", "Width"},
    {"pgsHeight", "Height"},
    {"pgsOrientation", "Orientation"},
    {"pgsPortrait", "Portrait"},
    {"pgsLandscape", "Landscape"},
    {"pgsMargins", "Margins"},
    {"pgsLeft", "Left"},
    {"pgsTop", "Top"},
    {"pgsRight", "Right"},
    {"pgsBottom", "Bottom"},
    {"pgsOther", "Other"},
    {"pgsApplyCurrent", "Apply to the current page"},
    {"pgsApplyAll", "Apply to all pages"},
    {"pgsCm", "cm"},
    {"pgsIn", "in"},

    {"prpCaption", "%s Properties"},
    {"prpSource", "Paper source"},

    {"prtDefaultPrinter", "Default"},
    {"prtCustomPaper", "Custom"},
    {"prtDefaultBin", "Default"},
    {"prtVirtual", "Virtual"},
    {"prtNoPrinters", "No printers installed on your system"},
    {"prtNotValid", "Printer selected is not valid"},
    {"prtJobRefused", "The printer did not accept the document: %s"},
    {"prtQueueGone", "the printer \"%s\" or its queue no longer exists"},
};

} // namespace

TrpResources::TrpResources()
{
    for (const auto& [key, text] : kEntries)
        fTable.insert(QString::fromLatin1(key), QString::fromUtf8(text));
}

TrpResources& TrpResources::table()
{
    static TrpResources resources;
    return resources;
}

const TrpResources& TrpResources::instance() { return table(); }

void TrpResources::SetText(const QString& key, const QString& text)
{
    table().fTable.insert(key, text);
}

QString TrpResources::Get(const QString& key) const
{
    const auto found = fTable.constFind(key);
    if (found == fTable.constEnd())
        return key;
    return found->startsWith(u'!') ? found->mid(1) : *found;
}

QString rpGet(const QString& key) { return TrpResources::instance().Get(key); }
