// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Skin.h"

#include "controls/TdxButton.h"

#include <QPalette>
#include <QWidget>

namespace Skin {

SkinPalette SchemePalette(const QString& name) {
    static const std::array<SkinPalette, SchemeNames.size()> palettes = {{
        DesignPalette,
        {QColor(0, 128, 0), QColor(192, 220, 192), QColor(235, 255, 240), QColor(210, 245, 220)},
        {QColor(50, 0, 0), QColor(220, 70, 70), QColor(255, 235, 240), QColor(245, 210, 220)},
        {QColor(50, 20, 0), QColor(220, 200, 70), QColor(255, 240, 245), QColor(245, 220, 225)},
        {QColor(128, 0, 128), QColor(255, 0, 255), QColor(255, 235, 235), QColor(245, 220, 220)},
        {QColor(100, 100, 100), QColor(192, 192, 192), QColor(235, 235, 235),
         QColor(245, 245, 245)},
        {QColor(0, 0, 0), QColor(192, 192, 192), QColor(160, 160, 164), QColor(128, 128, 128)},
    }};
    for (size_t i = 0; i < SchemeNames.size(); ++i)
        if (name == QLatin1String(SchemeNames[i]))
            return palettes[i];
    return {Navy, SkyBlue, QColor(235, 245, 255), WindowBackground};
}

SkinPalette SchemePalette(int index) {
    if (index < 0 || index >= int(SchemeNames.size()))
        return SchemePalette(QString());
    return SchemePalette(QLatin1String(SchemeNames[size_t(index)]));
}

void ApplyQuality(QWidget* root, int quality) {
    for (TdxButton* button : root->findChildren<TdxButton*>())
        button->SetQuality(static_cast<TdxQuality>(quality));
}

QFont Font(int pixelHeight, bool bold) {
    QFont font;
    // Liberation Sans and Arimo share Arial's widths, the nearest to the old bitmap face;
    // DejaVu Sans is wider but present on nearly every Linux desktop.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void ApplyTitleBarSet(TdxColors& colors, const SkinPalette& palette) {
    colors.SetBackgroundFrom(palette.dark);
    colors.SetClickedFrom(palette.dark);
    colors.SetHighlightFrom(palette.dark);
    colors.SetFocusedFrom(palette.dark);
    colors.SetBackgroundTo(palette.accent);
    colors.SetClickedTo(palette.accent);
    colors.SetHighlightTo(palette.accent);
    colors.SetFocusedTo(palette.accent);
    colors.SetBorderEdges(SkyBlue);
    colors.SetBorderLine(Qt::black);
    colors.SetHotTrack(Qt::black);
}

TdxButton* AddTitleBar(QWidget* window, const QString& caption, int width) {
    auto* bar = new TdxButton(window);
    bar->setObjectName(QStringLiteral("ButtonBar"));
    bar->setGeometry(0, 0, width, TitleBarHeight);
    bar->SetCaption(caption);
    bar->setFont(Font(16, true));
    bar->SetFontColor(Qt::white);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->SetShowFocusRect(false);
    bar->SetShowAccelChar(false);
    ApplyTitleBarSet(bar->Colors(), DesignPalette);
    return bar;
}

void ApplyActionButtonSet(TdxColors& colors, const SkinPalette& palette) {
    colors.SetBackgroundFrom(palette.dark);
    colors.SetBackgroundTo(palette.accent);
    colors.SetClickedTo(palette.dark);
    colors.SetFocusedTo(palette.accent);
    colors.SetHighlightTo(palette.dark);
}

void ApplyActionButtonDesign(TdxColors& colors) {
    ApplyActionButtonSet(colors, DesignPalette);
    colors.SetClickedFrom(Qt::white);
    colors.SetFocusedFrom(Qt::white);
    colors.SetHighlightFrom(Qt::white);
    colors.SetBorderEdges(SkyBlue);
    colors.SetBorderLine(Qt::black);
    colors.SetHotTrack(Qt::black);
}

namespace {
void tabButton(TdxButton& button, const QColor& outline, const SkinPalette& palette) {
    TdxColors& colors = button.Colors();
    colors.SetBackgroundFrom(palette.accent);
    colors.SetBorderLine(outline);
    colors.SetClickedFrom(palette.dark);
    colors.SetFocusedFrom(palette.accent);
    colors.SetHighlightFrom(palette.dark);
    colors.SetBackgroundTo(Qt::white);
    colors.SetClickedTo(Qt::white);
    colors.SetFocusedTo(Qt::white);
    colors.SetHighlightTo(Qt::white);
    colors.SetBorderEdges(SkyBlue);
    colors.SetHotTrack(Qt::black);
    button.SetFontColor(palette.dark);
}
} // namespace

void ApplyTabButtonSet(TdxButton& button, const SkinPalette& palette) {
    tabButton(button, palette.dark, palette);
}

void ApplyTabButtonDesign(TdxButton& button) {
    tabButton(button, Teal, DesignPalette);
}

void SetWindowBackground(QWidget* window, const QColor& colour) {
    QPalette p = window->palette();
    p.setColor(QPalette::Window, colour);
    window->setPalette(p);
    window->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    p.setColor(QPalette::Text, colour);
    widget->setPalette(p);
}

} // namespace Skin
