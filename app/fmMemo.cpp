#include "app/fmMemo.h"

#include "app/AppIcon.h"
#include "app/logic/SettingsFile.h"
#include "platform/core/EventBoundary.h"
#include "platform/core/FileSystem.h"
#include "platform/core/FontSetup.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

TformMemo::TformMemo(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("formMemo"));
    setWindowTitle(QStringLiteral("formMemo"));
    resize(358, 271);
}

void TformMemo::setVisible(bool visible)
{
    // Built before it is first shown, so that the start-up does not wait for it.
    if (visible && !Memo1)
        buildContents();
    QWidget::setVisible(visible);
}

void TformMemo::buildContents()
{
    setWindowIcon(appIcon());
    setFont(platform::windowFont());

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setGeometry(8, 8, 345, 185);

    Button1 = new QPushButton(QString::fromUtf8("Выход"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(8, 211, 345, 54);
    connect(Button1, &QPushButton::clicked, this, platform::guarded([this] { Button1Click(); }));
}

void TformMemo::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        platform::runGuarded([this] { FormShow(); });
}

void TformMemo::FormShow()
{
    Memo1->clear();
    const QString path = settingsFilePath();
    if (QFileInfo::exists(path))
        Memo1->setPlainText(platform::readTextFileLines(path).join(QLatin1Char('\n')));
    else
        Memo1->setPlainText(QString::fromUtf8("Файл настроек пуст..."));
}

void TformMemo::Button1Click() { close(); }
