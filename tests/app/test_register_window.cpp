// The register window ("Журнал…"): finding, sorting, spoiling, exporting, and a line opened
// in the form.

#include "MainWindowFixture.h"

#include "../register/RegisterSamples.h"

#include "app/logic/RegisterSettings.h"
#include "app/logic/SettingsFile.h"
#include "app/register/fmRegister.h"
#include "platform/core/IniFile.h"
#include "register/CertificateRegister.h"
#include "register/RegisterError.h"
#include "support/ModalSession.h"
#include "support/PostgresServer.h"
#include "support/PreviewSession.h"

#include <QCheckBox>
#include <QCursor>
#include <QDateEdit>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>

namespace {

class RegisterWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        RegisterEntry ivanov = sampleEntry(u("Иванов Иван"), u("АБ12"), QDate(2026, 5, 1));
        ivanov.hours[0] = u("41,5");
        ivanov.grades[9] = u("Хорошо");
        CertificateRegister(registerLocation())
            .record({ivanov, sampleEntry(u("Борисова Анна"), u("ВГ7"), QDate(2026, 5, 31)),
                sampleEntry(u("Иванова Ольга"), u("ДЕ1"), QDate(2026, 7, 2))});
    }

    void inRegisterWindow(const std::function<void(TfmRegister&)>& act)
    {
        whileModalOpen<TfmRegister>([&] { main().subRegister->trigger(); },
            [&](TfmRegister& window) {
                QApplication::setActiveWindow(&window);
                ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
                act(window);
            });
    }

    static QStringList column(const TfmRegister& window, int column)
    {
        QStringList texts;
        for (int row = 0; row < window.Grid->rowCount(); ++row)
            texts.append(window.Grid->item(row, column)->text());
        return texts;
    }

    static void clickRow(const TfmRegister& window, const QString& number)
    {
        const int row = column(window, 0).indexOf(number);
        ASSERT_GE(row, 0) << number.toStdString();
        QTest::mouseClick(window.Grid->viewport(), Qt::LeftButton, {},
            window.Grid->visualItemRect(window.Grid->item(row, 3)).center());
    }

    static void clickHeader(const TfmRegister& window, int section)
    {
        QHeaderView* header = window.Grid->horizontalHeader();
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
};

TEST_F(RegisterWindow, listsNewestFirstAndFindsByNameSeriesAndIssueDates)
{
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.windowTitle(), u("Журнал выданных свидетельств"));
        EXPECT_EQ(column(window, 0), (QStringList {"3", "2", "1"}));

        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иванов"));
        EXPECT_EQ(column(window, 0), (QStringList {"3", "1"}));

        QTest::mouseClick(window.checkTo, Qt::LeftButton);
        window.dateTo->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        type(QApplication::focusWidget(), u("30.06.2026"));
        EXPECT_EQ(column(window, 0), QStringList {"1"});

        QTest::mouseClick(window.checkTo, Qt::LeftButton);
        window.editSearch->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        type(QApplication::focusWidget(), u("вг7"));
        EXPECT_EQ(column(window, 3), QStringList {u("Борисова Анна")});
    });
}

TEST_F(RegisterWindow, columnsSortByTheirValuesWhenTheirHeadingIsClicked)
{
    inRegisterWindow([&](TfmRegister& window) {
        clickHeader(window, 3);
        EXPECT_EQ(column(window, 3),
            (QStringList {u("Борисова Анна"), u("Иванов Иван"), u("Иванова Ольга")}));
        clickHeader(window, 3);
        EXPECT_EQ(column(window, 3),
            (QStringList {u("Иванова Ольга"), u("Иванов Иван"), u("Борисова Анна")}));
        clickHeader(window, 0);
        EXPECT_EQ(column(window, 0), (QStringList {"1", "2", "3"}));
    });
}

TEST_F(RegisterWindow, aSpoiledBlankIsMarkedWithItsReasonAndStruckThrough)
{
    inRegisterWindow([&](TfmRegister& window) {
        QTest::mouseClick(window.Grid->viewport(), Qt::LeftButton, {},
            window.Grid->visualItemRect(window.Grid->item(1, 3)).center());
        whileModalOpen<QInputDialog>([&] { QTest::mouseClick(window.btnSpoil, Qt::LeftButton); },
            [&](QInputDialog& dialog) {
                QApplication::setActiveWindow(&dialog);
                ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
                type(QApplication::focusWidget(), u("замята бумага"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
        const int row = column(window, 0).indexOf(QStringLiteral("2"));
        ASSERT_GE(row, 0);
        EXPECT_EQ(window.Grid->item(row, 8)->text(), u("замята бумага"));
        EXPECT_TRUE(window.Grid->item(row, 3)->font().strikeOut());
        EXPECT_FALSE(window.Grid->item((row + 1) % 3, 3)->font().strikeOut());
    });
    CertificateRegister reg(registerLocation());
    EXPECT_EQ(reg.entry(2).spoiledReason, u("замята бумага"));
    EXPECT_FALSE(reg.entry(1).spoiled());
}

// Marking a spoiled blank again shows whose it is and why it was marked, says the mark
// stays, and keeps both reasons.
TEST_F(RegisterWindow, aBlankSpoiledAgainShowsItsEarlierReasonAndKeepsBoth)
{
    CertificateRegister(registerLocation()).markSpoiled(2, u("замята бумага"));
    QString question;
    inRegisterWindow([&](TfmRegister& window) {
        clickRow(window, QStringLiteral("2"));
        whileModalOpen<QInputDialog>([&] { QTest::mouseClick(window.btnSpoil, Qt::LeftButton); },
            [&](QInputDialog& dialog) {
                QApplication::setActiveWindow(&dialog);
                ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
                question = dialog.labelText();
                type(QApplication::focusWidget(), u("не тот год"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
        const int row = column(window, 0).indexOf(QStringLiteral("2"));
        EXPECT_EQ(window.Grid->item(row, 8)->text(), u("замята бумага; не тот год"));
    });
    EXPECT_EQ(question,
        u("Запись № 2 (Борисова Анна) уже отмечена как испорченная: замята бумага\nОтметка о "
          "порче не снимается; новая причина будет добавлена к прежней.\nПричина порчи бланка:"));
    EXPECT_EQ(CertificateRegister(registerLocation()).entry(2).spoiledReason,
        u("замята бумага; не тот год"));
    EXPECT_EQ(recorder.texts(), QStringList());
}

// The window says which register it shows, each line which desk printed it, and F5 reads
// the lines again, with those another desk wrote meanwhile.
TEST_F(RegisterWindow, namesItsRegisterAndEachLinesDeskAndRefreshes)
{
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.labelLocation->text(),
            u("Журнал: ")
                + QDir::toNativeSeparators(
                    QFileInfo(folder.filePath(QString::fromLatin1(kRegisterFileName)))
                        .absoluteFilePath()));
        EXPECT_EQ(window.Grid->horizontalHeaderItem(7)->text(), u("Рабочее место"));
        EXPECT_EQ(column(window, 7), (QStringList {u("касса-1"), u("касса-1"), u("касса-1")}));

        RegisterEntry other = sampleEntry(u("Ёлкин Пётр"), u("ЖЗ1"));
        other.desk = u("касса-2");
        CertificateRegister(registerLocation()).record({other});
        EXPECT_EQ(window.Grid->rowCount(), 3);
        window.editSearch->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        EXPECT_EQ(column(window, 0), (QStringList {"4", "3", "2", "1"}));
        EXPECT_EQ(window.Grid->item(0, 7)->text(), u("касса-2"));

        type(QApplication::focusWidget(), u("елкин"));
        EXPECT_EQ(column(window, 3), QStringList {u("Ёлкин Пётр")});
    });
    EXPECT_EQ(recorder.texts(), QStringList());
}

// A presenter that notes, as each message shows, what the register window said and whether
// the wait cursor was still up.
class WaitWitness final : public platform::MessagePresenter {
public:
    WaitWitness() : fPrevious(platform::setMessagePresenter(this)) { }
    ~WaitWitness() override { platform::setMessagePresenter(fPrevious); }
    WaitWitness(const WaitWitness&) = delete;
    WaitWitness& operator=(const WaitWitness&) = delete;

    void present(const platform::MessageRequest& request) override
    {
        messages.append(request.text);
        const auto* window = qobject_cast<TfmRegister*>(QApplication::activeModalWidget());
        status = window ? window->labelStatus->text() : QString();
        cursorUp = QGuiApplication::overrideCursor() != nullptr;
    }

    QStringList messages;
    QString status;
    bool cursorUp = true;

private:
    platform::MessagePresenter* fPrevious;
};

// A mark while another desk holds the register's write lock: the window says what it waits
// for and how long at most, then the refusal comes in a box without the wait cursor.
TEST_F(RegisterWindow, aMarkWaitingForAnotherDeskSaysWhatItWaitsFor)
{
    WaitWitness witness;
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), u("other-desk"));
        other.setDatabaseName(folder.filePath(QString::fromLatin1(kRegisterFileName)));
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
        inRegisterWindow([&](TfmRegister& window) {
            clickRow(window, QStringLiteral("1"));
            whileModalOpen<QInputDialog>(
                [&] { QTest::mouseClick(window.btnSpoil, Qt::LeftButton); },
                [&](QInputDialog& dialog) {
                    QApplication::setActiveWindow(&dialog);
                    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
                    type(QApplication::focusWidget(), u("замята"));
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                });
        });
        hold.exec(QStringLiteral("ROLLBACK"));
        other.close();
    }
    QSqlDatabase::removeDatabase(u("other-desk"));
    ASSERT_EQ(witness.messages.size(), 1);
    EXPECT_TRUE(witness.messages[0].contains(u("занят другой программой")))
        << witness.messages[0].toStdString();
    EXPECT_EQ(
        witness.status, u("Журнал занят другим рабочим местом; запись ждёт его не дольше 5 с…"));
    EXPECT_FALSE(witness.cursorUp);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(CertificateRegister(registerLocation()).entry(1).spoiled());
}

// "Сбросить настройки" removes the form's settings but not where the shared register is:
// the next print still goes to the school's server.
TEST_F(RegisterWindow, aResetOfTheSettingsKeepsTheSharedRegister)
{
    platform::TIniFile(settingsFilePath())
        .WriteStrings({{u("Организация"), u("Название"), u("Автошкола")},
            {u("Журнал"), u("Сервер"), u("db.school")}, {u("Журнал"), u("Порт"), u("5433")},
            {u("Журнал"), u("База_данных"), u("school")},
            {u("Журнал"), u("Пользователь"), u("desk")}});
    main().N2->trigger();
    EXPECT_EQ(recorder.texts(),
        QStringList {u("Файл настроек удален...\nРасположение журнала выданных свидетельств "
                       "(desk@db.school:5433/school) сохранено.")});
    const RegisterLocation location = registerLocation();
    EXPECT_EQ(location.kind, RegisterLocation::Kind::PostgreSQL);
    EXPECT_EQ(location.describe(), u("desk@db.school:5433/school"));
    EXPECT_EQ(platform::TIniFile(settingsFilePath())
                  .ReadString(u("Организация"), u("Название"), u("нет")),
        u("нет"));
}

// A shared register whose server went down while the window was open: the lines are no
// longer shown as if they were the register's, and one sentence in the window says why,
// however many keys are typed; no box at every key.
TEST_F(RegisterWindow, whileTheServerIsDownTheWindowSaysSoOnceAndShowsNoLines)
{
    if (PostgresServer::binaries().isEmpty())
        GTEST_SKIP() << "PostgreSQL server programs (initdb, pg_ctl) are not installed";
    QString error;
    std::unique_ptr<PostgresServer> server = PostgresServer::start(error);
    ASSERT_NE(server, nullptr) << error.toStdString();
    ASSERT_TRUE(server->createDatabase(u("school")));
    platform::TIniFile(settingsFilePath())
        .WriteStrings({{u("Журнал"), u("Сервер"), server->host()},
            {u("Журнал"), u("База_данных"), u("school")},
            {u("Журнал"), u("Пользователь"), PostgresServer::user()}});
    CertificateRegister(registerLocation())
        .record({sampleEntry(u("Иванов Иван"), u("АБ12")), sampleEntry(u("Петров"), u("АБ13"))});
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.labelLocation->text(), u("Журнал: ") + registerLocation().describe());
        EXPECT_EQ(window.Grid->rowCount(), 2);
        server.reset();
        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иван"));
        EXPECT_EQ(window.Grid->rowCount(), 0);
        EXPECT_TRUE(window.labelStatus->isVisible());
        EXPECT_TRUE(window.labelStatus->text().startsWith(
            u("Журнал выданных свидетельств (%1) недоступен: ").arg(registerLocation().describe())))
            << window.labelStatus->text().toStdString();
        EXPECT_EQ(recorder.texts(), QStringList());
    });
}

// A desk whose server user may only read the school's register: the window says so, shows
// and exports the lines, and offers no mark.
TEST_F(RegisterWindow, aRegisterThisDeskMayOnlyReadIsShownAndExportedButNotMarked)
{
    QString error;
    PostgresServer* server = testPostgres(error);
    if (!server && PostgresServer::binaries().isEmpty())
        GTEST_SKIP() << "PostgreSQL server programs (initdb, pg_ctl) are not installed";
    ASSERT_NE(server, nullptr) << error.toStdString();
    ASSERT_TRUE(server->createDatabase(u("readers")));
    RegisterLocation owner;
    owner.kind = RegisterLocation::Kind::PostgreSQL;
    owner.host = server->host();
    owner.database = u("readers");
    owner.user = PostgresServer::user();
    CertificateRegister(owner).record({sampleEntry(u("Иванов Иван"), u("АБ12"))});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), u("grant"));
        db.setHostName(owner.host);
        db.setDatabaseName(owner.database);
        db.setUserName(owner.user);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(u("CREATE ROLE window_reader LOGIN")));
        ASSERT_TRUE(query.exec(u(
            "GRANT SELECT ON certificates, certificate_texts, register_schema TO window_reader")));
    }
    QSqlDatabase::removeDatabase(u("grant"));
    platform::TIniFile(settingsFilePath())
        .WriteStrings({{u("Журнал"), u("Сервер"), owner.host},
            {u("Журнал"), u("База_данных"), owner.database},
            {u("Журнал"), u("Пользователь"), u("window_reader")}});

    FileAnswerer answer(folder.filePath(QStringLiteral("read.csv")));
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.labelLocation->text(),
            u("Журнал: window_reader@%1:5432/readers (только для чтения)").arg(owner.host));
        EXPECT_EQ(column(window, 3), QStringList {u("Иванов Иван")});
        EXPECT_FALSE(window.btnSpoil->isEnabled());
        QTest::mouseClick(window.btnExport, Qt::LeftButton);
    });
    QFile file(answer.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(u("Иванов Иван")));
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(RegisterWindow, exportWritesTheFoundLinesForASpreadsheet)
{
    FileAnswerer answer(folder.filePath(QStringLiteral("журнал.csv")));
    inRegisterWindow([&](TfmRegister& window) {
        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иванов"));
        QTest::mouseClick(window.btnExport, Qt::LeftButton);
    });
    ASSERT_EQ(answer.requests.size(), 1);
    EXPECT_EQ(answer.requests[0].kind, platform::FileDialogRequest::Save);
    QFile file(answer.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF\xE2\x84\x96;"));
    const QStringList rows = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[1].startsWith(u("3;"))) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].contains(u("Иванов Иван"))) << rows[2].toStdString();
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(RegisterWindow, aLongRegisterShowsItsNewestLinesAndExportsThemAll)
{
    QList<RegisterEntry> more;
    for (int i = 0; i < TfmRegister::kShownLines; ++i)
        more.append(sampleEntry(u("Выпускник %1").arg(i), u("ЖЗ")));
    CertificateRegister(registerLocation()).record(more);
    FileAnswerer answer(folder.filePath(QStringLiteral("all.csv")));
    inRegisterWindow([&](TfmRegister& window) {
        EXPECT_EQ(window.Grid->rowCount(), TfmRegister::kShownLines);
        EXPECT_EQ(window.Grid->item(0, 0)->text(), QStringLiteral("1003"));
        EXPECT_TRUE(window.labelShown->isVisible());
        QTest::mouseClick(window.btnExport, Qt::LeftButton);

        window.editSearch->setFocus(Qt::MouseFocusReason);
        type(QApplication::focusWidget(), u("иванов"));
        EXPECT_EQ(window.Grid->rowCount(), 2);
        EXPECT_FALSE(window.labelShown->isVisible());
    });
    QFile file(answer.answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 1 + 3 + TfmRegister::kShownLines);
}

TEST_F(RegisterWindow, openInFormFillsTheFormFromTheChosenLine)
{
    inRegisterWindow([&](TfmRegister& window) {
        const int row = column(window, 0).indexOf(QStringLiteral("1"));
        QTest::mouseClick(window.Grid->viewport(), Qt::LeftButton, {},
            window.Grid->visualItemRect(window.Grid->item(row, 3)).center());
        QTest::mouseClick(window.btnOpen, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    });
    const RegisterEntry expected = sampleEntry(u("Иванов Иван"), u("АБ12"), QDate(2026, 5, 1));
    EXPECT_EQ(main().Edit_05->Text(), u("Иванов Иван"));
    EXPECT_EQ(main().edit_04->Text(), u("АБ12"));
    EXPECT_EQ(main().Edit_01->Text(), expected.school);
    EXPECT_EQ(main().edit_03->Text(), expected.locality);
    EXPECT_EQ(main().DateTime_678->date(), expected.periodFrom);
    EXPECT_EQ(main().DateTime_91011->date(), expected.periodTo);
    EXPECT_EQ(main().DateTime_242526->date(), QDate(2026, 5, 1));
    EXPECT_EQ(main().Combo_categ->Text(), expected.category);
    EXPECT_EQ(main().Combo_42->Text(), expected.transmission);
    EXPECT_EQ(main().Edit_13->Text(), u("41,5"));
    EXPECT_EQ(main().Edit_23->Text(), expected.hours[10]);
    EXPECT_EQ(main().Combo_37->Text(), u("Хорошо"));
    EXPECT_EQ(main().Edit_27->Text(), expected.head);
    EXPECT_EQ(recorder.texts(), QStringList());
}

TEST_F(RegisterWindow, aDamagedRegisterIsReportedAndNoWindowOpens)
{
    QFile::remove(folder.filePath(QString::fromLatin1(kRegisterFileName)));
    {
        QFile file(folder.filePath(QString::fromLatin1(kRegisterFileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("garbage").repeated(500));
    }
    main().subRegister->trigger();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.messages[0].text.contains(u("повреждён")))
        << recorder.messages[0].text.toStdString();
}

} // namespace
