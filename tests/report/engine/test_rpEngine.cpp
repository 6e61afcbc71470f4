#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpClass.h"
#include "report/model/rpRes.h"
#include "templates/Templates.h"

#include "platform/core/NumberFormat.h"
#include "support/MessageRecorder.h"

#include "support/ReportTestHelpers.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

QString text(int field) { return QStringLiteral("Поле %1").arg(field); }

// The certificate as the main window leaves it before showing it: every field filled; its
// fields evaluate expressions here, so that the engine's expressions are tested on them.
class FilledCertificate : public ::testing::Test {
protected:
    void SetUp() override
    {
        loadCertificateTemplate(report);
        allowExpressions(report);
        fill();
    }

    void fill(const QString& suffix = {})
    {
        for (int i = 1; i <= 42; ++i)
            memo(report, QStringLiteral("Memo%1").arg(i))->SetText(text(i) + suffix);
    }

    TrpReportPage* prepared(int index = 0) { return report.PreviewPages().GetPage(index); }

    MessageRecorder messages;
    TrpReport report;
};

TEST_F(FilledCertificate, OnePreparedPageWhoseObjectsCarryTheFilledTextsAtTheirPlaces)
{
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(report.Errors().isEmpty());
    TrpPreviewPages& pages = report.PreviewPages();
    ASSERT_EQ(pages.Count(), 1);

    TrpReportPage* page = prepared();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Name(), QStringLiteral("Page1"));
    // The page is the template's page property for property.
    EXPECT_TRUE(rpSameProperties(*page, *page1(report)));
    // Its one child is the page-level container, holding new objects named like the
    // template's, in template order.
    ASSERT_EQ(page->Objects().size(), 1);
    const TrpComponent* container = page->Objects().first();
    EXPECT_EQ(container->ClassName(), QStringLiteral("TrpNullBand"));
    EXPECT_EQ(container->Left(), 0);
    EXPECT_EQ(container->Top(), 0);
    EXPECT_DOUBLE_EQ(container->Width(), (148 - 15 - 15) * rp01cm);
    EXPECT_DOUBLE_EQ(container->Height(), (210 - 15 - 15) * rp01cm);
    ASSERT_EQ(container->Objects().size(), 42);
    for (int i = 1; i <= 42; ++i) {
        const QString name = QStringLiteral("Memo%1").arg(i);
        const TrpComponent* object = container->Objects()[i - 1];
        const TrpMemoView* original = memo(report, name);
        ASSERT_EQ(object->Name(), name);
        auto* rebuilt = dynamic_cast<const TrpMemoView*>(object);
        ASSERT_NE(rebuilt, nullptr);
        EXPECT_EQ(rebuilt->Memo(), QStringList {text(i)});
        // Every property as the template holds it: position, size, font, alignment …
        for (const TrpProperty& p : original->classInfo().properties())
            EXPECT_EQ(p.get(*rebuilt), p.get(*original))
                << name.toStdString() << "." << p.name.toStdString();
        EXPECT_EQ(rebuilt->AbsLeft(), original->AbsLeft());
        EXPECT_EQ(rebuilt->AbsTop(), original->AbsTop());
    }
}

TEST_F(FilledCertificate, TheTemplateAfterwardsIsNewInstancesWithTheSameValues)
{
    const std::unique_ptr<TrpComponent> before = rpClone(report);
    QSet<const TrpComponent*> old;
    for (const TrpComponent* object : report.AllObjects())
        old.insert(object);
    const QString password = QStringLiteral("secret");
    report.ReportOptions().Password = password;
    report.PrintOptions().SplicingLine = 7;

    ASSERT_TRUE(report.PrepareReport(true));

    const QList<TrpComponent*> now = report.AllObjects();
    ASSERT_EQ(now.size(), before->AllObjects().size());
    for (const TrpComponent* object : now) {
        EXPECT_FALSE(old.contains(object)) << object->Name().toStdString();
        const TrpComponent* earlier = before->FindObject(object->Name());
        ASSERT_NE(earlier, nullptr);
        EXPECT_TRUE(rpSameProperties(*object, *earlier)) << object->Name().toStdString();
    }
    EXPECT_EQ(report.ReportOptions().Password, password);
    EXPECT_EQ(report.PrintOptions().SplicingLine, 7);
    EXPECT_FALSE(report.Reloading());
}

// Tells whether the report was reloading while its properties were set.
class WatchedReport : public TrpReport {
public:
    void Loaded() override
    {
        TrpReport::Loaded();
        loadedWhileReloading.append(Reloading());
    }
    QList<bool> loadedWhileReloading;
};

TEST(Preparation, TheRebuildRunsWithReloadingSet)
{
    WatchedReport report;
    loadCertificateTemplate(report);
    report.loadedWhileReloading.clear();
    ASSERT_TRUE(report.PrepareReport(true));
    // Only the rebuild sets the report's properties.
    ASSERT_FALSE(report.loadedWhileReloading.isEmpty());
    EXPECT_FALSE(report.loadedWhileReloading.contains(false));
    EXPECT_FALSE(report.Reloading());
}

TEST_F(FilledCertificate, TwoPreparationsInARowEachGiveOnePageFromScratch)
{
    ASSERT_TRUE(report.PrepareReport(true));
    memo(report, QStringLiteral("Memo5"))->SetText(QStringLiteral("Петров Пётр Петрович"));
    ASSERT_TRUE(report.PrepareReport(true));
    ASSERT_EQ(report.PreviewPages().Count(), 1);
    EXPECT_EQ(
        memo(*prepared(), QStringLiteral("Memo5"))->Memo(), QStringList {"Петров Пётр Петрович"});
    EXPECT_EQ(report.PreviewPages().SourcePagesCount(), 1);
    // Without clearing, a preparation adds its pages after the last ones.
    ASSERT_TRUE(report.PrepareReport(false));
    EXPECT_EQ(report.PreviewPages().Count(), 2);
}

TEST_F(FilledCertificate, AnEmptyTextGivesAnObjectWithNoLines)
{
    memo(report, QStringLiteral("Memo3"))->SetText(QString());
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_TRUE(memo(*prepared(), QStringLiteral("Memo3"))->Memo().isEmpty());
    EXPECT_TRUE(memo(report, QStringLiteral("Memo3"))->Memo().isEmpty());
}

TEST_F(FilledCertificate, DateBetweenTheDelimitersShowsThePreparationDate)
{
    platform::NumberFormat format = platform::numberFormat();
    format.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    const platform::ScopedNumberFormat scoped(format);
    memo(report, QStringLiteral("Memo24"))->SetText(QStringLiteral("[Date]"));
    ASSERT_TRUE(report.PrepareReport(true));
    const QString date = report.Engine().StartDate().date().toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(memo(*prepared(), QStringLiteral("Memo24"))->Memo(), QStringList {date});
    // The template keeps the expression itself.
    EXPECT_EQ(memo(report, QStringLiteral("Memo24"))->Memo(), QStringList {"[Date]"});
}

TEST_F(FilledCertificate, AnOpeningDelimiterWithoutItsClosingOneTakesTheRestOfTheText)
{
    memo(report, QStringLiteral("Memo23"))->SetText(QStringLiteral("Итого [100 + 90"));
    memo(report, QStringLiteral("Memo22"))->SetText(QStringLiteral("без скобки ] (1+1) 'x' \"y\""));
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(memo(*prepared(), QStringLiteral("Memo23"))->Memo(), QStringList {"Итого 190"});
    EXPECT_EQ(memo(*prepared(), QStringLiteral("Memo22"))->Memo(),
        QStringList {"без скобки ] (1+1) 'x' \"y\""});
}

TEST_F(FilledCertificate, AnUnevaluableTextEndsPreparationWithOneErrorBoxNamingTheObject)
{
    memo(report, QStringLiteral("Memo5"))->SetText(QStringLiteral("Иванов [Сидоров]"));
    memo(report, QStringLiteral("Memo9"))->SetText(QStringLiteral("[1 +]"));
    EXPECT_FALSE(report.PrepareReport(true));

    ASSERT_EQ(messages.messages.size(), 1);
    const platform::MessageRequest& box = messages.messages.first();
    EXPECT_EQ(box.caption, QStringLiteral("Error"));
    EXPECT_EQ(box.caption, rpGet(QStringLiteral("mbError")));
    EXPECT_EQ(box.icon, platform::MessageIcon::Error);
    // The run ends at the first error; the line names the object and the evaluator's
    // message, once.
    EXPECT_EQ(box.text,
        QStringLiteral("The following error(s) have occured:\r\n"
                       "Memo5: Undeclared identifier: 'Сидоров'\r\n"));
    EXPECT_EQ(report.Errors(), QStringList {"Memo5: Undeclared identifier: 'Сидоров'"});

    // The template is rebuilt and holds the texts the program set, the faulty one too.
    EXPECT_EQ(memo(report, QStringLiteral("Memo5"))->Memo(), QStringList {"Иванов [Сидоров]"});
    EXPECT_EQ(memo(report, QStringLiteral("Memo9"))->Memo(), QStringList {"[1 +]"});
    for (int i = 1; i <= 42; ++i) {
        if (i == 5 || i == 9)
            continue;
        EXPECT_EQ(memo(report, QStringLiteral("Memo%1").arg(i))->Memo(), QStringList {text(i)});
    }
    // The page begun before the error lacks its objects: it goes, so that nothing half-made
    // can be printed or saved.
    EXPECT_EQ(report.PreviewPages().Count(), 0);
    EXPECT_EQ(report.PreviewPages().GetPage(0), nullptr);

    // The next preparation of a corrected text succeeds and clears the errors.
    memo(report, QStringLiteral("Memo5"))->SetText(QStringLiteral("Иванов"));
    memo(report, QStringLiteral("Memo9"))->SetText(QStringLiteral("09"));
    EXPECT_TRUE(report.PrepareReport(true));
    EXPECT_TRUE(report.Errors().isEmpty());
    EXPECT_EQ(messages.messages.size(), 1);
}

TEST_F(FilledCertificate, AFailedPreparationAfterAGoodOneLeavesNoPageEither)
{
    ASSERT_TRUE(report.PrepareReport(true));
    ASSERT_EQ(report.PreviewPages().Count(), 1);
    memo(report, QStringLiteral("Memo7"))->SetText(QStringLiteral("[Нет]"));
    // Added after the pages there are: the earlier page goes with the failed run too.
    EXPECT_FALSE(report.PrepareReport(false));
    EXPECT_EQ(report.PreviewPages().Count(), 0);
}

TEST(ShippedCertificate, PrintsTheOperatorsTextAsItStandsWithoutEvaluatingIt)
{
    MessageRecorder messages;
    TrpReport report;
    loadCertificateTemplate(report);
    const QString texts[] = {QStringLiteral("ООО \"Автошкола [Тест]\""),
        QStringLiteral("Ivanov [Date] [2+3]"), QStringLiteral("[1 / 0] [Page#] [TotalPages#]"),
        QStringLiteral("незакрытая [скобка"), QStringLiteral("[COPYNAME#]")};
    for (int i = 1; i <= 42; ++i)
        memo(report, QStringLiteral("Memo%1").arg(i))->SetText(texts[i % 5]);
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(report.Errors().isEmpty());
    ASSERT_EQ(report.PreviewPages().Count(), 1);
    TrpReportPage* page = report.PreviewPages().GetPage(0);
    ASSERT_NE(page, nullptr);
    for (int i = 1; i <= 42; ++i)
        EXPECT_EQ(memo(*page, QStringLiteral("Memo%1").arg(i))->Memo(), QStringList {texts[i % 5]})
            << i;
}

TEST_F(FilledCertificate, ErrorsCanBeRaisedToTheCallerOrKeptSilent)
{
    memo(report, QStringLiteral("Memo1"))->SetText(QStringLiteral("[1 / 0]"));
    report.EngineOptions().SilentMode = simReThrow;
    try {
        report.PrepareReport(true);
        FAIL() << "no exception";
    } catch (const platform::Exception& e) {
        EXPECT_EQ(e.message(),
            QStringLiteral("The following error(s) have occured:\r\nMemo1: Division by zero\r\n"));
    }
    EXPECT_EQ(memo(report, QStringLiteral("Memo1"))->Memo(), QStringList {"[1 / 0]"});
    EXPECT_EQ(report.EngineOptions().SilentMode, simReThrow) << "the rebuilt template";

    report.EngineOptions().SilentMode = simSilent;
    EXPECT_FALSE(report.PrepareReport(true));
    EXPECT_EQ(report.Errors(), QStringList {"Memo1: Division by zero"});
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST(Errors, AreSortedWithoutRegardToCaseAndNeverTwice)
{
    TrpReport report;
    report.AddError(QStringLiteral("Memo5: b"));
    report.AddError(QStringLiteral("memo1: a"));
    report.AddError(QStringLiteral("Memo5: b"));
    report.AddError(QStringLiteral("MEMO1: A"));
    report.AddError(QStringLiteral("Data set \"x\" is missing"));
    EXPECT_EQ(report.Errors(), QStringList({"Data set \"x\" is missing", "memo1: a", "Memo5: b"}));
}

TEST_F(FilledCertificate, MarginsWrittenBeforePreparationAppearAndLaterOnesWaitForTheNext)
{
    page1(report)->SetLeftMargin(20);
    page1(report)->SetTopMargin(12.5);
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(prepared()->LeftMargin(), 20);
    EXPECT_EQ(prepared()->TopMargin(), 12.5);
    // The template keeps them, in its new instances.
    EXPECT_EQ(page1(report)->LeftMargin(), 20);

    page1(report)->SetLeftMargin(30);
    EXPECT_EQ(report.PreviewPages().GetPage(0)->LeftMargin(), 20);
    report.PreviewPages().ClearCache();
    EXPECT_EQ(report.PreviewPages().GetPage(0)->LeftMargin(), 20);

    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(prepared()->LeftMargin(), 30);
    // The objects themselves keep their Left; the margin moves them on paper.
    EXPECT_EQ(memo(*prepared(), QStringLiteral("Memo1"))->Left(), 11.33859);
}

TEST_F(FilledCertificate, AnInvisibleObjectIsLeftOutAndKeepsItsTextInTheTemplate)
{
    memo(report, QStringLiteral("Memo7"))->SetVisible(false);
    memo(report, QStringLiteral("Memo7"))->SetText(QStringLiteral("[no such thing]"));
    ASSERT_TRUE(report.PrepareReport(true)) << "an invisible object is not evaluated";
    EXPECT_EQ(prepared()->FindObject(QStringLiteral("Memo7")), nullptr);
    EXPECT_EQ(prepared()->AllObjects().size(), 1 + 41);
    EXPECT_NE(memo(report, QStringLiteral("Memo7")), nullptr);
    EXPECT_FALSE(memo(report, QStringLiteral("Memo7"))->Visible());
}

TEST_F(FilledCertificate, AnObjectHiddenFromThePreviewIsLeftOut)
{
    memo(report, QStringLiteral("Memo8"))->SetVisibility(rpBit(vsPrint));
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(prepared()->FindObject(QStringLiteral("Memo8")), nullptr);
}

TEST_F(FilledCertificate, AnInvisiblePageIsNotPrepared)
{
    page1(report)->SetVisible(false);
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(report.PreviewPages().Count(), 0);
    EXPECT_EQ(report.PreviewPages().GetPage(0), nullptr);
}

TEST_F(FilledCertificate, PageCountOutputsThePageThatManyTimes)
{
    setPageCount(report, 3);
    memo(report, QStringLiteral("Memo1"))
        ->SetText(QStringLiteral("[Page#] / [Page] / [TotalPages#]"));
    ASSERT_TRUE(report.PrepareReport(true));
    TrpPreviewPages& pages = report.PreviewPages();
    ASSERT_EQ(pages.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(memo(*pages.GetPage(i), QStringLiteral("Memo1"))->Memo(),
            QStringList {QStringLiteral("%1 / %1 / [TOTALPAGES#]").arg(i + 1)});
}

TEST_F(FilledCertificate, TheTestPageToo)
{
    TrpReport testPage;
    loadTestPageTemplate(testPage);
    ASSERT_TRUE(testPage.PrepareReport(true));
    TrpReportPage* page = testPage.PreviewPages().GetPage(0);
    ASSERT_NE(page, nullptr);
    QStringList names;
    for (const TrpComponent* object : page->AllObjects())
        names.append(object->Name());
    QStringList expected {QString()};
    for (const TrpComponent* object : page1(testPage)->Objects())
        expected.append(object->Name());
    EXPECT_EQ(names, expected);
    for (const TrpComponent* object : page1(testPage)->Objects()) {
        const TrpComponent* rebuilt = page->FindObject(object->Name());
        ASSERT_NE(rebuilt, nullptr);
        EXPECT_TRUE(rpSameProperties(*rebuilt, *object)) << object->Name().toStdString();
    }
    // The instruction follows the page's font through the container.
    EXPECT_EQ(page->FindObject(QStringLiteral("Memo1"))->Font(), page1(testPage)->Font());
}

// Records the progress notifications and can press Cancel.
class Progress : public TrpProgressObserver {
public:
    explicit Progress(TrpReport& report, int cancelAtPage = 0)
        : fReport(report), fCancelAtPage(cancelAtPage)
    {
    }
    void InternalOnProgressStart(TrpProgressType type) override
    {
        calls.append(
            QStringLiteral("start %1 running=%2").arg(type).arg(fReport.Engine().Running()));
    }
    void InternalOnProgress(TrpProgressType type, int progress) override
    {
        calls.append(QStringLiteral("page %1 %2").arg(type).arg(progress));
        if (progress == fCancelAtPage)
            fReport.SetTerminated(true);
    }
    void InternalOnProgressStop(TrpProgressType type) override
    {
        calls.append(
            QStringLiteral("stop %1 pages=%2").arg(type).arg(fReport.PreviewPages().Count()));
    }
    void InternalOnEngineFailed() override { calls.append(QStringLiteral("failed")); }
    QStringList calls;

private:
    TrpReport& fReport;
    int fCancelAtPage;
};

TEST_F(FilledCertificate, ProgressIsToldAtTheStartAfterEveryPageAndAtTheEnd)
{
    setPageCount(report, 3);
    Progress progress(report);
    report.SetProgressObserver(&progress);
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(progress.calls,
        QStringList({"start 0 running=0", "page 0 1", "page 0 2", "page 0 3", "stop 0 pages=3"}));
    // The observer stays with the report through the rebuild.
    EXPECT_EQ(report.ProgressObserver(), &progress);
    report.SetProgressObserver(nullptr);
}

TEST_F(FilledCertificate, TerminatedStopsPreparationAfterTheCurrentPage)
{
    setPageCount(report, 5);
    Progress progress(report, 2);
    report.SetProgressObserver(&progress);
    EXPECT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(report.PreviewPages().Count(), 2);
    EXPECT_TRUE(report.Terminated());
    // The stopped page is complete.
    EXPECT_EQ(report.PreviewPages().GetPage(1)->AllObjects().size(), 43);
    // A new preparation starts with Terminated cleared.
    report.SetProgressObserver(nullptr);
    EXPECT_TRUE(report.PrepareReport(true));
    EXPECT_FALSE(report.Terminated());
    EXPECT_EQ(report.PreviewPages().Count(), 5);
}

// Starts another preparation from inside a progress notification, as a window message let
// through could.
class Reentrant : public TrpProgressObserver {
public:
    explicit Reentrant(TrpReport& report) : fReport(report) { }
    void InternalOnProgressStart(TrpProgressType) override { }
    void InternalOnProgress(TrpProgressType, int) override
    {
        nested = fReport.PrepareReport(true);
        pagesDuringNested = fReport.PreviewPages().Count();
    }
    void InternalOnProgressStop(TrpProgressType) override { }
    bool nested = true;
    int pagesDuringNested = -1;

private:
    TrpReport& fReport;
};

TEST_F(FilledCertificate, APreparationStartedWhileOneRunsDoesNothing)
{
    Reentrant observer(report);
    report.SetProgressObserver(&observer);
    EXPECT_TRUE(report.PrepareReport(true));
    EXPECT_FALSE(observer.nested);
    EXPECT_EQ(observer.pagesDuringNested, 1);
    EXPECT_EQ(report.PreviewPages().Count(), 1);
    report.SetProgressObserver(nullptr);
}

TEST_F(FilledCertificate, WithoutDestroyFormsTheTemplateKeepsItsInstancesAndItsTexts)
{
    report.EngineOptions().DestroyForms = false;
    memo(report, QStringLiteral("Memo2"))->SetText(QStringLiteral("[Page]"));
    const TrpComponent* memo2 = report.FindObject(QStringLiteral("Memo2"));
    ASSERT_TRUE(report.PrepareReport(true));
    EXPECT_EQ(report.FindObject(QStringLiteral("Memo2")), memo2);
    EXPECT_EQ(memo(report, QStringLiteral("Memo2"))->Memo(), QStringList {"[Page]"});
    EXPECT_EQ(memo(*prepared(), QStringLiteral("Memo2"))->Memo(), QStringList {"1"});
}

TEST(PrintCycle, AfterPrintGivesBackTheBoundsAndTheText)
{
    TrpReport report;
    TrpMemoView memoView;
    memoView.SetText(QStringLiteral("[1 + 1]"));
    memoView.SetLeft(5);
    memoView.BeforePrint();
    memoView.GetData(report.Engine());
    EXPECT_EQ(memoView.Memo(), QStringList {"2"});
    memoView.SetLeft(50);
    memoView.AfterPrint();
    EXPECT_EQ(memoView.Left(), 5);
    EXPECT_EQ(memoView.Memo(), QStringList {"[1 + 1]"});
}

TEST(PrintCycle, ATextWithoutExpressionsOrWithExpressionsOffStaysAsItIs)
{
    TrpMemoView memoView;
    memoView.SetText(QStringLiteral("a\r\nb [1 + 1]"));
    memoView.classInfo().property(u"AllowExpressions")->set(memoView, false);
    TrpReport report;
    memoView.GetData(report.Engine());
    EXPECT_EQ(memoView.Memo(), QStringList({"a", "b [1 + 1]"}));
}

} // namespace
