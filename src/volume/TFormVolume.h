// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/SkinnedWindow.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QTimer;
class SettingsStore;
class TdxButton;
enum class Setting : int;

// The small window shown after every volume function: both channels as bars and as
// percentages in the title, the mute state, hidden again after the visible time.
class TFormVolume : public SkinnedWindow {
    Q_OBJECT
public:
    static constexpr QSize ClientSize{464, 64};

    // Shows itself only while "Show Volume Level Window" is on, for the visible time the
    // settings give; its transparency follows the settings too.
    TFormVolume(const SettingsStore& settings, const Look& look, QWidget* parent = nullptr);
    ~TFormVolume() override;

    // Volumes 0..65535 or -1, mute 1, 0 or -1, as the volume functions wrote them.
    void ShowVolumeLevel(int left, int right, int mute);
    // Instead of a level when there is no sound device at all: says so, with empty bars.
    void ShowNoDevice();
    // The options dialog's preview of a changed look: the window as it stands, shown for the
    // full visible time even while "Show Volume Level Window" is off.
    void ShowPreview();

    // A percentage as the title shows it: 3 significant digits, the user's decimal mark.
    static QString PercentText(long double percent);

    // The controls, made at first use: a start that never changes the volume makes none
    // (and loads no fonts nor draws gradients on its way to the hotkeys).
    QProgressBar* ProgressBar1() { return Made(m_progressBar1); }
    QProgressBar* ProgressBar2() { return Made(m_progressBar2); }
    QLabel* LabelMute() { return Made(m_labelMute); }
    QCheckBox* CheckBox1() { return Made(m_checkBox1); }
    QTimer* const Timer1;

    void setVisible(bool visible) override;

private:
    void build() override;
    void applyPaletteToControls() override;
    void followSetting(Setting setting);

    // Restarts the hide timer and shows the window if it is hidden.
    void Reveal();
    void Timer1Timer();

    const SettingsStore& m_settings;
    QProgressBar* m_progressBar1 = nullptr;
    QProgressBar* m_progressBar2 = nullptr;
    QLabel* m_labelMute = nullptr;
    QCheckBox* m_checkBox1 = nullptr;
    bool m_placed = false;
};
