// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Skin.h"

#include "controls/TdxButton.h"
#include "controls/TdxButtonAccessible.h"

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

namespace {

// Where a gradient end of a colour set comes from; Keep leaves the button's own colour.
enum class From { Keep, Dark, Accent, White };
// A set's gradient ends: background, clicked, focused and highlight, each from and to.
using GradientEnds = std::array<From, 8>;
using Setter = void (TdxColors::*)(const QColor&);
constexpr std::array<Setter, 8> EndSetters = {
    &TdxColors::SetBackgroundFrom, &TdxColors::SetBackgroundTo, &TdxColors::SetClickedFrom,
    &TdxColors::SetClickedTo,      &TdxColors::SetFocusedFrom,  &TdxColors::SetFocusedTo,
    &TdxColors::SetHighlightFrom,  &TdxColors::SetHighlightTo};

constexpr GradientEnds TitleBarEnds = {From::Dark, From::Accent, From::Dark, From::Accent,
                                       From::Dark, From::Accent, From::Dark, From::Accent};
constexpr GradientEnds ActionEnds = {From::Dark, From::Accent, From::Keep, From::Dark,
                                     From::Keep, From::Accent, From::Keep, From::Dark};
constexpr GradientEnds ActionDesignEnds = {From::Dark,  From::Accent, From::White, From::Dark,
                                           From::White, From::Accent, From::White, From::Dark};
constexpr GradientEnds OkEnds = {From::Dark, From::Accent, From::Dark, From::Accent,
                                 From::Keep, From::Accent, From::Dark, From::Accent};
constexpr GradientEnds TabEnds = {From::Accent, From::White, From::Dark, From::White,
                                  From::Accent, From::White, From::Dark, From::White};

void applyEnds(TdxColors& colors, const GradientEnds& ends, const SkinPalette& palette) {
    for (size_t i = 0; i < ends.size(); ++i) {
        switch (ends[i]) {
        case From::Keep: break;
        case From::Dark: (colors.*EndSetters[i])(palette.dark); break;
        case From::Accent: (colors.*EndSetters[i])(palette.accent); break;
        case From::White: (colors.*EndSetters[i])(Qt::white); break;
        }
    }
}

// The light corner strokes, the outline and a black hot caption.
void applyFrame(TdxColors& colors, const QColor& outline) {
    colors.SetBorderEdges(SkyBlue);
    colors.SetBorderLine(outline);
    colors.SetHotTrack(Qt::black);
}

void tabButton(TdxButton& button, const QColor& outline, const SkinPalette& palette) {
    applyEnds(button.Colors(), TabEnds, palette);
    applyFrame(button.Colors(), outline);
    button.SetFontColor(palette.dark);
}

} // namespace

void ApplyTitleBarSet(TdxColors& colors, const SkinPalette& palette) {
    applyEnds(colors, TitleBarEnds, palette);
    applyFrame(colors, Qt::black);
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
    TdxButtonAccessible::MarkTitleBar(*bar);
    ApplyTitleBarSet(bar->Colors(), DesignPalette);
    return bar;
}

void ApplyActionButtonSet(TdxColors& colors, const SkinPalette& palette) {
    applyEnds(colors, ActionEnds, palette);
}

void ApplyActionButtonDesign(TdxColors& colors) {
    applyEnds(colors, ActionDesignEnds, DesignPalette);
    applyFrame(colors, Qt::black);
}

void ApplyOkButtonSet(TdxColors& colors, const SkinPalette& palette) {
    applyEnds(colors, OkEnds, palette);
}

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
