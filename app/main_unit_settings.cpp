// The settings file: loaded once while the window is created, saved on the operator's
// command. It keeps the school's data, the hours with their total and the four margins of
// the certificate page.

#include "app/logic/SettingsFile.h"
#include "app/logic/SettingsLayout.h"
#include "app/main_unit.h"
#include "platform/core/Exception.h"
#include "platform/core/IniFile.h"
#include "platform/core/MessageService.h"
#include "platform/core/NumberFormat.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPageGeometry.h"
#include "report/model/rpPages.h"

#include <QScopedValueRollback>

using namespace Qt::Literals::StringLiterals;

namespace {

using settings::Margin;

// Every preparation replaces the template's objects, so the page is looked up anew for each
// margin.
TrpReportPage& certificatePage(TrpReport& report)
{
    auto* page = dynamic_cast<TrpReportPage*>(report.FindObject(u"Page1"_s));
    if (!page)
        throw platform::Exception(u"В шаблоне свидетельства нет страницы Page1"_s);
    return *page;
}

double& marginIn(TrpPageGeometry& geometry, Margin margin)
{
    switch (margin) {
    case Margin::Top:
        return geometry.TopMargin;
    case Margin::Bottom:
        return geometry.BottomMargin;
    case Margin::Left:
        return geometry.LeftMargin;
    case Margin::Right:
        break;
    }
    return geometry.RightMargin;
}

double marginOf(const TrpReportPage& page, Margin margin)
{
    TrpPageGeometry geometry = rpPageGeometry(page);
    return marginIn(geometry, margin);
}

void setMargin(TrpReportPage& page, Margin margin, double value)
{
    switch (margin) {
    case Margin::Top:
        page.SetTopMargin(value);
        return;
    case Margin::Bottom:
        page.SetBottomMargin(value);
        return;
    case Margin::Left:
        page.SetLeftMargin(value);
        return;
    case Margin::Right:
        page.SetRightMargin(value);
        return;
    }
}

} // namespace

TNkEdit* TfmMain::hourOrTotalField(int index) const
{
    return index <= 10 ? hourField(index) : Edit_23;
}

void TfmMain::loadSettings()
{
    platform::TIniFile ini(settingsFilePath());
    // Binary data in the file's place is kept (a save changes only its keys), but the
    // operator learns why the settings are missing.
    if (!ini.HoldsText()) {
        platform::showErrorBox(
            u"Не удалось прочитать файл настроек %1: в нём не текст. Настройки взяты по умолчанию."_s
                .arg(ini.FileName()));
    }
    for (const settings::TextKey& entry : settings::schoolKeys())
        textField(entry.field)
            ->SetText(ini.ReadString(settings::kOrganisation, entry.key, entry.placeholder));
    // The hour texts, whatever they hold, and then once the cache and the total from what
    // the fields show: the stored total "_11" is not read, the total is the sum.
    {
        const QScopedValueRollback loading(fLoadingHours, true);
        for (int i = 1; i <= 10; ++i) {
            TNkEdit* field = hourField(i);
            field->SetText(ini.ReadString(settings::kHours, settings::hourKey(i), field->Text()));
        }
    }
    fillHourCache();
    loadMargins(ini);
}

// Margins that leave no certificate on the sheet (a typo such as 150 for 1,50 cm, a value
// from another unit) are not taken: the certificate keeps the default margins and the
// operator is told why, once.
void TfmMain::loadMargins(const platform::TIniFile& ini)
{
    TrpReportPage& page = certificatePage(*rpReport1);
    TrpPageGeometry read = rpPageGeometry(page);
    for (const settings::MarginKey& entry : settings::kMargins)
        marginIn(read, entry.margin)
            = ini.ReadFloat(settings::kPage, entry.key, settings::kDefaultMargin);
    const QString problem = rpPageGeometryProblem(read);
    for (const settings::MarginKey& entry : settings::kMargins)
        setMargin(page, entry.margin,
            problem.isEmpty() ? marginIn(read, entry.margin) : settings::kDefaultMargin);
    if (!problem.isEmpty()) {
        platform::showErrorBox(u"Поля страницы в файле настроек не приняты, свидетельство "
                               u"печатается с полями по 15 мм. "_s
            + problem);
    }
}

// The whole save is one replacement of the file, so that a failure or a crash never leaves
// a mixture of old and new keys.
void TfmMain::N1Click()
{
    QList<platform::ProfileEntry> entries;
    for (const settings::TextKey& entry : settings::schoolKeys()) {
        const QString text = textField(entry.field)->Text();
        if (text != entry.placeholder)
            entries.append({settings::kOrganisation, entry.key, text});
    }
    for (int i = 1; i <= settings::kHourKeyCount; ++i)
        entries.append({settings::kHours, settings::hourKey(i), hourOrTotalField(i)->Text()});
    entries.append(marginEntries(false));
    platform::TIniFile(settingsFilePath()).WriteStrings(entries);
}

// After a calibration only the margins are stored, every one of them: the form may hold one
// graduate's data, which must not become the next start's defaults, and a calibrated 15 mm
// must replace an older value in the file.
void TfmMain::saveMargins()
{
    platform::TIniFile(settingsFilePath()).WriteStrings(marginEntries(true));
}

QList<platform::ProfileEntry> TfmMain::marginEntries(bool withDefaults) const
{
    QList<platform::ProfileEntry> entries;
    for (const settings::MarginKey& entry : settings::kMargins) {
        const double margin = marginOf(certificatePage(*rpReport1), entry.margin);
        if (withDefaults || margin != settings::kDefaultMargin)
            entries.append({settings::kPage, entry.key, platform::FloatToStr(margin)});
    }
    return entries;
}
