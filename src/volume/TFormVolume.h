#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The small window shown after every volume function: both channels as bars and as
// percentages in the title, the mute state, hidden again after the visible time.
class TFormVolume : public QWidget {
    Q_OBJECT
public:
    explicit TFormVolume(QWidget* parent = nullptr);

    // Volumes 0..65535 or -1, mute 1, 0 or -1, as the volume functions wrote them.
    void ShowVolumeLevel(int left, int right, int mute);
    // Instead of a level when there is no sound device at all: says so, with empty bars.
    void ShowNoDevice();

    // A percentage as the title shows it: 3 significant digits, the user's decimal mark.
    static QString PercentText(long double percent);

    // "Show Volume Level Window" of the options; unset counts as ticked.
    std::function<bool()> ShowVolumeLevelChecked;

    QPushButton* const ButtonBar;
    QProgressBar* const ProgressBar1;
    QProgressBar* const ProgressBar2;
    QLabel* const LabelMute;
    QCheckBox* const CheckBox1;
    QLabel* const LabelLeft;
    QLabel* const LabelRight;
    QLabel* const LabelBottom;
    QTimer* const Timer1;

private:
    // Restarts the hide timer and shows the window if it is hidden.
    void Reveal();
    void Timer1Timer();

    bool m_placed = false;
};
