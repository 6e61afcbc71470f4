#include "app/About.h"

#include "app/AppIcon.h"
#include "platform/core/EventBoundary.h"
#include "platform/core/FontSetup.h"
#include "platform/core/Shell.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace {

// A panel with a raised inner bevel inside a lowered outer bevel.
class BevelPanel final : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect outer = rect();
        qDrawShadePanel(&painter, outer, palette(), true, 1);
        qDrawShadePanel(&painter, outer.adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(bounds);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QFont boldFont() { return platform::pixelFont(QStringLiteral("MS Sans Serif"), 11, true); }

} // namespace

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFixedSize(360, 220);
    setModal(false);
}

void TfmAbout::setVisible(bool visible)
{
    // The window is created hidden at start-up; what it shows is built before it is first
    // shown, so that the start-up does not wait for it.
    if (visible && !OKButton)
        buildContents();
    QDialog::setVisible(visible);
}

void TfmAbout::buildContents()
{
    setWindowIcon(appIcon());
    setFont(platform::pixelFont(QStringLiteral("MS Sans Serif"), 11));

    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 345, 169);

    ProgramIcon = label(Panel1, "ProgramIcon", QString(), QRect(8, 8, 74, 66));
    ProgramIcon->setPixmap(appEmblem());
    ProgramIcon->setScaledContents(true);

    ProductName = label(Panel1, "ProductName",
        QString::fromUtf8("Модуль заполнения бланков свидетельств о профессии водителя"),
        QRect(88, 8, 176, 39));
    ProductName->setFont(boldFont());
    ProductName->setWordWrap(true);

    Version = label(Panel1, "Version", QString::fromUtf8("Версия 1.1"), QRect(88, 61, 55, 13));
    Copyright = label(
        Panel1, "Copyright", QString::fromUtf8("Компания \"Ворсела\""), QRect(8, 85, 118, 13));

    Label1 = label(Panel1, "Label1", QString::fromUtf8("Разработчик: "), QRect(8, 117, 85, 13));
    Label1->setFont(boldFont());

    Comments = label(Panel1, "Comments",
        QString::fromUtf8("Отдел разработки компании \"Ворсела\", 2026"), QRect(94, 117, 248, 26));
    Comments->setWordWrap(true);

    Label2 = label(
        Panel1, "Label2", QString::fromLatin1(kMakerAddressCaption), QRect(94, 146, 91, 13));
    Label2->setFont(boldFont());
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setMouseTracking(true);
    Label2->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(275, 183, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, platform::guarded([this] { OKButtonClick(); }));
}

bool TfmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label2) {
        switch (event->type()) {
        case QEvent::MouseMove:
            platform::runGuarded([this] { Label2MouseMove(); });
            break;
        case QEvent::Leave:
            platform::runGuarded([this] { Label2MouseLeave(); });
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
                && Label2->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                platform::runGuarded([this] { Label2Click(); });
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmAbout::setLinkStyle(bool underline, const QColor& colour)
{
    QFont font = Label2->font();
    font.setUnderline(underline);
    Label2->setFont(font);
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::WindowText, colour);
    Label2->setPalette(palette);
}

void TfmAbout::OKButtonClick() { close(); }

void TfmAbout::Label2MouseMove() { setLinkStyle(true, QColor(0, 0, 255)); }

void TfmAbout::Label2MouseLeave()
{
    // Black, not the window-text colour the link started in.
    setLinkStyle(false, QColor(0, 0, 0));
}

void TfmAbout::Label2Click() { platform::shellOpenAddress(QString::fromLatin1(kMakerAddress)); }
