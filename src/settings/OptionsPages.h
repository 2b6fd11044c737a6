// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSlider;
class QTabWidget;
class QWidget;
enum class Setting : int;

// The options dialog's page control and everything on its five pages, as laid out. Every
// setting but Properties (the main window's) has exactly one control here that holds it.
struct OptionsPages {
    QTabWidget* PageControl1 = nullptr;
    // "Main Window", "Volume Window", "Hotkeys List", "Tray Icon", "General".
    std::array<QWidget*, 5> Pages{};

    // Main Window
    QCheckBox* CheckBox_EasyMove = nullptr;
    QCheckBox* CheckBoxMinimizeToTray = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBoxMainTransparent = nullptr;
    QLabel* Label7 = nullptr;
    QSlider* TrackBarMainAlpha = nullptr;
    QLabel* Label1 = nullptr;

    // Volume Window
    QCheckBox* CheckBoxVolumeShow = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* ComboBoxVolumeStep = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboBoxVisibleTime = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBoxVolumeTransparent = nullptr;
    QLabel* Label2 = nullptr;
    QSlider* TrackBarVolumeAlpha = nullptr;
    QLabel* Label8 = nullptr;

    // Hotkeys List
    QCheckBox* CheckBoxCheckBoxes = nullptr;
    QCheckBox* CheckBoxGridLines = nullptr;

    // Tray Icon
    QCheckBox* CheckBoxTrayVisible = nullptr;
    QCheckBox* CheckBoxTrayAnimate = nullptr;

    // General
    QCheckBox* CheckBoxLogo = nullptr;
    QCheckBox* CheckBoxAutorun = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* ComboBoxColorScheme = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* ComboBoxQuality = nullptr;

    static constexpr int GeneralPage = 4;

    // Lays the page control out on `dialog`, "General" in front. The controls show the
    // settings' defaults until they are bound.
    static OptionsPages Build(QWidget* dialog);

    // The control that holds `setting`; nullptr for Properties.
    QWidget* Holder(Setting setting) const;

    // The text under an opacity slider: "Disabled" for opaque (10), else the percentage.
    static QString AlphaCaption(int position);
};
