#include "RenderFixture.h"

#include "report/render/rpDrawPage.h"
#include "report/render/rpRenderMemo.h"

#include "platform/core/FontMetrics.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

#include <numeric>

using platform::CanvasCall;
using platform::RecordingCanvas;

namespace {

QList<CanvasCall> drawMemo(
    const TrpCustomMemoView& memo, RecordingCanvas& canvas, double scale, double offset = 0)
{
    rpDrawMemo(memo, canvas, scale, scale, offset, offset, {});
    return canvas.calls(CanvasCall::Text);
}

QStringList textsOf(const QList<CanvasCall>& calls)
{
    QStringList texts;
    for (const CanvasCall& call : calls)
        texts.append(call.text);
    return texts;
}

int widthOf(const CanvasCall& call)
{
    return std::accumulate(call.advances.begin(), call.advances.end(), 0);
}

TEST(MemoText, textRectangleKeepsTheGapsInside)
{
    const LoadedTemplate report = certificate();
    const auto& memo = report.object<TrpCustomMemoView>("Memo1");
    // FX 11, FX1 435, FY 26, FY1 42: two pixels of gap on the left, one on the right, one at
    // the top and none at the bottom.
    const QRect original = rpMemoTextRect(memo, 1, 1, 0, 0);
    EXPECT_EQ(original.left(), 13);
    EXPECT_EQ(original.width(), 421);
    EXPECT_EQ(original.top(), 27);
    EXPECT_EQ(original.bottom() + 1, 42);
}

// The instruction text breaks at the same characters at every scale and on the printer;
// each line is exactly as wide as its reference width converted to the device, whatever the
// device font's own advances add up to.
TEST(MemoText, linesBreakAndKeepTheirWidthsOnEveryDevice)
{
    const LoadedTemplate report = testPage();
    const auto& memo = report.object<TrpCustomMemoView>("Memo1");
    const platform::FontMetrics& reference
        = platform::FontMetrics::of({QStringLiteral("Arial"), 83});

    struct Device {
        const char* name;
        RecordingCanvas canvas;
        double scale;
        int fontHeight;
    };
    Device devices[] = {
        {"100 %", RecordingCanvas(QRect(0, 0, 600, 820)), 1, 13},
        {"200 %", RecordingCanvas(QRect(0, 0, 1200, 1640)), 2, 27},
        {"600 dpi", RecordingCanvas(QRect(0, 0, 3500, 5000), true, 600), 6.25, 83},
    };
    QStringList first;
    for (Device& device : devices) {
        const QList<CanvasCall> calls = drawMemo(memo, device.canvas, device.scale);
        if (first.isEmpty())
            first = textsOf(calls);
        EXPECT_EQ(textsOf(calls), first) << device.name;
        for (const CanvasCall& call : calls) {
            EXPECT_EQ(call.font.pixelHeight, device.fontHeight) << device.name;
            double f = 0;
            for (QChar c : call.text)
                f += reference.advance(c);
            EXPECT_EQ(widthOf(call), rpRound(f / 6.25 * device.scale))
                << device.name << " " << call.text.toStdString();
        }
    }
    EXPECT_GT(first.size(), 14);
}

// The instruction text's line breaks with the real fonts, one output line per line of the
// file, each closed by "|" so that trailing spaces show. A font or layout change shows as a
// diff here; set VORSELA_UPDATE_GOLDEN to rewrite the file.
TEST(MemoText, testPageInstructionMatchesItsGoldenLineBreaks)
{
    const LoadedTemplate report = testPage();
    RecordingCanvas canvas = screenCanvas();
    QString actual;
    for (const QString& text :
        textsOf(drawMemo(report.object<TrpCustomMemoView>("Memo1"), canvas, 1)))
        actual += text + QStringLiteral("|\n");

    const QString path = QStringLiteral(VORSELA_TEST_DATA "/golden/testpage_instruction.txt");
    QFile file(path);
    if (qEnvironmentVariableIsSet("VORSELA_UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        file.close();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(QString::fromUtf8(file.readAll()).toStdString(), actual.toStdString());
}

// A centred certificate field whose text is too wide wraps; each line is centred by itself
// and the second one falls below the one-line rectangle, where the clip hides it.
TEST(MemoText, wrappedCentredFieldShowsOnlyItsFirstLine)
{
    const LoadedTemplate report = certificate();
    auto& memo = report.object<TrpCustomMemoView>("Memo1");
    memo.SetText(QStringLiteral("Негосударственное образовательное учреждение дополнительного "
                                "профессионального образования автошкола"));
    RecordingCanvas canvas = screenCanvas();
    const QList<CanvasCall> calls = drawMemo(memo, canvas, 1, 56.69295);
    ASSERT_EQ(calls.size(), 2);
    const QRect rect = rpMemoTextRect(memo, 1, 1, 56.69295, 56.69295);
    for (const CanvasCall& call : calls) {
        EXPECT_EQ(call.textClip, rect);
        EXPECT_EQ(call.points[0].x(), rect.left() + rpRound((rect.width() - widthOf(call)) / 2.0))
            << call.text.toStdString();
    }
    EXPECT_EQ(calls[0].points[0].y(), rect.top());
    EXPECT_GT(calls[1].points[0].y(), rect.bottom());
    EXPECT_FALSE(calls[0].text.endsWith(QLatin1Char(' ')));
}

// A centred line is centred in the device's text rectangle by its width on that device:
// on the screen at 100 % and 200 % with the page's offset, and on a 600-dpi printer with
// the printer's unprintable border.
TEST(MemoText, centredLineSitsInTheMiddleOnEveryDevice)
{
    const LoadedTemplate report = certificate();
    auto& memo = report.object<TrpCustomMemoView>("Memo1");
    memo.SetText(QStringLiteral("Автошкола Петров"));
    struct Device {
        const char* name;
        RecordingCanvas canvas;
        double scale;
        double offset;
    };
    Device devices[] = {
        {"100 %", RecordingCanvas(QRect(0, 0, 600, 820)), 1, 56.69295},
        {"200 %", RecordingCanvas(QRect(0, 0, 1200, 1640)), 2, 113.3859},
        {"600 dpi", RecordingCanvas(QRect(0, 0, 3500, 5000), true, 600), 6.25, -4 * 600 / 25.4},
    };
    for (Device& device : devices) {
        const QList<CanvasCall> calls = drawMemo(memo, device.canvas, device.scale, device.offset);
        ASSERT_EQ(calls.size(), 1) << device.name;
        const QRect rect
            = rpMemoTextRect(memo, device.scale, device.scale, device.offset, device.offset);
        const int left = calls[0].points[0].x();
        const int width = widthOf(calls[0]);
        EXPECT_EQ(left, rect.left() + rpRound((rect.width() - width) / 2.0)) << device.name;
        // The space left of the text and right of it differ by one device pixel at most.
        EXPECT_LE(std::abs((left - rect.left()) - (rect.right() + 1 - (left + width))), 1)
            << device.name;
        EXPECT_GT(width, rect.width() / 5) << device.name;
    }
}

TEST(MemoText, emptyTextsDrawNothingVisible)
{
    const LoadedTemplate report = certificate();
    auto& memo = report.object<TrpCustomMemoView>("Memo1");
    RecordingCanvas canvas = screenCanvas();
    memo.SetText(QString());
    EXPECT_TRUE(drawMemo(memo, canvas, 1).isEmpty());
    memo.SetText(QStringLiteral("\r\n"));
    EXPECT_EQ(textsOf(drawMemo(memo, canvas, 1)), QStringList {QStringLiteral(" ")});
}

// Every field draws its text in Unicode, the Russian character set of the certificate's
// fields included: the Tatar and Bashkir letters come from the face itself, and only what the
// face truly lacks is reported, each character once.
TEST(MemoText, textsDrawInUnicodeWithTheFieldsFace)
{
    const LoadedTemplate cert = certificate();
    auto& name = cert.object<TrpCustomMemoView>("Memo5");
    const QString tatar = QStringLiteral("Гөлнара Әлиева, Ҡыҙыл Таң");
    name.SetText(tatar);
    RecordingCanvas canvas = screenCanvas();
    const QList<CanvasCall> calls = drawMemo(name, canvas, 1);
    ASSERT_EQ(textsOf(calls), QStringList {tatar});
    const QList<quint32> glyphs = platform::FontMetrics::of(calls[0].font).glyphs(tatar);
    EXPECT_FALSE(glyphs.contains(0u)) << "a letter drawn as the missing-glyph box";
    EXPECT_EQ(rpMemoMissingCharacters(name, {tatar}), QString());
    EXPECT_EQ(rpMemoMissingCharacters(name, {QStringLiteral("Ж中😀"), QStringLiteral("中\t")}),
        QStringLiteral("中😀\t"));

    name.SetText(QStringLiteral("Ж€中😀"));
    canvas.clear();
    EXPECT_EQ(textsOf(drawMemo(name, canvas, 1)), QStringList {QStringLiteral("Ж€中😀")});
}

// Line advances stretch to the block height the reference font asks for.
TEST(MemoText, lineAdvancesSpreadTheBlockHeight)
{
    const LoadedTemplate page = testPage();
    auto& memo = page.object<TrpCustomMemoView>("Memo2"); // Arial bold, 10 points
    memo.SetText(QStringLiteral("a\r\nb\r\nc"));
    RecordingCanvas screen = screenCanvas();
    QList<CanvasCall> calls = drawMemo(memo, screen, 1);
    ASSERT_EQ(calls.size(), 3);
    // 3 lines want R(45.84) = 46 pixels; 3 x (2 + 13) = 45: the first advance takes one more.
    EXPECT_EQ(calls[1].points[0].y() - calls[0].points[0].y(), 16);
    EXPECT_EQ(calls[2].points[0].y() - calls[1].points[0].y(), 15);

    // On a 600-dpi printer 12 + 83 per line against 191 for two lines.
    memo.SetText(QStringLiteral("a\r\nb"));
    RecordingCanvas printer(QRect(0, 0, 3500, 5000), true, 600);
    calls = drawMemo(memo, printer, 6.25);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[1].points[0].y() - calls[0].points[0].y(), 96);

    // A single line has no advance to take the odd dot; it is drawn as it is.
    memo.SetText(QStringLiteral("a"));
    printer.clear();
    EXPECT_EQ(drawMemo(memo, printer, 6.25).size(), 1);
}

TEST(MemoText, macrosTakeThePageCountAndCopyName)
{
    const LoadedTemplate page = testPage();
    auto& memo = page.object<TrpCustomMemoView>("Memo2");
    memo.SetText(QStringLiteral("[totalpages#]/[CopyName#]"));
    RecordingCanvas canvas = screenCanvas();
    rpDrawMemo(memo, canvas, 1, 1, 0, 0, {3, QStringLiteral("copy"), 1});
    EXPECT_EQ(textsOf(canvas.calls(CanvasCall::Text)), QStringList {QStringLiteral("3/copy")});
}

} // namespace
