// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Skin.h"
#include "settings/OptionsPages.h"

#include <QWidget>
#include <memory>

class SettingsStore;
class TdxButton;
class WindowDrag;

// The options dialog: every setting but Properties as a control on one of five pages, live.
// A control shows its setting's value whenever the store's value changes (a load, the reset)
// and hands the user's changes to the store at once, which applies them everywhere. One
// borderless window for the whole run, hidden until asked for; its controls are made at the
// first show, so that a start in the tray costs nothing for it.
class TFormOptions : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 394;
    static constexpr int ClientHeight = 278;
    static constexpr QPoint FirstPlace{323, 194};

    // `parent`, the main window, only owns the dialog: it stays a window of its own, kept
    // above its owner and without a task-bar entry of its own, and takes the owner's
    // background.
    explicit TFormOptions(SettingsStore& settings, QWidget* parent = nullptr);
    ~TFormOptions() override;

    // Background := the main window's current background, then the rounded-top outline.
    void FormCreate(const QColor& background);

    // Shows the dialog, or brings the one already shown to the front.
    void ShowOptions();

    // Recolours the title bar, the two buttons, the strips and the background.
    void ApplyPalette(const SkinPalette& palette);
    // The gradient quality of the title bar and the two buttons.
    void ApplyQuality(int quality);

    // Hides the dialog, then asks for the settings to be saved.
    void ButtonOKClick();
    // Asks whether to reset; only Yes brings back every default (the file stays as it is).
    void ButtonDefaultClick();

    // The controls, made on first use.
    TdxButton* ButtonBar();
    TdxButton* ButtonOK();
    TdxButton* ButtonDefault();
    const OptionsPages& Pages();
    QWidget* LabelLeft();
    QWidget* LabelRight();
    QWidget* LabelBottom();
    WindowDrag* Drag() const { return m_drag; }

    void setVisible(bool visible) override;

signals:
    // OK: the settings as they stand now go to the file.
    void saveRequested();
    // The volume window's look changed while the dialog is shown: show it with the new look.
    void volumePreviewWanted();

private:
    struct Controls;
    Controls& controls();
    void build();
    void bind(Setting setting);
    void applyPaletteToControls();
    void followSetting(Setting setting);
    void showSetting(Setting setting);

    SettingsStore& m_settings;
    WindowDrag* const m_drag;
    std::unique_ptr<Controls> m_controls;
    SkinPalette m_palette = Skin::DesignPalette;
    int m_quality = 1;
    // Set while a control is being set to the store's value, so that its change signal is
    // not taken for the user's.
    bool m_showing = false;
};
