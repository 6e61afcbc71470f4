#include "app/group/fmGroup.h"

#include "app/CommandButton.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageService.h"
#include "platform/widgets/FileDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

TfmGroup::TfmGroup(FieldFitCheck fits, QWidget* parent) : QDialog(parent), fFits(std::move(fits))
{
    setObjectName(u"fmGroup"_s);
    setWindowTitle(u"Печать группы"_s);

    btnOpen = commandButton(this, "btnOpen", u"Открыть файл…"_s);
    btnPaste = commandButton(this, "btnPaste", u"Вставить"_s);
    btnPreview = commandButton(this, "btnPreview", u"Просмотр"_s);
    btnClose = commandButton(this, "btnClose", u"Закрыть"_s);

    Grid = new QTableWidget(this);
    Grid->setObjectName(u"Grid"_s);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->verticalHeader()->hide();
    // The reasons wrap within the last column, which takes the width the others leave, so
    // that they are read without scrolling sideways.
    Grid->setWordWrap(true);
    Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->horizontalHeader()->setStretchLastSection(true);
    labelCount = new QLabel(this);
    labelCount->setObjectName(u"labelCount"_s);
    showColumns({});

    auto* top = new QHBoxLayout;
    top->addWidget(btnOpen);
    top->addWidget(btnPaste);
    top->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labelCount);
    bottom->addStretch(1);
    bottom->addWidget(btnPreview);
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid, 1);
    layout->addLayout(bottom);
    resize(960, 480);

    using platform::guarded;
    connect(btnOpen, &QPushButton::clicked, this, guarded([this] { btnOpenClick(); }));
    connect(btnPaste, &QPushButton::clicked, this, guarded([this] { btnPasteClick(); }));
    connect(btnPreview, &QPushButton::clicked, this, guarded([this] { btnPreviewClick(); }));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmGroup::btnOpenClick()
{
    const QString path = platform::getOpenFileName(u"Файлы CSV (*.csv)|*.csv"_s);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::Exception(u"Не удалось открыть файл %1"_s.arg(path));
    load(groupListText(file.readAll()));
}

void TfmGroup::btnPasteClick() { load(QApplication::clipboard()->text()); }

namespace {

constexpr int kGradeColumns = 10;
// The longest name stays readable; the whole of it is in the cell's tool tip.
constexpr int kNameWidth = 260;

QString gradeHeading(int grade)
{
    return grade < kGradeColumns - 1 ? u"Оценка %1"_s.arg(grade + 1) : u"Экзамен"_s;
}

} // namespace

// The columns: the row's line, name and series, the grades the list gives, each under its
// subject as the list heads it, and last what stops the row from printing.
void TfmGroup::showColumns(const QList<int>& grades)
{
    QStringList headings {u"Строка"_s, u"ФИО"_s, u"Серия"_s};
    for (int grade : grades)
        headings.append(gradeHeading(grade));
    headings.append(u"Ошибка"_s);
    Grid->setColumnCount(static_cast<int>(headings.size()));
    Grid->setHorizontalHeaderLabels(headings);
}

void TfmGroup::load(const QString& text)
{
    fGroup = readGroupList(text);
    checkGroup(fGroup, fFits);
    QList<int> grades;
    for (int g = 0; g < kGradeColumns; ++g) {
        if (std::any_of(fGroup.begin(), fGroup.end(),
                [g](const GroupGraduate& graduate) { return !graduate.grades.value(g).isEmpty(); }))
            grades.append(g);
    }
    showColumns(grades);
    Grid->setRowCount(0);
    Grid->setRowCount(static_cast<int>(fGroup.size()));
    int refused = 0;
    for (int row = 0; row < fGroup.size(); ++row) {
        const GroupGraduate& graduate = fGroup[row];
        QStringList cells {QString::number(graduate.line), graduate.name, graduate.series};
        for (int g : grades)
            cells.append(graduate.grades.value(g));
        cells.append(graduate.problem);
        if (!graduate.problem.isEmpty())
            ++refused;
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            if (!graduate.problem.isEmpty())
                item->setForeground(Qt::red);
            Grid->setItem(row, column, item);
        }
    }
    const int last = Grid->columnCount() - 1;
    for (int column = 0; column < last; ++column)
        Grid->resizeColumnToContents(column);
    Grid->setColumnWidth(1, qMin(Grid->columnWidth(1), kNameWidth));
    Grid->resizeRowsToContents();
    labelCount->setText(u"Строк: %1, с ошибками: %2"_s.arg(fGroup.size()).arg(refused));
}

void TfmGroup::btnPreviewClick()
{
    if (fGroup.isEmpty()) {
        platform::ShowMessage(u"Список группы пуст: откройте файл или вставьте список."_s);
        return;
    }
    for (const GroupGraduate& graduate : fGroup)
        if (!graduate.problem.isEmpty()) {
            platform::ShowMessage(
                u"Строка %1 списка: %2."_s.arg(QString::number(graduate.line), graduate.problem));
            return;
        }
    accept();
}
