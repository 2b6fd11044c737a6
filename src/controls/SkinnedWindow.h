// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Look.h"

#include <QWidget>
#include <array>

class QLabel;
class TdxButton;
class WindowDrag;
class WindowTransparency;

// A borderless window drawn in the program's skin: the rounded-top outline cut at creation, the
// gradient title bar and the border strips, optionally a drag and a see-through. It follows
// one look: the scheme's background at once, the colours and the gradient quality on its
// controls once they exist. Its controls are made at the first show (first use at the latest),
// so that a window nobody opens draws nothing, loads no fonts and has no native window.
class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    // What a window has besides its outline, strips and title bar.
    enum Feature { Draggable = 1, Transparent = 2 };

    ~SkinnedWindow() override;

    bool built() const { return m_built; }

    // Background := `background` (the scheme's once there is one), then the outline for the
    // window's size.
    void FormCreate(const QColor& background);

    // The thin strips along the left, right and bottom edges, below the title bar.
    static constexpr int StripWidth = 2;

    // The chrome, made with the window's other controls.
    TdxButton* ButtonBar();
    QLabel* LabelLeft();
    QLabel* LabelRight();
    QLabel* LabelBottom();
    // The window's drag, or nullptr where it has none.
    WindowDrag* Drag() const { return m_drag; }
    // The colour key and the opacity, or nullptr where the window has none.
    WindowTransparency* Transparency() const { return m_transparency; }

    void setVisible(bool visible) override;

protected:
    // The caption is both the window's title and its title bar's; `size` is fixed. The window
    // takes `background` until the look gives a scheme.
    SkinnedWindow(const Look& look, const QString& caption, QSize size, int features,
                  const QColor& background, QWidget* parent, Qt::WindowFlags flags);

    // The background of the window that owns a dialog, or the design one without an owner.
    static QColor OwnersBackground(const QWidget* owner);

    // Makes the controls if they are not there yet.
    void EnsureBuilt();
    // One of the window's controls, made first if need be.
    template <class Member> const Member& Made(const Member& member) {
        EnsureBuilt();
        return member;
    }
    // Shows the window, or brings the one already shown to the front.
    void BringToFront();
    // Makes the window's controls, once; calls AddChrome where the title bar belongs.
    virtual void build() = 0;
    // The title bar, as wide as the window (a drag area where the window drags), and the strips.
    TdxButton* AddChrome();
    // Recolours the window's own controls by SkinColours(); the chrome and the background
    // are done here. Called when they are made and at each change of the scheme.
    virtual void applyPaletteToControls() {}

    bool event(QEvent* event) override;

    // The scheme's colours, or the design ones before any scheme.
    SkinPalette SkinColours() const;
    bool Schemed() const { return m_look.Palette().has_value(); }

private:
    void follow(Look::Aspect aspect);
    void applyPalette();
    void placeStrips();

    const Look& m_look;
    const QString m_caption;
    WindowDrag* m_drag = nullptr;
    WindowTransparency* m_transparency = nullptr;
    TdxButton* m_bar = nullptr;
    // Left, right, bottom.
    std::array<QLabel*, 3> m_strips{};
    bool m_built = false;
};
