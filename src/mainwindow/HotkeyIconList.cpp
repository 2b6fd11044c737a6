#include "HotkeyIconList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Each icon is a coloured tile with one of a few white marks; the colours walk round the
// hue circle so that neighbouring indexes are easy to tell apart.
QPixmap drawIcon(int index) {
    QPixmap pm(32, 32);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tile = QColor::fromHsv((index * 137) % 360, 170, 200);
    p.setPen(tile.darker(130));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    switch (index % 5) {
    case 0: p.drawEllipse(QRectF(10, 10, 12, 12)); break;
    case 1: p.drawRect(QRectF(10, 10, 12, 12)); break;
    case 2: {
        QPainterPath tri;
        tri.moveTo(16, 8);
        tri.lineTo(24, 23);
        tri.lineTo(8, 23);
        tri.closeSubpath();
        p.drawPath(tri);
        break;
    }
    case 3:
        p.drawRect(QRectF(14, 8, 4, 16));
        p.drawRect(QRectF(8, 14, 16, 4));
        break;
    default: p.drawRoundedRect(QRectF(8, 12, 16, 8), 3, 3); break;
    }
    return pm;
}

} // namespace

HotkeyIconList::HotkeyIconList() {
    m_icons.reserve(Count);
    for (int i = 0; i < Count; ++i)
        m_icons.emplace_back(drawIcon(i));
}

QIcon HotkeyIconList::icon(int index) const {
    if (index < 0 || index >= Count)
        return {};
    return m_icons[static_cast<size_t>(index)];
}
