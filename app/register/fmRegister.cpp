#include "app/register/fmRegister.h"

#include "app/CommandButton.h"
#include "app/register/RegisterWriteWait.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/Exception.h"
#include "platform/core/FileSystem.h"
#include "platform/core/NumberFormat.h"
#include "platform/widgets/FileDialogs.h"
#include "register/CertificateRegister.h"
#include "register/RegisterCsv.h"
#include "register/RegisterError.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

enum Column {
    NumberColumn,
    PrintedColumn,
    SeriesColumn,
    GraduateColumn,
    CategoryColumn,
    IssuedColumn,
    PrinterColumn,
    DeskColumn,
    SpoiledColumn,
    ColumnCount
};

// Cells sort by their display value: numbers as numbers, dates and times as such.
QTableWidgetItem* cell(const QVariant& value)
{
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QDateEdit* dateEdit(QWidget* parent)
{
    auto* edit = new QDateEdit(QDate::currentDate(), parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(u"dd.MM.yyyy"_s);
    edit->setEnabled(false);
    return edit;
}

} // namespace

TfmRegister::TfmRegister(CertificateRegister& reg, QWidget* parent)
    : QDialog(parent), fRegister(reg)
{
    setObjectName(u"fmRegister"_s);
    setWindowTitle(u"Журнал выданных свидетельств"_s);
    buildControls();
    resize(900, 520);
    showLines();
    Grid->resizeColumnsToContents();
}

void TfmRegister::buildControls()
{
    labelLocation = new QLabel(this);
    labelLocation->setObjectName(u"labelLocation"_s);
    labelLocation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelLocation->setText(u"Журнал: "_s + fRegister.location().describe()
        + (fRegister.readOnly() ? u" (только для чтения)"_s : QString()));

    editSearch = new QLineEdit(this);
    editSearch->setObjectName(u"editSearch"_s);
    editSearch->setPlaceholderText(u"ФИО или серия"_s);
    checkFrom = new QCheckBox(u"с"_s, this);
    checkFrom->setObjectName(u"checkFrom"_s);
    dateFrom = dateEdit(this);
    dateFrom->setObjectName(u"dateFrom"_s);
    checkTo = new QCheckBox(u"по"_s, this);
    checkTo->setObjectName(u"checkTo"_s);
    dateTo = dateEdit(this);
    dateTo->setObjectName(u"dateTo"_s);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(u"Найти:"_s, this));
    search->addWidget(editSearch, 1);
    search->addSpacing(12);
    search->addWidget(new QLabel(u"Дата выдачи"_s, this));
    search->addWidget(checkFrom);
    search->addWidget(dateFrom);
    search->addWidget(checkTo);
    search->addWidget(dateTo);

    Grid = new QTableWidget(0, ColumnCount, this);
    Grid->setObjectName(u"Grid"_s);
    Grid->setHorizontalHeaderLabels({u"№"_s, u"Напечатано"_s, u"Серия"_s, u"ФИО"_s, u"Категория"_s,
        u"Дата выдачи"_s, u"Принтер"_s, u"Рабочее место"_s, u"Испорчен"_s});
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->setWordWrap(false);
    Grid->horizontalHeader()->setStretchLastSection(true);
    Grid->setSortingEnabled(true);

    btnOpen = commandButton(this, "btnOpen", u"Открыть в форме"_s);
    btnSpoil = commandButton(this, "btnSpoil", u"Отметить как испорченный"_s);
    btnSpoil->setEnabled(!fRegister.readOnly());
    btnExport = commandButton(this, "btnExport", u"Экспорт в CSV"_s);
    btnRefresh = commandButton(this, "btnRefresh", u"Обновить"_s);
    btnRefresh->setToolTip(u"F5"_s);
    btnClose = commandButton(this, "btnClose", u"Закрыть"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnOpen);
    buttons->addWidget(btnSpoil);
    buttons->addWidget(btnExport);
    buttons->addWidget(btnRefresh);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);

    labelShown = new QLabel(this);
    labelShown->setObjectName(u"labelShown"_s);
    labelShown->hide();
    labelStatus = new QLabel(this);
    labelStatus->setObjectName(u"labelStatus"_s);
    labelStatus->setWordWrap(true);
    labelStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelStatus->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelLocation);
    layout->addLayout(search);
    layout->addWidget(Grid, 1);
    layout->addWidget(labelShown);
    layout->addWidget(labelStatus);
    layout->addLayout(buttons);

    using platform::guarded;
    connect(editSearch, &QLineEdit::textChanged, this, guarded([this] { searchChange(); }));
    for (QCheckBox* check : {checkFrom, checkTo})
        connect(check, &QCheckBox::toggled, this, guarded([this] { searchChange(); }));
    for (QDateEdit* date : {dateFrom, dateTo})
        connect(date, &QDateEdit::dateChanged, this, guarded([this] { searchChange(); }));
    connect(Grid, &QTableWidget::cellDoubleClicked, this, guarded([this] { btnOpenClick(); }));
    connect(btnOpen, &QPushButton::clicked, this, guarded([this] { btnOpenClick(); }));
    connect(btnSpoil, &QPushButton::clicked, this, guarded([this] { btnSpoilClick(); }));
    connect(btnExport, &QPushButton::clicked, this, guarded([this] { btnExportClick(); }));
    connect(btnRefresh, &QPushButton::clicked, this, guarded([this] { btnRefreshClick(); }));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmRegister::searchChange()
{
    dateFrom->setEnabled(checkFrom->isChecked());
    dateTo->setEnabled(checkTo->isChecked());
    showLines();
}

RegisterQuery TfmRegister::query() const
{
    RegisterQuery query;
    query.text = editSearch->text().trimmed();
    if (checkFrom->isChecked())
        query.issuedFrom = dateFrom->date();
    if (checkTo->isChecked())
        query.issuedTo = dateTo->date();
    return query;
}

void TfmRegister::showLines()
{
    // One more than shown tells whether there are more. Lines that can no longer be read
    // are not left on show as if they were the register's.
    QList<RegisterLine> lines;
    try {
        lines = fRegister.search(query(), kShownLines + 1);
        labelStatus->hide();
    } catch (const RegisterError& error) {
        labelStatus->setText(error.message());
        labelStatus->show();
    }
    const bool more = lines.size() > kShownLines;
    if (more)
        lines.removeLast();
    fLines = lines;
    labelShown->setText(
        u"Показаны последние %1 найденных записей; уточните поиск, чтобы увидеть остальные."_s.arg(
            kShownLines));
    labelShown->setVisible(more);

    // The lines come newest first; the operator's sorting applies again once they are in.
    const int sortColumn = Grid->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder sortOrder = Grid->horizontalHeader()->sortIndicatorOrder();
    Grid->setSortingEnabled(false);
    Grid->setRowCount(0);
    Grid->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        const RegisterLine& line = lines[row];
        const QVariant values[ColumnCount]
            = {line.number, line.printedAt, line.series, line.graduate, line.category,
                line.issuedOn, line.printer, line.desk, line.spoiledReason};
        for (int column = 0; column < ColumnCount; ++column) {
            QTableWidgetItem* item = cell(values[column]);
            if (line.spoiled()) {
                QFont font = Grid->font();
                font.setStrikeOut(true);
                item->setFont(font);
                item->setToolTip(u"Испорчен: "_s + line.spoiledReason);
            }
            Grid->setItem(row, column, item);
        }
    }
    Grid->setSortingEnabled(true);
    if (sortColumn >= 0 && sortColumn < ColumnCount)
        Grid->sortItems(sortColumn, sortOrder);
    if (Grid->rowCount() > 0)
        Grid->setCurrentCell(0, 0);
}

const RegisterLine* TfmRegister::currentLine() const
{
    const int row = Grid->currentRow();
    if (row < 0 || !Grid->item(row, NumberColumn))
        return nullptr;
    const qint64 number = Grid->item(row, NumberColumn)->data(Qt::DisplayRole).toLongLong();
    for (const RegisterLine& line : fLines)
        if (line.number == number)
            return &line;
    return nullptr;
}

qint64 TfmRegister::currentNumber() const
{
    const RegisterLine* line = currentLine();
    return line ? line->number : 0;
}

void TfmRegister::btnOpenClick()
{
    fChosen = currentNumber();
    if (fChosen != 0)
        accept();
}

void TfmRegister::btnSpoilClick()
{
    const RegisterLine* current = currentLine();
    if (!current)
        return;
    const RegisterLine line = *current;
    // A spoiled blank is part of the record of strict-accountability blanks: its mark stays.
    const QString question = line.spoiled()
        ? u"Запись № %1 (%2) уже отмечена как испорченная: %3\nОтметка о порче не снимается; "
          u"новая причина будет добавлена к прежней.\nПричина порчи бланка:"_s.arg(
              QString::number(line.number), line.graduate, line.spoiledReason)
        : u"Запись № %1 (%2).\nОтметку о порче потом нельзя будет снять.\nПричина порчи "
          u"бланка:"_s.arg(QString::number(line.number), line.graduate);
    bool ok = false;
    const QString reason = QInputDialog::getText(
        this, u"Испорченный бланк"_s, question, QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    {
        const RegisterWriteWait wait(fRegister, labelStatus);
        fRegister.markSpoiled(line.number, reason);
    }
    showLines();
}

void TfmRegister::btnRefreshClick() { showLines(); }

void TfmRegister::keyPressEvent(QKeyEvent* event)
{
    // F5 from any control of the window: a field passes the key on to its window.
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        platform::runGuarded([this] { btnRefreshClick(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmRegister::btnExportClick()
{
    const QString path = platform::getSaveFileName(u"Файлы CSV (*.csv)|*.csv"_s, u"csv"_s);
    if (path.isEmpty())
        return;
    if (!platform::replaceFileContents(path, registerCsv(fRegister.search(query()))))
        throw platform::Exception(u"Не удалось записать файл %1"_s.arg(path));
}
