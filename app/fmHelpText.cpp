#include "app/fmHelpText.h"

#include "app/AppIcon.h"
#include "app/HelpFile.h"
#include "platform/core/FontSetup.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
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

void TfmHelpText::showText(const QString& text, const QString& chapter)
{
    QString shown = text;
    while (!shown.isEmpty() && shown.back().isSpace())
        shown.chop(1);
    Memo->setPlainText(shown);
    show();
    raise();
    activateWindow();
    const QTextBlock heading
        = chapter.isEmpty() ? QTextBlock() : Memo->document()->find(chapter).block();
    if (!heading.isValid() || !heading.text().startsWith(chapter))
        return;
    // From the end, making the heading's line visible brings it to the top.
    Memo->moveCursor(QTextCursor::End);
    Memo->setTextCursor(QTextCursor(heading));
}

void showPrintingHelp()
{
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = QApplication::activeWindow();
    auto* window = new TfmHelpText(front);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showText(shippedGuideText(), printingChapterHeading());
}
