#include "rpPrintDialogDrawing.h"

#include <QPainter>

namespace {

const QColor kInk(64, 64, 64);
const QColor kAccent(42, 110, 187);

void sheet(QPainter& p, const QRect& r, const QString& number = {})
{
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(r);
    if (number.isEmpty())
        return;
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kAccent);
    // In the corner that the sheet in front leaves uncovered.
    p.drawText(QRect(r.left() + 2, r.top() + 1, 9, 10), Qt::AlignCenter, number);
}

// A small set of sheets fanned out, the last in front.
void stack(QPainter& p, int x, int y, const QStringList& numbers)
{
    for (int i = 0; i < numbers.size(); ++i)
        sheet(p, QRect(x + i * 10, y + i * 9, 16, 22), numbers[i]);
}

} // namespace

QPixmap rpCollatePicture(bool collated)
{
    QPixmap picture(92, 53);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const QStringList one {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    if (collated) {
        stack(p, 4, 6, one);
        stack(p, 50, 6, one);
    } else {
        stack(p, 2, 10, {QStringLiteral("1"), QStringLiteral("1")});
        stack(p, 33, 10, {QStringLiteral("2"), QStringLiteral("2")});
        stack(p, 64, 10, {QStringLiteral("3"), QStringLiteral("3")});
    }
    return picture;
}

QPixmap rpPrintModePicture(TrpPrintMode mode)
{
    QPixmap picture(64, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (mode) {
    case pmDefault:
        sheet(p, QRect(22, 2, 20, 28));
        p.setPen(kAccent);
        for (int y = 8; y < 26; y += 4)
            p.drawLine(26, y, 37, y);
        break;
    case pmSplit:
        // One big page over two sheets, the overlap darker.
        sheet(p, QRect(8, 2, 24, 28));
        sheet(p, QRect(30, 2, 24, 28));
        p.fillRect(QRect(30, 3, 3, 27), kAccent);
        break;
    case pmJoin:
        // Two small pages side by side on one sheet.
        sheet(p, QRect(14, 2, 36, 28));
        sheet(p, QRect(17, 7, 14, 19));
        sheet(p, QRect(33, 7, 14, 19));
        break;
    case pmScale:
        // A small page and the sheet it is stretched to.
        sheet(p, QRect(16, 2, 32, 28));
        p.setPen(QPen(kAccent, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(24, 9, 16, 14));
        p.setPen(kAccent);
        p.drawLine(20, 5, 24, 9);
        p.drawLine(44, 27, 40, 23);
        break;
    }
    return picture;
}

TrpPictureItemDelegate::TrpPictureItemDelegate(int textLeft, int itemHeight, QObject* parent)
    : QStyledItemDelegate(parent), FTextLeft(textLeft), FItemHeight(itemHeight)
{
}

void TrpPictureItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette& palette = option.palette;
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    const QRect r = option.rect;
    const QPixmap picture = index.data(Qt::DecorationRole)
                                .value<QIcon>()
                                .pixmap(QSize(std::min(FTextLeft - 4, r.width()), r.height()));
    if (!picture.isNull())
        painter->drawPixmap(r.left() + 2, r.top() + (r.height() - picture.height()) / 2, picture);
    painter->setPen(
        selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    painter->drawText(r.adjusted(FTextLeft, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
        index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize TrpPictureItemDelegate::sizeHint(
    const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize text = QStyledItemDelegate::sizeHint(option, index);
    return QSize(std::max(text.width(), FTextLeft + text.width()), FItemHeight);
}
