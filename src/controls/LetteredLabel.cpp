// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/LetteredLabel.h"

#include "controls/Lettering.h"

#include <QPainter>
#include <QStyle>

void LetteredLabel::paintEvent(QPaintEvent* event) {
    const Lettering* lettering = Lettering::Find(text(), font());
    if (!lettering) {
        QLabel::paintEvent(event);
        return;
    }
    // Placed by the label's alignment, as its text would be; whole pixels keep the stems as
    // sharp as the font draws them.
    const QRectF room = contentsRect();
    const Qt::Alignment a = QStyle::visualAlignment(layoutDirection(), alignment());
    const QSizeF box = lettering->box;
    qreal x = room.left();
    if (a & Qt::AlignHCenter)
        x += (room.width() - box.width()) / 2;
    else if (a & Qt::AlignRight)
        x += room.width() - box.width();
    qreal y = room.top();
    if (a & Qt::AlignVCenter)
        y += (room.height() - box.height()) / 2;
    else if (a & Qt::AlignBottom)
        y += room.height() - box.height();
    QPainter painter(this);
    lettering->Draw(painter, QPointF(qRound(x), qRound(y)), palette().color(foregroundRole()));
}
