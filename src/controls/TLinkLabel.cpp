// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TLinkLabel.h"

#include "controls/AccessibleWidgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

QString LinkPrefix(tLinkType type) {
    switch (type) {
    case ltfile: return QStringLiteral("file://");
    case ltftp: return QStringLiteral("ftp://");
    case ltgopher: return QStringLiteral("gopher://");
    case lthttp: return QStringLiteral("http://");
    case lthttps: return QStringLiteral("https://");
    case ltmailto: return QStringLiteral("mailto:");
    case ltnews: return QStringLiteral("news:");
    case lttelnet: return QStringLiteral("telnet:");
    case ltwais: return QStringLiteral("wais:");
    }
    // Never a bare target: without a scheme the shell would start it as a program.
    return QStringLiteral("http://");
}

TLinkLabel::TLinkLabel(OpenLink open, QWidget* parent) : QLabel(parent), m_open(std::move(open)) {
    // The target is shown as typed, never read as markup.
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setText(QString());
    AccessibleWidgets::Install();
}

void TLinkLabel::SetHyperLink(const QString& target) {
    m_hyperLink = target;
    if (text().isEmpty())
        setText(target);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    // Taken here and not passed on: the label reports no click of its own.
    Open();
    event->accept();
}

void TLinkLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TLinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus of its own: the style's dotted frame round the text marks it.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void TLinkLabel::Open() const {
    if (m_open)
        m_open(Link());
}
