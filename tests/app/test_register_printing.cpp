// A certificate printed from the preview leaves one line in the register when the spooler
// has taken the job, and none for a cancelled job or a register that cannot be written.

#include "MainWindowFixture.h"

#include "app/logic/RegisterSettings.h"
#include "app/logic/SettingsFile.h"
#include "platform/core/IniFile.h"
#include "register/CertificateRegister.h"
#include "report/engine/rpReport.h"
#include "report/preview/rpProgressForm.h"
#include "support/PostgresServer.h"
#include "support/PreviewSession.h"
#include "support/PrintDialogInput.h"
#include "support/SpoolerEnvironment.h"

#include <QFile>
#include <QSysInfo>

namespace {

const auto* const environment
    = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({SpoolerEnvironment::a5Laser()}));

class RegisterPrinting : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QFile::remove(spooler().output());
        retype(main().edit_04, "АБ12");
        retype(main().Edit_05, "Петров Пётр Петрович");
        retype(main().Edit_13, "0");
    }

    // "Печать", then Ctrl+P in the preview; `onPage` sees the progress window of the job.
    void printFromPreview(const std::function<void(TrpProgressForm&)>& onPage = {})
    {
        whilePreviewOpen(
            *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
            [&](TrpPreviewForm& form) {
                QTimer watch;
                watch.setInterval(0);
                QObject::connect(&watch, &QTimer::timeout, [&] {
                    if (TrpProgressForm* progress = form.Preview->ProgressForm();
                        progress && onPage)
                        onPage(*progress);
                });
                watch.start();
                printThroughDialog([] { pressKey(Qt::Key_P, Qt::ControlModifier); });
            });
        EXPECT_TRUE(spooler().waitForJobs());
    }

    QString registerFile() const { return folder.filePath(QString::fromLatin1(kRegisterFileName)); }
};

TEST_F(RegisterPrinting, aPrintedCertificateIsRecordedWithItsFieldsAsPrinted)
{
    printFromPreview();
    ASSERT_TRUE(QFile::exists(spooler().output()));
    EXPECT_EQ(recorder.texts(), QStringList());

    CertificateRegister reg(RegisterLocation::sqliteFile(registerFile()));
    const QList<RegisterLine> lines = reg.search({});
    ASSERT_EQ(lines.size(), 1);
    const RegisterEntry entry = reg.entry(lines[0].number);
    EXPECT_EQ(entry.number, 1);
    EXPECT_EQ(entry.printer, QStringLiteral("A5Laser"));
    EXPECT_EQ(entry.desk, QSysInfo::machineHostName());
    EXPECT_EQ(entry.graduate, u("Петров Пётр Петрович"));
    EXPECT_EQ(entry.series, u("АБ12"));
    EXPECT_EQ(entry.leftMargin, 15);
    EXPECT_EQ(entry.topMargin, 15);
    EXPECT_EQ(entry.issuedOn, QDate::currentDate());
    EXPECT_EQ(entry.hours.value(0), u("0"));
    ASSERT_EQ(entry.fields.size(), 42);
    EXPECT_EQ(entry.fields[4], u("Петров Пётр Петрович"));
    EXPECT_EQ(entry.fields[12], u("x"));
    EXPECT_EQ(entry.fields[37], u("X"));
    EXPECT_LE(qAbs(entry.printedAt.secsTo(QDateTime::currentDateTime())), 60);
}

// The queue the operator chose was deleted before the job reached it: the box says so in
// Russian, with the system's own words after it, and no blank is recorded as printed.
TEST_F(RegisterPrinting, aPrinterWhoseQueueWasDeletedIsSaidToBeGoneAndNothingIsRecorded)
{
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm&) {
            whileModalOpen<TrpPrintDialog>([] { pressKey(Qt::Key_P, Qt::ControlModifier); },
                [](TrpPrintDialog& dialog) {
                    activate(dialog);
                    ASSERT_TRUE(spooler().removeQueue(u("A5Laser")));
                    click(*dialog.OkB);
                });
        });
    spooler().addQueue(SpoolerEnvironment::a5Laser());
    ASSERT_EQ(recorder.messages.size(), 1) << recorder.texts().join(u'|').toStdString();
    EXPECT_TRUE(recorder.messages[0].text.startsWith(
        u("Принтер не принял документ: принтера «A5Laser» или его очереди в системе больше нет (")))
        << recorder.messages[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(spooler().output()));
    EXPECT_FALSE(QFile::exists(registerFile()));
}

TEST_F(RegisterPrinting, aCancelledPrintRecordsNothing)
{
    printFromPreview([](TrpProgressForm& progress) {
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(QFile::exists(spooler().output()));
    EXPECT_FALSE(QFile::exists(registerFile()));
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(RegisterPrinting, everySheetOfCollatedCopiesIsABlankOfItsOwn)
{
    main().rpReport1->PrintOptions().Copies = 3;
    main().rpReport1->PrintOptions().Collate = true;
    printFromPreview();
    CertificateRegister reg(RegisterLocation::sqliteFile(registerFile()));
    const QList<RegisterLine> lines = reg.search({});
    ASSERT_EQ(lines.size(), 3);
    for (const RegisterLine& line : lines)
        EXPECT_EQ(line.graduate, u("Петров Пётр Петрович"));
}

// The preview shows what it opened, not what the form prepared: the sheet of another graduate
// opened from a file is recorded with that graduate's texts, never with the form's data,
// also when the form since differs from the sheet only in the name or only in the series.
TEST_F(RegisterPrinting, aPreparedReportOpenedInThePreviewIsRecordedWithWhatItPrinted)
{
    const QString saved = folder.filePath(QStringLiteral("other.prp"));
    retype(main().edit_04, "ВГ34");
    retype(main().Edit_05, "Сидоров Иван Ильич");
    whilePreviewOpen(
        *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
        [&](TrpPreviewForm& form) {
            FileAnswerer answer(saved);
            form.SaveB->trigger();
        });
    ASSERT_TRUE(QFile::exists(saved));

    struct FormSince {
        const char* series;
        const char* graduate;
    };
    const FormSince cases[] = {
        {"АБ12", "Петров Пётр Петрович"},
        {"ВГ34", "Петров Пётр Петрович"},
        {"АБ12", "Сидоров Иван Ильич"},
    };
    for (const FormSince& c : cases) {
        SCOPED_TRACE(std::string(c.series) + " " + c.graduate);
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(registerFile() + QString::fromLatin1(suffix));
        QFile::remove(spooler().output());
        retype(main().edit_04, c.series);
        retype(main().Edit_05, c.graduate);
        whilePreviewOpen(
            *main().rpReport1, [&] { QTest::mouseClick(main().btnPreview, Qt::LeftButton); },
            [&](TrpPreviewForm& form) {
                FileAnswerer answer(saved);
                form.OpenB->trigger();
                printThroughDialog([] { pressKey(Qt::Key_P, Qt::ControlModifier); });
            });
        ASSERT_TRUE(spooler().waitForJobs());
        EXPECT_TRUE(QFile::exists(spooler().output()));
        EXPECT_EQ(recorder.texts(), QStringList());

        CertificateRegister reg(RegisterLocation::sqliteFile(registerFile()));
        const QList<RegisterLine> lines = reg.search({});
        ASSERT_EQ(lines.size(), 1);
        const RegisterEntry entry = reg.entry(lines[0].number);
        EXPECT_EQ(entry.graduate, u("Сидоров Иван Ильич"));
        EXPECT_EQ(entry.series, u("ВГ34"));
        EXPECT_EQ(entry.fields[4], u("Сидоров Иван Ильич"));
        EXPECT_EQ(entry.hours, QStringList(RegisterEntry::kHourCount, QString()))
            << "the form's hours belong to another sheet";
        EXPECT_EQ(entry.issuedOn, QDate()) << "a sheet tells only the last digit of its year";
    }
}

TEST_F(RegisterPrinting, aDamagedRegisterLetsTheCertificatePrintAndSaysItIsNotRecorded)
{
    const QByteArray garbage = QByteArray("не база данных\n").repeated(200);
    {
        QFile file(registerFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    printFromPreview();
    EXPECT_TRUE(QFile::exists(spooler().output()));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.messages[0].text.contains(u("повреждён")))
        << recorder.messages[0].text.toStdString();
    EXPECT_TRUE(recorder.messages[0].text.contains(
        u("Эта печать в журнал выданных свидетельств не записана")));
    QFile file(registerFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST_F(RegisterPrinting, aRegisterNamedInTheSettingsFileIsAPostgresDatabase)
{
    QString error;
    PostgresServer* server = testPostgres(error);
    if (!server && PostgresServer::binaries().isEmpty())
        GTEST_SKIP() << "PostgreSQL server programs (initdb, pg_ctl) are not installed "
                        "under /usr/lib/postgresql: install the postgresql package";
    ASSERT_NE(server, nullptr) << error.toStdString();
    ASSERT_TRUE(server->createDatabase(QStringLiteral("desks")));
    platform::TIniFile(settingsFilePath())
        .WriteStrings({{u("Журнал"), u("Сервер"), server->host()},
            {u("Журнал"), u("Порт"), QStringLiteral("5432")},
            {u("Журнал"), u("База_данных"), QStringLiteral("desks")},
            {u("Журнал"), u("Пользователь"), PostgresServer::user()}});

    const RegisterLocation location = registerLocation();
    EXPECT_EQ(location.kind, RegisterLocation::Kind::PostgreSQL);
    EXPECT_EQ(location.host, server->host());
    EXPECT_EQ(location.database, QStringLiteral("desks"));
    EXPECT_EQ(location.user, PostgresServer::user());

    printFromPreview();
    EXPECT_EQ(recorder.texts(), QStringList());
    EXPECT_FALSE(QFile::exists(registerFile()));
    const QList<RegisterLine> lines = CertificateRegister(location).search({});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].graduate, u("Петров Пётр Петрович"));
}

} // namespace
