#pragma once

#include "report/model/rpTypes.h"

#include <QPixmap>
#include <QStyledItemDelegate>

// The pictures of the print dialog, drawn in code: the two collate pictures (92 × 53, sets of
// sheets numbered 1 2 3) and one 64 × 32 picture per print mode.
QPixmap rpCollatePicture(bool collated);
QPixmap rpPrintModePicture(TrpPrintMode mode);

// An owner-drawn list item: the item's picture at the left edge, centred in the item's
// height, and its text from a fixed distance, every item of one height.
class TrpPictureItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TrpPictureItemDelegate(int textLeft, int itemHeight, QObject* parent);

    int ItemHeight() const { return FItemHeight; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int FTextLeft;
    int FItemHeight;
};
