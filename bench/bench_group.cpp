// A group of 30 graduates from "Просмотр" to the first painted page of its preview: thirty
// fillings and preparations into one prepared report, the preview's layout and first paint.
// And the group's print from the preview to the job handed to the spooler and its thirty
// lines written to the register, per certificate, the print dialog answered with OK as the
// operator answers it; the scheduler is the tests' own.

#include "EmptyFolder.h"
#include "FirstPaintedPage.h"

#include "app/Startup.h"
#include "app/group/GroupController.h"
#include "app/logic/GroupList.h"
#include "app/main_unit.h"
#include "report/printui/rpPrintDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "support/SpoolerEnvironment.h"

#include <benchmark/benchmark.h>

namespace {

QList<GroupGraduate> thirtyGraduates()
{
    QString list = QStringLiteral("ФИО;Серия\n");
    for (int i = 1; i <= 30; ++i)
        list += QStringLiteral("Выпускник Номер %1;АБ%2\n").arg(i).arg(i % 10);
    return readGroupList(list);
}

void BM_GroupOfThirtyToFirstPaintedPage(benchmark::State& state)
{
    const EmptyFolder folder;
    const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
    TfmMain& main = *windows->fmMain;
    const QList<GroupGraduate> group = thirtyGraduates();
    for (auto _ : state) {
        const qint64 elapsed = nanosecondsToFirstPaintedPage(
            *main.rpReport1, [&] { main.groupWorkflow().showGroup(group); });
        state.SetIterationTime(double(elapsed) / 1e9);
    }
}

void BM_GroupPrintPerCertificate(benchmark::State& state)
{
    static SpoolerEnvironment scheduler({{QStringLiteral("Bench"), TestPpd().text(), true}});
    [[maybe_unused]] static const bool started = (scheduler.start(), true);
    const EmptyFolder folder;
    const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
    TfmMain& main = *windows->fmMain;
    const QList<GroupGraduate> group = thirtyGraduates();
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<TrpPrintDialog*>(QApplication::activeModalWidget()))
            dialog->OkClick();
    });
    for (auto _ : state) {
        qint64 elapsed = 0;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            TrpPreviewForm* form = rpPreviewFormOf(*main.rpReport1);
            if (!form || form->Preview->Running())
                return;
            watch.stop();
            QElapsedTimer clock;
            clock.start();
            answer.start();
            main.rpReport1->PrintPreparedReport();
            answer.stop();
            elapsed = clock.nsecsElapsed();
            form->close();
        });
        watch.start();
        main.groupWorkflow().showGroup(group);
        state.SetIterationTime(double(elapsed) / 1e9 / group.size());
    }
    scheduler.waitForJobs(120000);
}

} // namespace

BENCHMARK(BM_GroupPrintPerCertificate)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

BENCHMARK(BM_GroupOfThirtyToFirstPaintedPage)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
