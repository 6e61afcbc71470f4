#include "app/About.h"

#include "app/AppIcon.h"
#include "platform/FontSetup.h"

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFont(platform::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(360, 220);
    setModal(false);
}
