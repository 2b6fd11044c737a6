// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormOptions.h"

#include "controls/MessageBox.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr int kButtonWidth = 105;
constexpr int kButtonTop = 246;

// The dialog's push buttons as laid out: white where the pressed and hot gradients start, a
// black outline; the focused frame, the corner strokes and the hot caption keep the button's
// own colours.
TdxButton* actionButton(QWidget* dialog, const char* name, const QString& caption, int left) {
    auto* button = new TdxButton(dialog);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, kButtonTop, kButtonWidth, button->height());
    button->SetCaption(caption);
    button->setFont(Skin::Font(11, true));
    button->SetFontColor(Qt::white);
    TdxColors& colors = button->Colors();
    colors.SetClickedFrom(Qt::white);
    colors.SetHighlightFrom(Qt::white);
    colors.SetBorderLine(Qt::black);
    return button;
}

} // namespace

TFormOptions::TFormOptions(SettingsStore& settings, const Look& look, QWidget* parent)
    // A dialog owned by the main window: the window manager keeps it with its owner, so it
    // gets no task-bar entry of its own, yet it takes the keyboard like any dialog (a tool
    // window is for palettes that leave the focus where it is).
    : SkinnedWindow(look, QStringLiteral("Options"), ClientSize, Draggable,
                    OwnersBackground(parent), parent,
                    Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings) {
    setObjectName(QStringLiteral("TFormOptions"));
    // Placed here once; after that the dialog stays wherever it was left.
    move(FirstPlace);
    Drag()->AddArea(this);
    connect(&m_settings, &SettingsStore::changed, this, &TFormOptions::followSetting);
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::ShowOptions() {
    BringToFront();
}

void TFormOptions::applyPaletteToControls() {
    Skin::ApplyActionButtonSet(m_buttonOK->Colors(), SkinColours());
    Skin::ApplyActionButtonSet(m_buttonDefault->Colors(), SkinColours());
}

void TFormOptions::build() {
    setFont(Skin::Font(11));

    AddChrome();
    m_pages = OptionsPages::Build(this);

    // Every free surface drags the dialog, whatever Easy Window Move says.
    Drag()->AddArea(m_pages.PageControl1);
    Drag()->AddArea(m_pages.PageControl1->tabBar());
    for (QWidget* page : m_pages.Pages)
        Drag()->AddArea(page);

    m_buttonDefault = actionButton(this, "ButtonDefault", QStringLiteral("Default"), 8);
    m_buttonOK = actionButton(this, "ButtonOK", QStringLiteral("OK"), 280);
    m_buttonOK->SetGlyph(QImage(QStringLiteral(":/images/ok.png")));
    connect(m_buttonDefault, &TdxButton::OnClick, this, &TFormOptions::ButtonDefaultClick);
    connect(m_buttonOK, &TdxButton::OnClick, this, &TFormOptions::ButtonOKClick);

    for (const SettingDef& def : SettingsTable()) {
        showSetting(def.setting);
        bind(def.setting);
    }
}

void TFormOptions::bind(Setting setting) {
    QWidget* holder = m_pages.Holder(setting);
    const auto write = [this, setting](int value) {
        if (!m_showing)
            m_settings.setValue(setting, value);
    };
    if (auto* box = qobject_cast<QCheckBox*>(holder))
        connect(box, &QCheckBox::toggled, this, [write](bool on) { write(on ? 1 : 0); });
    else if (auto* slider = qobject_cast<QSlider*>(holder))
        connect(slider, &QSlider::valueChanged, this, write);
    else if (auto* list = qobject_cast<QComboBox*>(holder))
        connect(list, &QComboBox::currentIndexChanged, this, write);
}

void TFormOptions::showSetting(Setting setting) {
    const OptionsPages& p = m_pages;
    QWidget* holder = p.Holder(setting);
    if (!holder)
        return;
    const int value = m_settings.value(setting);
    const QScopedValueRollback showing(m_showing, true);
    if (auto* box = qobject_cast<QCheckBox*>(holder))
        box->setChecked(value != 0);
    else if (auto* slider = qobject_cast<QSlider*>(holder))
        slider->setValue(value);
    else if (auto* list = qobject_cast<QComboBox*>(holder))
        list->setCurrentIndex(value);
    if (setting == Setting::MainAlpha)
        p.Label1->setText(OptionsPages::AlphaCaption(value));
    else if (setting == Setting::VolumeAlpha)
        p.Label8->setText(OptionsPages::AlphaCaption(value));
}

void TFormOptions::followSetting(Setting setting) {
    if (built())
        showSetting(setting);
    // Only while the user is looking at the dialog: a load at start-up shows nothing.
    const bool volumeLook =
        setting == Setting::VolumeTransparent || setting == Setting::VolumeAlpha;
    if (volumeLook && isVisible())
        emit volumePreviewWanted();
}

void TFormOptions::ButtonOKClick() {
    hide();
    emit saveRequested();
}

void TFormOptions::keyPressEvent(QKeyEvent* event) {
    // There is no Cancel: Esc closes the dialog as its window's close does. The changes stay
    // in force as they were made, and go to the file at exit; only OK saves them now.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    SkinnedWindow::keyPressEvent(event);
}

void TFormOptions::ButtonDefaultClick() {
    if (AskYesNoCancel(this, QStringLiteral("Reset all settings to default?"),
                       QStringLiteral("Default ?")) == MessageAnswer::Yes)
        m_settings.LoadDefaults();
}
