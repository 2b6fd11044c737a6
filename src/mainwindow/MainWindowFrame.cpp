// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainWindowFrame.h"

#include "controls/Skin.h"
#include "controls/TdxButton.h"

#include <QIcon>
#include <QWidget>

namespace {

TdxButton* button(QWidget* window, const char* name, const QString& caption, const QRect& place) {
    auto* b = new TdxButton(window);
    b->setObjectName(QLatin1String(name));
    b->SetCaption(caption);
    b->setGeometry(place);
    return b;
}

// The two buttons on the title bar: white captions on the push-button gradient.
TdxButton* titleButton(QWidget* window, const char* name, const QString& caption, int left,
                       const QFont& font, const QString& hint) {
    TdxButton* b = button(window, name, caption, QRect(left, 3, 20, 20));
    b->setFont(font);
    b->SetFontColor(Qt::white);
    b->setToolTip(hint);
    Skin::ApplyActionButtonDesign(b->Colors());
    return b;
}

TdxButton* menuButton(QWidget* window, const char* name, const QString& caption, int left) {
    TdxButton* b = button(window, name, caption, QRect(left, 27, 100, 16));
    b->setFont(Skin::Font(11, true));
    Skin::ApplyTabButtonDesign(*b);
    return b;
}

} // namespace

MainWindowFrame MainWindowFrame::Build(QWidget* window, TdxButton* titleBar) {
    MainWindowFrame f;
    f.ButtonBar = titleBar;
    f.ButtonBar->SetGlyph(QIcon(QStringLiteral(":/images/titlebar.png"))
                              .pixmap(QSize(16, 16), window->devicePixelRatioF())
                              .toImage());
    f.ButtonBar->SetSpacing(4);

    // The strike-out line of a blank in large type is the minimise dash.
    QFont dash = Skin::Font(24, true);
    dash.setStrikeOut(true);
    f.ButtonMinimize = titleButton(window, "ButtonMinimize", QStringLiteral(" "), 499, dash,
                                   QStringLiteral("Minimize"));
    f.ButtonExit = titleButton(window, "ButtonExit", QStringLiteral("X"), 518, Skin::Font(13, true),
                               QStringLiteral("Hide"));

    f.ButtonHotKeys = menuButton(window, "ButtonHotKeys", QStringLiteral("Hotkeys"), 3);
    f.ButtonView = menuButton(window, "ButtonView", QStringLiteral("View"), 103);
    f.ButtonWindow = menuButton(window, "ButtonWindow", QStringLiteral("Window"), 203);
    f.ButtonHelp = menuButton(window, "ButtonHelp", QStringLiteral("Help"), 303);
    for (TdxButton* b : {f.ButtonHotKeys, f.ButtonView, f.ButtonWindow, f.ButtonHelp})
        b->SetFontColor(Skin::Navy);
    return f;
}

void MainWindowFrame::ApplyPalette(const SkinPalette& palette) const {
    for (TdxButton* b : {ButtonHotKeys, ButtonView, ButtonWindow, ButtonHelp})
        Skin::ApplyTabButtonSet(*b, palette);
    for (TdxButton* b : {ButtonMinimize, ButtonExit})
        Skin::ApplyActionButtonSet(b->Colors(), palette);
}
