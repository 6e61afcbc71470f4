#include "RenderFixture.h"

#include "report/render/rpDrawPage.h"
#include "report/render/rpRenderMemo.h"

#include "platform/core/QPainterCanvas.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Renders the filled certificate and the test page to PNG files in the build's artifact
// folder (or $VORSELA_ARTIFACTS), for looking at by eye: fields centred in their boxes, the
// instruction wrapped inside its box, the arrows pointing at the rectangle's edges.
struct ImageCase {
    std::string name;
    bool certificate;
    double scale;
};

class PageImage : public ::testing::TestWithParam<ImageCase> { };

TEST_P(PageImage, rendersInkInsideThePaper)
{
    const ImageCase& c = GetParam();
    LoadedTemplate loaded = c.certificate ? certificate() : testPage();
    if (c.certificate) {
        loaded.object<TrpCustomMemoView>("Memo1").SetText(
            QStringLiteral("Негосударственное образовательное учреждение \"Автошкола\""));
        loaded.object<TrpCustomMemoView>("Memo5").SetText(QStringLiteral("Иванов Иван Иванович"));
    }
    const TrpReportPage& page = loaded.page();
    const QSize size(int(rpRound(page.PaperWidth() * rp01cm * c.scale)),
        int(rpRound(page.PaperHeight() * rp01cm * c.scale)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::QPainterCanvas canvas(image);
        rpDrawPage(page, 0, canvas, c.scale, c.scale, 0, 0, {});
    }
    // Ink lies inside the margins, and on the certificate the filled name is drawn in its
    // field.
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                inked |= QRect(x, y, 1, 1);
        }
    }
    const double margin = 15 * rp01cm * c.scale;
    const QRect printable = QRect(QPoint(int(margin), int(margin)),
        QPoint(image.width() - int(margin), image.height() - int(margin)));
    // A line on the margin is as wide as the scale, centred on it.
    const int pen = int(std::ceil(c.scale / 2));
    EXPECT_TRUE(printable.adjusted(-pen, -pen, pen, pen).contains(inked))
        << testing::PrintToString(inked);
    EXPECT_GT(inked.width(), image.width() / 2);
    EXPECT_GT(inked.height(), image.height() / 2);
    if (c.certificate) {
        const QRect name = rpMemoTextRect(
            loaded.object<TrpCustomMemoView>("Memo5"), c.scale, c.scale, margin, margin);
        int nameInk = 0;
        for (int y = name.top(); y <= name.bottom(); ++y) {
            for (int x = name.left(); x <= name.right(); ++x)
                nameInk += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
        EXPECT_GT(nameInk, 20 * c.scale * c.scale);
    }

    const QString folder = qEnvironmentVariableIsSet("VORSELA_ARTIFACTS")
        ? qEnvironmentVariable("VORSELA_ARTIFACTS")
        : QStringLiteral(VORSELA_ARTIFACT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = QDir(folder).filePath(QString::fromStdString(c.name) + ".png");
    EXPECT_TRUE(image.save(file)) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Artifacts, PageImage,
    ::testing::Values(ImageCase {"certificate_100", true, 1},
        ImageCase {"certificate_300", true, 3}, ImageCase {"testpage_100", false, 1},
        ImageCase {"testpage_300", false, 3}),
    [](const auto& info) { return info.param.name; });

} // namespace
