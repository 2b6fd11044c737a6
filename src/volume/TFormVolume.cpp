// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/TFormVolume.h"

#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowTransparency.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace {

const QRect kBar1(16, 36, 400, 8);
const QRect kBar2(16, 44, 400, 8);
const QPoint kMuteLabelAt(426, 28);
const QRect kCheckBox(434, 42, 14, 14);

long double Percent(int value) {
    return value >= 0 ? value / 65535.0L * 100 : 0;
}

QProgressBar* Bar(QWidget* parent, const QString& name, const QRect& place) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(place);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

} // namespace

TFormVolume::TFormVolume(const SettingsStore& settings, const Look& look, QWidget* parent)
    // A tool window stays out of the task bar and the window switcher; an on-screen display
    // must not take the keyboard from the window the user is typing in.
    : SkinnedWindow(look, QStringLiteral("Volume"), ClientSize, Draggable | Transparent,
                    Skin::DesignPalette.windowBackground, parent,
                    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus),
      Timer1(new QTimer(this)), m_settings(settings) {
    setObjectName(QStringLiteral("TFormVolume"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    Drag()->AddArea(this);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    // A coarse timer may end up to 5 % early (4.75 s of 5): the visible time is kept exactly.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFormVolume::Timer1Timer);
    connect(&m_settings, &SettingsStore::changed, this, &TFormVolume::followSetting);
}

TFormVolume::~TFormVolume() = default;

void TFormVolume::followSetting(Setting setting) {
    switch (setting) {
    case Setting::VisibleTime:
        // A list without a selection has no time to give: the last one stays.
        if (const int ms = VisibleTimeMs(m_settings.value(setting)); ms >= 0)
            Timer1->setInterval(ms);
        break;
    case Setting::VolumeTransparent: Transparency()->SetColourKey(m_settings.isOn(setting)); break;
    case Setting::VolumeAlpha: Transparency()->SetAlpha(m_settings.value(setting)); break;
    default: break;
    }
}

void TFormVolume::applyPaletteToControls() {
    // Blue as laid out, until a colour scheme gives the dark colour.
    Skin::SetTextColour(m_labelMute, Schemed() ? SkinColours().dark : QColor(Qt::blue));
}

void TFormVolume::build() {
    setFont(Skin::Font(11));

    AddChrome();
    m_progressBar1 = Bar(this, QStringLiteral("ProgressBar1"), kBar1);
    m_progressBar1->setAccessibleName(QStringLiteral("Left channel"));
    m_progressBar2 = Bar(this, QStringLiteral("ProgressBar2"), kBar2);
    m_progressBar2->setAccessibleName(QStringLiteral("Right channel"));

    m_labelMute = new QLabel(QStringLiteral("Mute"), this);
    m_labelMute->setObjectName(QStringLiteral("LabelMute"));
    m_labelMute->setFont(Skin::Font(11, true));
    m_labelMute->adjustSize();
    m_labelMute->move(kMuteLabelAt);

    m_checkBox1 = new QCheckBox(this);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->setGeometry(kCheckBox);
    m_checkBox1->setFocusPolicy(Qt::NoFocus);
    // It shows the mute state; a click must not change what it shows.
    m_checkBox1->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Its caption is the label beside it.
    m_labelMute->setBuddy(m_checkBox1);
    m_checkBox1->setAccessibleName(m_labelMute->text());
}

void TFormVolume::setVisible(bool visible) {
    SkinnedWindow::setVisible(visible);
    // The hide timer only runs while there is something to hide.
    if (!visible)
        Timer1->stop();
}

QString TFormVolume::PercentText(long double percent) {
    return QLocale().toString(static_cast<double>(percent), 'g', 3);
}

void TFormVolume::ShowVolumeLevel(int left, int right, int mute) {
    if (!m_settings.isOn(Setting::VolumeShow))
        return;
    // Up before the new level: the bars tell screen readers of a level only while shown. The
    // visible time still counts from the end of this update.
    Reveal();
    const long double leftPercent = Percent(left);
    const long double rightPercent = Percent(right);
    ProgressBar1()->setValue(static_cast<int>(leftPercent));
    ButtonBar()->SetCaption(PercentText(leftPercent) + QStringLiteral("  Volume  ") +
                            PercentText(rightPercent));
    ProgressBar2()->setValue(static_cast<int>(rightPercent));
    // As the mixer reports it, a bar is enabled while the mute value is non-zero. A line
    // without a mute control (-1) cannot be muted: its box is neither ticked nor usable.
    const bool barsEnabled = mute != 0;
    ProgressBar1()->setEnabled(barsEnabled);
    ProgressBar2()->setEnabled(barsEnabled);
    CheckBox1()->setChecked(mute == 1);
    CheckBox1()->setEnabled(mute != -1);

    Reveal();
}

void TFormVolume::ShowNoDevice() {
    if (!m_settings.isOn(Setting::VolumeShow))
        return;
    // No line, so no level and no mute state: nothing that could be mistaken for one.
    ButtonBar()->SetCaption(QStringLiteral("No sound device"));
    for (QProgressBar* bar : {ProgressBar1(), ProgressBar2()}) {
        bar->setValue(0);
        bar->setEnabled(false);
    }
    CheckBox1()->setChecked(false);
    CheckBox1()->setEnabled(false);
    Reveal();
}

void TFormVolume::ShowPreview() {
    Reveal();
}

void TFormVolume::Reveal() {
    if (!isVisible()) {
        if (!(windowFlags() & Qt::WindowStaysOnTopHint))
            setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (!m_placed) {
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->geometry().center() - rect().center());
            m_placed = true;
        }
        show();
    }
    // The full visible time counts from this update.
    Timer1->stop();
    Timer1->start();
}

void TFormVolume::Timer1Timer() {
    Timer1->stop();
    hide();
}
