// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Lettering.h"

#include "controls/Skin.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <array>
#include <optional>

namespace {

// Hundredths of a pixel: finer than any screen shows, and a file that diffs cleanly.
QByteArray number(qreal value) {
    return QByteArray::number(value, 'f', 2);
}

std::optional<qreal> numberOf(const QByteArray& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// The numbers after a path element's letter, exactly `count` of them.
std::optional<std::array<qreal, 6>> numbersOf(const QList<QByteArray>& fields, int count) {
    if (fields.size() != count + 1)
        return std::nullopt;
    std::array<qreal, 6> values{};
    for (int i = 0; i < count; ++i) {
        const auto value = numberOf(fields[i + 1]);
        if (!value)
            return std::nullopt;
        values[size_t(i)] = *value;
    }
    return values;
}

// "lettering SIZE BOLD WIDTH HEIGHT FILL TEXT", the text running to the end of the line.
std::optional<Lettering> headerOf(const QByteArray& line) {
    QList<QByteArray> fields;
    qsizetype at = 0;
    for (int i = 0; i < 6; ++i) {
        const qsizetype blank = line.indexOf(' ', at);
        if (blank < 0)
            return std::nullopt;
        fields.append(line.mid(at, blank - at));
        at = blank + 1;
    }
    const auto width = numberOf(fields[3]);
    const auto height = numberOf(fields[4]);
    bool sizeOk = false;
    const int pixelSize = fields[1].toInt(&sizeOk);
    if (fields[0] != "lettering" || !sizeOk || pixelSize <= 0 ||
        (fields[2] != "0" && fields[2] != "1") || !width || !height ||
        (fields[5] != "winding" && fields[5] != "oddeven") || at >= line.size())
        return std::nullopt;
    Lettering lettering;
    lettering.pixelSize = pixelSize;
    lettering.bold = fields[2] == "1";
    lettering.box = {*width, *height};
    lettering.outline.setFillRule(fields[5] == "winding" ? Qt::WindingFill : Qt::OddEvenFill);
    lettering.text = QString::fromUtf8(line.sliced(at));
    return lettering;
}

// One path element line added to `path`; false when the line is not one.
bool addElement(QPainterPath& path, const QByteArray& line) {
    const QList<QByteArray> fields = line.split(' ');
    if (fields.isEmpty() || fields[0].size() != 1)
        return false;
    const char kind = fields[0].at(0);
    const int count = kind == 'c' ? 6 : 2;
    const auto v = numbersOf(fields, count);
    if (!v)
        return false;
    switch (kind) {
    case 'm': path.moveTo(v->at(0), v->at(1)); return true;
    case 'l': path.lineTo(v->at(0), v->at(1)); return true;
    case 'c': path.cubicTo(v->at(0), v->at(1), v->at(2), v->at(3), v->at(4), v->at(5)); return true;
    default: return false;
    }
}

std::vector<Lettering> load() {
    QFile file(QStringLiteral(":/lettering/outlines.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Lettering::Read(file.readAll());
}

} // namespace

Lettering Lettering::Make(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    Lettering lettering;
    lettering.text = text;
    lettering.pixelSize = font.pixelSize();
    lettering.bold = font.bold();
    // The box the caption and label code measure the text in, so the outline lands where
    // the text would.
    lettering.box =
        metrics.boundingRect(QRectF(0, 0, 4096, 4096), Qt::AlignLeft | Qt::AlignTop, text).size();
    lettering.outline.addText(QPointF(0, metrics.ascent()), font, text);
    return lettering;
}

QByteArray Lettering::Write(const std::vector<Lettering>& letterings) {
    QByteArray out;
    for (const Lettering& l : letterings) {
        out += "lettering " + QByteArray::number(l.pixelSize) + (l.bold ? " 1 " : " 0 ") +
               number(l.box.width()) + ' ' + number(l.box.height()) +
               (l.outline.fillRule() == Qt::WindingFill ? " winding " : " oddeven ") +
               l.text.toUtf8() + '\n';
        for (int i = 0; i < l.outline.elementCount(); ++i) {
            const QPainterPath::Element e = l.outline.elementAt(i);
            switch (e.type) {
            case QPainterPath::MoveToElement: out += 'm'; break;
            case QPainterPath::LineToElement: out += 'l'; break;
            case QPainterPath::CurveToElement: out += 'c'; break;
            case QPainterPath::CurveToDataElement: break;
            }
            out += ' ' + number(e.x) + ' ' + number(e.y);
            // A curve's two control points and its end share its line.
            const bool more = i + 1 < l.outline.elementCount() &&
                              l.outline.elementAt(i + 1).type == QPainterPath::CurveToDataElement;
            if (!more)
                out += '\n';
        }
    }
    return out;
}

std::vector<Lettering> Lettering::Read(const QByteArray& file) {
    std::vector<Lettering> letterings;
    for (const QByteArray& line : file.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("lettering ")) {
            std::optional<Lettering> header = headerOf(line);
            if (!header)
                return {};
            letterings.push_back(std::move(*header));
        } else if (letterings.empty() || !addElement(letterings.back().outline, line)) {
            return {};
        }
    }
    return letterings;
}

const Lettering* Lettering::Find(const QString& text, const QFont& font) {
    static const std::vector<Lettering> letterings = load();
    // Every skin font names the same faces, whatever its size.
    static const QStringList skinFaces = Skin::Font(16).families();
    for (const Lettering& l : letterings)
        if (l.text == text && l.pixelSize == font.pixelSize() && l.bold == font.bold() &&
            !font.italic() && font.families() == skinFaces)
            return &l;
    return nullptr;
}

void Lettering::Draw(QPainter& painter, QPointF at, const QColor& color) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(at);
    painter.fillPath(outline, color);
    painter.restore();
}
