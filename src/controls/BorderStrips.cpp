// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/BorderStrips.h"

#include <QEvent>
#include <QLabel>

namespace {

QLabel* strip(QWidget* window, const QString& name) {
    auto* label = new QLabel(window);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    return label;
}

// Keeps the strips on the edges whatever the window's size.
class StripLayout : public QObject {
public:
    StripLayout(QWidget* window, BorderStrips strips, int titleHeight)
        : QObject(window), m_window(window), m_strips(strips), m_titleHeight(titleHeight) {
        window->installEventFilter(this);
        place();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Resize)
            place();
        // Over every control added later: a control reaching under the edge (the folded
        // main window's panel) must not break the frame.
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::Show)
            raise();
        return false;
    }

private:
    void raise() const {
        for (QLabel* label : {m_strips.LabelLeft, m_strips.LabelRight, m_strips.LabelBottom})
            label->raise();
    }

    void place() const {
        const int w = m_window->width(), h = m_window->height(), s = BorderStrips::Width;
        const int side = std::max(0, h - m_titleHeight);
        m_strips.LabelLeft->setGeometry(0, m_titleHeight, s, side);
        m_strips.LabelRight->setGeometry(w - s, m_titleHeight, s, side);
        m_strips.LabelBottom->setGeometry(0, h - s, w, s);
    }

    QWidget* m_window;
    BorderStrips m_strips;
    int m_titleHeight;
};

} // namespace

BorderStrips BorderStrips::Add(QWidget* window, int titleHeight, const QColor& colour) {
    BorderStrips strips{strip(window, QStringLiteral("LabelLeft")),
                        strip(window, QStringLiteral("LabelRight")),
                        strip(window, QStringLiteral("LabelBottom"))};
    strips.SetColour(colour);
    new StripLayout(window, strips, titleHeight);
    return strips;
}

void BorderStrips::SetColour(const QColor& colour) const {
    for (QLabel* label : {LabelLeft, LabelRight, LabelBottom}) {
        QPalette p = label->palette();
        p.setColor(QPalette::Window, colour);
        label->setPalette(p);
    }
}
