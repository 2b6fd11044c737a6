// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/SkinnedWindow.h"

#include <utility>
#include <vector>

class QLabel;

// The splash window: the product name under a "Loading ..." title bar while Orvane starts.
// One borderless window for the whole run, on top of the others, taking no focus and no
// place in the task bar. Shown at most once, hidden by a click or when the splash time is
// over.
class TFormLogo : public SkinnedWindow {
    Q_OBJECT
public:
    static constexpr QSize ClientSize{392, 99};
    static constexpr QSize Label1Size{342, 37};
    static constexpr QSize Label2Size{339, 37};
    // The design colour of the name, before any colour scheme.
    inline static const QColor Yellow{255, 255, 0};

    // background: the main window's colour.
    explicit TFormLogo(const Look& look, const QColor& background = Skin::WindowBackground,
                       QWidget* parent = nullptr);
    ~TFormLogo() override;

    // Shows the window centred on the screen, unless its time is already over.
    void ShowLogo();
    // The splash time is over: hidden, and never shown again.
    void EndLogo();
    bool ended() const { return m_ended; }
    // A click on the window, the name or the title bar.
    void FormClick();

    // The texts the window shows, in their fonts: the name, then the title bar's caption.
    // The program keeps them as outlines (scripts/render-lettering.sh).
    static std::vector<std::pair<QString, QFont>> LetteredTexts();

    // Where Label1 sits: centred in the client area, which includes the title bar, then
    // moved 5 pixels right and down. Label2, its shadow, sits 4 right and 2 down of it.
    static QPoint Label1Place(QSize client, QSize label);
    static constexpr QPoint ShadowOffset{4, 2};

    // The controls, made on first use.
    QLabel* Label1() { return Made(m_label1); }
    QLabel* Label2() { return Made(m_label2); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void build() override;
    void applyPaletteToControls() override;

    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    bool m_placed = false;
    bool m_ended = false;
};
