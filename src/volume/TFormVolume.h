// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Skin.h"

#include <QWidget>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QTimer;
class SettingsStore;
class TdxButton;
class WindowDrag;
class WindowTransparency;
enum class Setting : int;

// The small window shown after every volume function: both channels as bars and as
// percentages in the title, the mute state, hidden again after the visible time.
class TFormVolume : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 464;
    static constexpr int ClientHeight = 64;
    static constexpr int TitleHeight = Skin::TitleBarHeight;

    // Shows itself only while "Show Volume Level Window" is on, for the visible time the
    // settings give; its transparency follows the settings too.
    explicit TFormVolume(const SettingsStore& settings, QWidget* parent = nullptr);
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
    // The colours of a scheme and the gradient quality, kept for controls not made yet.
    void ApplyPalette(const SkinPalette& palette);
    void ApplyQuality(int quality);

    // The controls, made at first use: a start that never changes the volume makes none
    // (and loads no fonts nor draws gradients on its way to the hotkeys).
    TdxButton* ButtonBar();
    QProgressBar* ProgressBar1();
    QProgressBar* ProgressBar2();
    QLabel* LabelMute();
    QCheckBox* CheckBox1();
    QLabel* LabelLeft();
    QLabel* LabelRight();
    QLabel* LabelBottom();
    QTimer* const Timer1;
    WindowDrag* Drag() const { return m_drag; }

    void setVisible(bool visible) override;

private:
    struct Controls;
    Controls& controls();
    void build();
    void applyPaletteToControls();
    void followSetting(Setting setting);

    // Restarts the hide timer and shows the window if it is hidden.
    void Reveal();
    void Timer1Timer();

    const SettingsStore& m_settings;
    WindowDrag* const m_drag;
    WindowTransparency* m_transparency = nullptr;
    std::unique_ptr<Controls> m_controls;
    // None until a scheme is applied: the design look.
    std::optional<SkinPalette> m_palette;
    std::optional<int> m_quality;
    bool m_placed = false;
};
