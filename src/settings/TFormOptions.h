// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/SkinnedWindow.h"
#include "settings/OptionsPages.h"

class SettingsStore;
class TdxButton;

// The options dialog: every setting but Properties as a control on one of five pages, live.
// A control shows its setting's value whenever the store's value changes (a load, the reset)
// and hands the user's changes to the store at once, which applies them everywhere. One
// borderless window for the whole run, hidden until asked for.
class TFormOptions : public SkinnedWindow {
    Q_OBJECT
public:
    static constexpr QSize ClientSize{394, 278};
    static constexpr QPoint FirstPlace{323, 194};

    // `parent`, the main window, only owns the dialog: it stays a window of its own, kept
    // above its owner and without a task-bar entry of its own, and takes the owner's
    // background.
    TFormOptions(SettingsStore& settings, const Look& look, QWidget* parent = nullptr);
    ~TFormOptions() override;

    // Shows the dialog, or brings the one already shown to the front.
    void ShowOptions();

    // Hides the dialog, then asks for the settings to be saved.
    void ButtonOKClick();
    // Asks whether to reset; only Yes brings back every default (the file stays as it is).
    void ButtonDefaultClick();

    // The controls, made on first use.
    TdxButton* ButtonOK() { return Made(m_buttonOK); }
    TdxButton* ButtonDefault() { return Made(m_buttonDefault); }
    const OptionsPages& Pages() { return Made(m_pages); }

signals:
    // OK: the settings as they stand now go to the file.
    void saveRequested();
    // The volume window's look changed while the dialog is shown: show it with the new look.
    void volumePreviewWanted();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build() override;
    void bind(Setting setting);
    void applyPaletteToControls() override;
    void followSetting(Setting setting);
    void showSetting(Setting setting);

    SettingsStore& m_settings;
    TdxButton* m_buttonOK = nullptr;
    TdxButton* m_buttonDefault = nullptr;
    OptionsPages m_pages;
    // Set while a control is being set to the store's value, so that its change signal is
    // not taken for the user's.
    bool m_showing = false;
};
