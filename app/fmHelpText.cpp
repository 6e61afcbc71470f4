#include "app/fmHelpText.h"

#include "app/AppIcon.h"
#include "platform/core/FontSetup.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TfmHelpText::TfmHelpText(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("fmHelpText"));
    setWindowTitle(QString::fromUtf8("Помощь"));
    setWindowIcon(appIcon());
    setFont(platform::windowFont());
    resize(640, 480);
    Memo = new QPlainTextEdit(this);
    Memo->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo);
}

void TfmHelpText::showText(const QString& text)
{
    Memo->setPlainText(text);
    show();
    raise();
    activateWindow();
}
