// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormOptions.h"

#include "controls/BorderStrips.h"
#include "controls/MessageBox.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowShape.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
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

struct TFormOptions::Controls {
    TdxButton* ButtonBar = nullptr;
    BorderStrips Strips;
    OptionsPages Pages;
    TdxButton* ButtonDefault = nullptr;
    TdxButton* ButtonOK = nullptr;
};

TFormOptions::TFormOptions(SettingsStore& settings, QWidget* parent)
    // A dialog owned by the main window: the window manager keeps it with its owner, so it
    // gets no task-bar entry of its own, yet it takes the keyboard like any dialog (a tool
    // window is for palettes that leave the focus where it is).
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings), m_drag(new WindowDrag(this)) {
    setObjectName(QStringLiteral("TFormOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(ClientWidth, ClientHeight);
    // Placed here once; after that the dialog stays wherever it was left.
    move(FirstPlace);
    m_drag->AddArea(this);
    FormCreate(parent ? parent->palette().color(QPalette::Window) : Skin::WindowBackground);
    connect(&m_settings, &SettingsStore::changed, this, &TFormOptions::followSetting);
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::FormCreate(const QColor& background) {
    Skin::SetWindowBackground(this, background);
    ApplyWindowShape(this);
}

void TFormOptions::ShowOptions() {
    show();
    raise();
    activateWindow();
}

void TFormOptions::setVisible(bool visible) {
    // Made before the window itself, so that they are shown with it.
    if (visible)
        controls();
    QWidget::setVisible(visible);
}

void TFormOptions::ApplyPalette(const SkinPalette& palette) {
    m_palette = palette;
    Skin::SetWindowBackground(this, palette.windowBackground);
    if (m_controls)
        applyPaletteToControls();
}

void TFormOptions::applyPaletteToControls() {
    Skin::ApplyTitleBarSet(m_controls->ButtonBar->Colors(), m_palette);
    Skin::ApplyActionButtonSet(m_controls->ButtonOK->Colors(), m_palette);
    Skin::ApplyActionButtonSet(m_controls->ButtonDefault->Colors(), m_palette);
    m_controls->Strips.SetColour(m_palette.dark);
}

void TFormOptions::ApplyQuality(int quality) {
    m_quality = quality;
    if (m_controls)
        Skin::ApplyQuality(this, quality);
}

TFormOptions::Controls& TFormOptions::controls() {
    if (!m_controls)
        build();
    return *m_controls;
}

void TFormOptions::build() {
    m_controls = std::make_unique<Controls>();
    Controls& c = *m_controls;
    setFont(Skin::Font(11));

    c.ButtonBar = Skin::AddTitleBar(this, QStringLiteral("Options"), ClientWidth);
    c.Strips = BorderStrips::Add(this, Skin::TitleBarHeight, m_palette.dark);
    c.Pages = OptionsPages::Build(this);

    // Every free surface drags the dialog, whatever Easy Window Move says.
    m_drag->AddArea(c.ButtonBar);
    m_drag->AddArea(c.Pages.PageControl1);
    m_drag->AddArea(c.Pages.PageControl1->tabBar());
    for (QWidget* page : c.Pages.Pages)
        m_drag->AddArea(page);

    c.ButtonDefault = actionButton(this, "ButtonDefault", QStringLiteral("Default"), 8);
    c.ButtonOK = actionButton(this, "ButtonOK", QStringLiteral("OK"), 280);
    c.ButtonOK->SetGlyph(QImage(QStringLiteral(":/images/ok.png")));
    connect(c.ButtonDefault, &TdxButton::OnClick, this, &TFormOptions::ButtonDefaultClick);
    connect(c.ButtonOK, &TdxButton::OnClick, this, &TFormOptions::ButtonOKClick);

    for (const SettingDef& def : SettingsTable()) {
        showSetting(def.setting);
        bind(def.setting);
    }
    applyPaletteToControls();
    Skin::ApplyQuality(this, m_quality);
}

void TFormOptions::bind(Setting setting) {
    QWidget* holder = m_controls->Pages.Holder(setting);
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
    const OptionsPages& p = m_controls->Pages;
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
    if (m_controls)
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

void TFormOptions::ButtonDefaultClick() {
    if (AskYesNoCancel(this, QStringLiteral("Reset all settings to default?"),
                       QStringLiteral("Default ?")) == MessageAnswer::Yes)
        m_settings.LoadDefaults();
}

TdxButton* TFormOptions::ButtonBar() {
    return controls().ButtonBar;
}
TdxButton* TFormOptions::ButtonOK() {
    return controls().ButtonOK;
}
TdxButton* TFormOptions::ButtonDefault() {
    return controls().ButtonDefault;
}
const OptionsPages& TFormOptions::Pages() {
    return controls().Pages;
}
QWidget* TFormOptions::LabelLeft() {
    return controls().Strips.LabelLeft;
}
QWidget* TFormOptions::LabelRight() {
    return controls().Strips.LabelRight;
}
QWidget* TFormOptions::LabelBottom() {
    return controls().Strips.LabelBottom;
}
