// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Skin.h"

#include <QWidget>
#include <memory>
#include <optional>

class QLabel;
class TdxButton;

// The splash window: the product name under a "Loading ..." title bar while Orvane starts.
// One borderless window for the whole run, on top of the others, taking no focus and no
// place in the task bar. Shown at most once, hidden by a click or when the splash time is
// over; its controls are made at the first show, so a start without it makes none.
class TFormLogo : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 392;
    static constexpr int ClientHeight = 99;
    static constexpr QSize Label1Size{342, 37};
    static constexpr QSize Label2Size{339, 37};
    // The design colour of the name, before any colour scheme.
    inline static const QColor Yellow{255, 255, 0};

    // background: the main window's colour.
    explicit TFormLogo(const QColor& background = Skin::WindowBackground,
                       QWidget* parent = nullptr);
    ~TFormLogo() override;

    // Background := the main window's current colour, then the rounded-top outline.
    void FormCreate(const QColor& background);

    // Shows the window centred on the screen, unless its time is already over.
    void ShowLogo();
    // The splash time is over: hidden, and never shown again.
    void EndLogo();
    bool ended() const { return m_ended; }
    // A click on the window, the name or the title bar.
    void FormClick();

    // Remembered, and given to the controls when they are made.
    void ApplyPalette(const SkinPalette& palette);
    void ApplyQuality(int quality);

    // Where Label1 sits: centred in the client area, which includes the title bar, then
    // moved 5 pixels right and down. Label2, its shadow, sits 4 right and 2 down of it.
    static QPoint Label1Place(QSize client, QSize label);
    static constexpr QPoint ShadowOffset{4, 2};

    // The controls, made on first use.
    TdxButton* ButtonBar();
    QLabel* Label1();
    QLabel* Label2();
    QLabel* LabelLeft();
    QLabel* LabelRight();
    QLabel* LabelBottom();

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Controls;
    Controls& controls();
    void build();
    void applyPaletteToControls();

    std::unique_ptr<Controls> m_controls;
    // Unset until a scheme comes: the design look.
    std::optional<SkinPalette> m_palette;
    std::optional<int> m_quality;
    bool m_placed = false;
    bool m_ended = false;
};
