// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Skin.h"
#include "controls/TLinkLabel.h"

#include <QWidget>
#include <memory>
#include <optional>

class QLabel;
class TdxButton;
class WindowDrag;

// The About box: the program's name and version, its developers' credit and their mail and
// web links. One borderless window for the whole run, hidden until asked for, shown modeless
// and hidden again by its OK button. Its controls are made on first use (first show at the
// latest), so that a box nobody opens costs no native window and no gradient bitmaps.
class TFormAbout : public QWidget {
    Q_OBJECT
public:
    // `open` takes the links the box's link labels open. `parent`, the main window, only
    // owns the box: it stays a top-level window of its own, and takes the main window's
    // background.
    explicit TFormAbout(TLinkLabel::OpenLink open, QWidget* parent = nullptr);
    ~TFormAbout() override;

    // Background := the main window's current background, then the rounded-top outline.
    void FormCreate(const QColor& background);

    // Shows the box, or brings the one already shown to the front.
    void ShowAbout();

    // Recolours the title bar, the OK button, the strips and the background.
    void ApplyPalette(const SkinPalette& palette);
    // The gradient quality of the title bar and the OK button, kept until they are made.
    void ApplyQuality(int quality);

    // The controls, made on first use.
    TdxButton* ButtonBar();
    TdxButton* ButtonOK();
    TLinkLabel* LinkLabel1();
    TLinkLabel* LinkLabel2();
    QLabel* LabelApp();
    QLabel* LabelVersion();
    QLabel* Image1();
    QLabel* LabelLeft();
    QLabel* LabelRight();
    QLabel* LabelBottom();

    static constexpr int ClientWidth = 300;
    static constexpr int ClientHeight = 200;
    static constexpr QPoint FirstPlace{482, 314};

    void setVisible(bool visible) override;

private:
    struct Controls;
    // Makes the controls if they are not there yet.
    Controls& controls();
    void build();
    void applyPaletteToControls();
    void ButtonOKClick();

    TLinkLabel::OpenLink m_open;
    SkinPalette m_palette = Skin::DesignPalette;
    std::optional<int> m_quality;
    WindowDrag* const m_drag;
    std::unique_ptr<Controls> m_controls;
};
