#include "TFormVolume.h"

#include "BorderStrips.h"
#include "SettingsStore.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kNavy(0x00, 0x00, 0x80);

long double Percent(int value) {
    return value >= 0 ? value / 65535.0L * 100 : 0;
}

QProgressBar* Bar(QWidget* parent, const QString& name, int top) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(16, top, 400, 8);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}
} // namespace

TFormVolume::TFormVolume(const SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      Timer1(new QTimer(this)), m_settings(settings) {
    setObjectName(QStringLiteral("TFormVolume"));
    // An on-screen display: it must not take the keyboard from the window in use.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(464, 64);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFormVolume::Timer1Timer);
    connect(&m_settings, &SettingsStore::changed, this, [this](Setting s) {
        // A list without a selection has no time to give: the last one stays.
        if (s == Setting::VisibleTime) {
            if (const int ms = VisibleTimeMs(m_settings.value(s)); ms >= 0)
                Timer1->setInterval(ms);
        }
    });
}

TFormVolume::Controls& TFormVolume::controls() {
    if (m_controls.ButtonBar)
        return m_controls;
    Controls& c = m_controls;
    const BorderStrips strips = BorderStrips::Add(this, 26, kNavy);
    c.LabelLeft = strips.LabelLeft;
    c.LabelRight = strips.LabelRight;
    c.LabelBottom = strips.LabelBottom;
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kSkyBlue);
    setPalette(p);

    c.ButtonBar = new QPushButton(QStringLiteral("Volume"), this);
    c.ButtonBar->setObjectName(QStringLiteral("ButtonBar"));
    c.ButtonBar->setGeometry(0, 0, 464, 26);
    c.ButtonBar->setFocusPolicy(Qt::NoFocus);
    QFont barFont = c.ButtonBar->font();
    barFont.setBold(true);
    barFont.setPixelSize(16);
    c.ButtonBar->setFont(barFont);

    c.ProgressBar1 = Bar(this, QStringLiteral("ProgressBar1"), 36);
    c.ProgressBar2 = Bar(this, QStringLiteral("ProgressBar2"), 44);

    c.LabelMute = new QLabel(QStringLiteral("Mute"), this);
    c.LabelMute->setObjectName(QStringLiteral("LabelMute"));
    c.LabelMute->move(426, 28);
    QFont muteFont = c.LabelMute->font();
    muteFont.setBold(true);
    c.LabelMute->setFont(muteFont);
    QPalette mp = c.LabelMute->palette();
    mp.setColor(QPalette::WindowText, Qt::blue);
    c.LabelMute->setPalette(mp);

    c.CheckBox1 = new QCheckBox(this);
    c.CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    c.CheckBox1->setGeometry(434, 42, 14, 14);
    c.CheckBox1->setFocusPolicy(Qt::NoFocus);
    return c;
}

void TFormVolume::setVisible(bool visible) {
    if (visible)
        controls();
    QWidget::setVisible(visible);
}

QPushButton* TFormVolume::ButtonBar() {
    return controls().ButtonBar;
}
QProgressBar* TFormVolume::ProgressBar1() {
    return controls().ProgressBar1;
}
QProgressBar* TFormVolume::ProgressBar2() {
    return controls().ProgressBar2;
}
QLabel* TFormVolume::LabelMute() {
    return controls().LabelMute;
}
QCheckBox* TFormVolume::CheckBox1() {
    return controls().CheckBox1;
}
QLabel* TFormVolume::LabelLeft() {
    return controls().LabelLeft;
}
QLabel* TFormVolume::LabelRight() {
    return controls().LabelRight;
}
QLabel* TFormVolume::LabelBottom() {
    return controls().LabelBottom;
}

QString TFormVolume::PercentText(long double percent) {
    return QLocale().toString(double(percent), 'g', 3);
}

void TFormVolume::ShowVolumeLevel(int left, int right, int mute) {
    if (!m_settings.isOn(Setting::VolumeShow))
        return;
    const long double leftPercent = Percent(left);
    const long double rightPercent = Percent(right);
    ProgressBar1()->setValue(int(leftPercent));
    ButtonBar()->setText(PercentText(leftPercent) + QStringLiteral("  Volume  ") +
                         PercentText(rightPercent));
    ProgressBar2()->setValue(int(rightPercent));
    // As the mixer reports it, a bar is enabled while the mute value is non-zero.
    const bool muted = mute != 0;
    ProgressBar1()->setEnabled(muted);
    ProgressBar2()->setEnabled(muted);
    CheckBox1()->setChecked(muted);

    Reveal();
}

void TFormVolume::ShowNoDevice() {
    if (!m_settings.isOn(Setting::VolumeShow))
        return;
    // No line, so no level and no mute state: nothing that could be mistaken for one.
    ButtonBar()->setText(QStringLiteral("No sound device"));
    for (QProgressBar* bar : {ProgressBar1(), ProgressBar2()}) {
        bar->setValue(0);
        bar->setEnabled(false);
    }
    CheckBox1()->setChecked(false);
    Reveal();
}

void TFormVolume::Reveal() {
    // The full visible time counts from this update.
    Timer1->stop();
    Timer1->start();

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
}

void TFormVolume::Timer1Timer() {
    Timer1->stop();
    hide();
}
