#include "app/fmGroup.h"

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
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

TfmGroup::TfmGroup(FieldCheck fits, QWidget* parent) : QDialog(parent), fFits(std::move(fits))
{
    setObjectName(u"fmGroup"_s);
    setWindowTitle(u"Печать группы"_s);

    btnOpen = commandButton(this, "btnOpen", u"Открыть файл…"_s);
    btnPaste = commandButton(this, "btnPaste", u"Вставить"_s);
    btnPreview = commandButton(this, "btnPreview", u"Просмотр"_s);
    btnClose = commandButton(this, "btnClose", u"Закрыть"_s);

    Grid = new QTableWidget(0, 5, this);
    Grid->setObjectName(u"Grid"_s);
    Grid->setHorizontalHeaderLabels({u"Строка"_s, u"ФИО"_s, u"Серия"_s, u"Оценки"_s, u"Ошибка"_s});
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->verticalHeader()->hide();
    Grid->setWordWrap(false);
    Grid->horizontalHeader()->setStretchLastSection(true);

    auto* top = new QHBoxLayout;
    top->addWidget(btnOpen);
    top->addWidget(btnPaste);
    top->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnPreview);
    bottom->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid, 1);
    layout->addLayout(bottom);
    resize(760, 480);

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

void TfmGroup::load(const QString& text)
{
    fGroup = readGroupList(text);
    checkGroup(fGroup, fFits);
    Grid->setRowCount(0);
    Grid->setRowCount(static_cast<int>(fGroup.size()));
    for (int row = 0; row < fGroup.size(); ++row) {
        const GroupGraduate& graduate = fGroup[row];
        QStringList grades = graduate.grades;
        grades.removeAll(QString());
        const QString cells[] = {QString::number(graduate.line), graduate.name, graduate.series,
            grades.join(u", "_s), graduate.problem};
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!graduate.problem.isEmpty())
                item->setForeground(Qt::red);
            Grid->setItem(row, column, item);
        }
    }
    Grid->resizeColumnsToContents();
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
