// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/SkinnedWindow.h"
#include "controls/TLinkLabel.h"

class QLabel;
class TdxButton;

// The About box: the program's name and version, its developers' credit and their mail and
// web links. One borderless window for the whole run, hidden until asked for, shown modeless
// and hidden again by its OK button.
class TFormAbout : public SkinnedWindow {
    Q_OBJECT
public:
    // `open` takes the links the box's link labels open. `parent`, the main window, only
    // owns the box: it stays a top-level window of its own, and takes the main window's
    // background.
    TFormAbout(TLinkLabel::OpenLink open, const Look& look, QWidget* parent = nullptr);
    ~TFormAbout() override;

    // Shows the box, or brings the one already shown to the front.
    void ShowAbout();

    // The controls, made on first use.
    TdxButton* ButtonOK() { return Made(m_buttonOK); }
    TLinkLabel* LinkLabel1() { return Made(m_linkLabel1); }
    TLinkLabel* LinkLabel2() { return Made(m_linkLabel2); }
    QLabel* LabelApp() { return Made(m_labelApp); }
    QLabel* LabelVersion() { return Made(m_labelVersion); }
    QLabel* Image1() { return Made(m_image1); }

    static constexpr QSize ClientSize{300, 200};
    static constexpr QPoint FirstPlace{482, 314};

private:
    void build() override;
    void applyPaletteToControls() override;
    void ButtonOKClick();

    TLinkLabel::OpenLink m_open;
    TdxButton* m_buttonOK = nullptr;
    TLinkLabel* m_linkLabel1 = nullptr;
    TLinkLabel* m_linkLabel2 = nullptr;
    QLabel* m_labelApp = nullptr;
    QLabel* m_labelVersion = nullptr;
    QLabel* m_image1 = nullptr;
};
