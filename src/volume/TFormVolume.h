#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class SettingsStore;

// The small window shown after every volume function: both channels as bars and as
// percentages in the title, the mute state, hidden again after the visible time.
class TFormVolume : public QWidget {
    Q_OBJECT
public:
    // Shows itself only while "Show Volume Level Window" is on, for the visible time the
    // settings give.
    explicit TFormVolume(const SettingsStore& settings, QWidget* parent = nullptr);

    // Volumes 0..65535 or -1, mute 1, 0 or -1, as the volume functions wrote them.
    void ShowVolumeLevel(int left, int right, int mute);
    // Instead of a level when there is no sound device at all: says so, with empty bars.
    void ShowNoDevice();

    // A percentage as the title shows it: 3 significant digits, the user's decimal mark.
    static QString PercentText(long double percent);

    // The controls, made at first use: a start that never changes the volume makes none
    // (and does not wake the accessibility bus on its way to the hotkeys).
    QPushButton* ButtonBar();
    QProgressBar* ProgressBar1();
    QProgressBar* ProgressBar2();
    QLabel* LabelMute();
    QCheckBox* CheckBox1();
    QLabel* LabelLeft();
    QLabel* LabelRight();
    QLabel* LabelBottom();
    QTimer* const Timer1;

    void setVisible(bool visible) override;

private:
    struct Controls {
        QPushButton* ButtonBar = nullptr;
        QProgressBar* ProgressBar1 = nullptr;
        QProgressBar* ProgressBar2 = nullptr;
        QLabel* LabelMute = nullptr;
        QCheckBox* CheckBox1 = nullptr;
        QLabel* LabelLeft = nullptr;
        QLabel* LabelRight = nullptr;
        QLabel* LabelBottom = nullptr;
    };
    Controls& controls();

    // Restarts the hide timer and shows the window if it is hidden.
    void Reveal();
    void Timer1Timer();

    const SettingsStore& m_settings;
    Controls m_controls;
    bool m_placed = false;
};
