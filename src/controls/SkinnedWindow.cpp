// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SkinnedWindow.h"

#include "controls/AccessibleWidgets.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowShape.h"
#include "controls/WindowTransparency.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

SkinnedWindow::SkinnedWindow(const Look& look, const QString& caption, QSize size, int features,
                             const QColor& background, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_look(look), m_caption(caption) {
    AccessibleWidgets::Install();
    setWindowTitle(caption);
    setFixedSize(size);
    FormCreate(background);
    // The see-through keeps the outline just cut as the mask it has with the key off.
    if (features & Transparent)
        m_transparency = new WindowTransparency(this);
    if (features & Draggable)
        m_drag = new WindowDrag(this);
    connect(&m_look, &Look::changed, this, &SkinnedWindow::follow);
}

SkinnedWindow::~SkinnedWindow() = default;

QColor SkinnedWindow::OwnersBackground(const QWidget* owner) {
    return owner ? owner->palette().color(QPalette::Window) : Skin::WindowBackground;
}

void SkinnedWindow::FormCreate(const QColor& background) {
    Skin::SetWindowBackground(this,
                              m_look.Palette() ? m_look.Palette()->windowBackground : background);
    ApplyWindowShape(this);
}

SkinPalette SkinnedWindow::SkinColours() const {
    return m_look.Palette().value_or(Skin::DesignPalette);
}

void SkinnedWindow::setVisible(bool visible) {
    // Made before the window itself, so that they are shown with it.
    if (visible)
        EnsureBuilt();
    QWidget::setVisible(visible);
}

void SkinnedWindow::EnsureBuilt() {
    if (m_built)
        return;
    m_built = true;
    build();
    applyPalette();
    if (m_look.Quality())
        Skin::ApplyQuality(this, *m_look.Quality());
}

void SkinnedWindow::BringToFront() {
    show();
    raise();
    activateWindow();
}

TdxButton* SkinnedWindow::AddChrome() {
    m_bar = Skin::AddTitleBar(this, m_caption, width());
    if (m_drag)
        m_drag->AddArea(m_bar);
    for (auto [strip, name] :
         {std::pair{&m_strips[0], "LabelLeft"}, std::pair{&m_strips[1], "LabelRight"},
          std::pair{&m_strips[2], "LabelBottom"}}) {
        *strip = new QLabel(this);
        (*strip)->setObjectName(QLatin1String(name));
        (*strip)->setAutoFillBackground(true);
        AccessibleWidgets::MarkDecorative(**strip);
    }
    placeStrips();
    return m_bar;
}

bool SkinnedWindow::event(QEvent* event) {
    // Once the last strip is made.
    if (m_strips[2]) {
        if (event->type() == QEvent::Resize)
            placeStrips();
        // Over every control added later: a control reaching under the edge (the folded
        // main window's panel) must not break the frame.
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::Show)
            for (QLabel* strip : m_strips)
                strip->raise();
    }
    return QWidget::event(event);
}

void SkinnedWindow::placeStrips() {
    const int w = width(), h = height(), s = StripWidth, top = Skin::TitleBarHeight;
    const int side = std::max(0, h - top);
    m_strips[0]->setGeometry(0, top, s, side);
    m_strips[1]->setGeometry(w - s, top, s, side);
    m_strips[2]->setGeometry(0, h - s, w, s);
}

void SkinnedWindow::follow(Look::Aspect aspect) {
    switch (aspect) {
    case Look::Aspect::Palette:
        if (m_built)
            applyPalette();
        // Also the colour the see-through keys out.
        Skin::SetWindowBackground(this, SkinColours().windowBackground);
        break;
    case Look::Aspect::Quality:
        if (m_built)
            Skin::ApplyQuality(this, *m_look.Quality());
        break;
    }
}

void SkinnedWindow::applyPalette() {
    applyPaletteToControls();
    const SkinPalette colours = SkinColours();
    Skin::ApplyTitleBarSet(m_bar->Colors(), colours);
    for (QLabel* strip : m_strips) {
        QPalette p = strip->palette();
        p.setColor(QPalette::Window, colours.dark);
        strip->setPalette(p);
    }
}

TdxButton* SkinnedWindow::ButtonBar() {
    EnsureBuilt();
    return m_bar;
}
QLabel* SkinnedWindow::LabelLeft() {
    EnsureBuilt();
    return m_strips[0];
}
QLabel* SkinnedWindow::LabelRight() {
    EnsureBuilt();
    return m_strips[1];
}
QLabel* SkinnedWindow::LabelBottom() {
    EnsureBuilt();
    return m_strips[2];
}
