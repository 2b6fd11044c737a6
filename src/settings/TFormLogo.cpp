// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormLogo.h"

#include "controls/BorderStrips.h"
#include "controls/TdxButton.h"
#include "controls/WindowShape.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

QLabel* nameLabel(QWidget* parent, const QString& objectName, QSize size) {
    auto* label = new QLabel(QStringLiteral("Orvane"), parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setFont(Skin::Font(32, true));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->resize(size);
    // Clicks on the name are handled by the window's filter.
    return label;
}

} // namespace

struct TFormLogo::Controls {
    // In painting order: the shadow first, the name over it, the strips, the title bar.
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    BorderStrips Strips;
    TdxButton* ButtonBar = nullptr;
};

TFormLogo::TFormLogo(const QColor& background, QWidget* parent)
    // A tool window stays out of the task bar and the window switcher, and must not take
    // the keyboard from what the user is doing meanwhile. Not Qt::SplashScreen: showing one
    // before the event loop runs makes Qt run events inside the show, in the middle of the
    // start-up sequence.
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("TFormLogo"));
    setWindowTitle(QStringLiteral("Loading ..."));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFixedSize(ClientWidth, ClientHeight);
    FormCreate(background);
}

TFormLogo::~TFormLogo() = default;

void TFormLogo::FormCreate(const QColor& background) {
    Skin::SetWindowBackground(this, background);
    ApplyWindowShape(this);
}

QPoint TFormLogo::Label1Place(QSize client, QSize label) {
    return {(client.width() - label.width()) / 2 + 5, (client.height() - label.height()) / 2 + 5};
}

void TFormLogo::ShowLogo() {
    if (m_ended)
        return;
    if (!m_placed) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().center() - rect().center());
        m_placed = true;
    }
    show();
}

void TFormLogo::EndLogo() {
    m_ended = true;
    hide();
}

void TFormLogo::FormClick() {
    hide();
}

void TFormLogo::setVisible(bool visible) {
    // Made before the window itself, so that they are shown with it.
    if (visible)
        controls();
    QWidget::setVisible(visible);
}

void TFormLogo::ApplyPalette(const SkinPalette& palette) {
    m_palette = palette;
    Skin::SetWindowBackground(this, palette.windowBackground);
    if (m_controls)
        applyPaletteToControls();
}

void TFormLogo::ApplyQuality(int quality) {
    m_quality = quality;
    if (m_controls)
        Skin::ApplyQuality(this, quality);
}

void TFormLogo::applyPaletteToControls() {
    Controls& c = *m_controls;
    const SkinPalette& p = m_palette ? *m_palette : Skin::DesignPalette;
    Skin::ApplyTitleBarSet(c.ButtonBar->Colors(), p);
    Skin::SetTextColour(c.Label1, m_palette ? p.accent : Yellow);
    Skin::SetTextColour(c.Label2, p.dark);
    c.Strips.SetColour(p.dark);
}

TFormLogo::Controls& TFormLogo::controls() {
    if (!m_controls)
        build();
    return *m_controls;
}

void TFormLogo::build() {
    m_controls = std::make_unique<Controls>();
    Controls& c = *m_controls;
    const QSize client(ClientWidth, ClientHeight);

    c.Label2 = nameLabel(this, QStringLiteral("Label2"), Label2Size);
    c.Label1 = nameLabel(this, QStringLiteral("Label1"), Label1Size);
    c.Label1->move(Label1Place(client, Label1Size));
    c.Label2->move(c.Label1->pos() + ShadowOffset);
    c.Strips = BorderStrips::Add(this, Skin::TitleBarHeight, Skin::Navy);
    c.ButtonBar = Skin::AddTitleBar(this, QStringLiteral("Loading ..."), ClientWidth);

    for (QLabel* label : {c.Label1, c.Label2})
        label->installEventFilter(this);
    connect(c.ButtonBar, &TdxButton::OnClick, this, &TFormLogo::FormClick);

    applyPaletteToControls();
    if (m_quality)
        Skin::ApplyQuality(this, *m_quality);
}

bool TFormLogo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && m_controls &&
        (watched == m_controls->Label1 || watched == m_controls->Label2) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        FormClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormLogo::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        FormClick();
}

TdxButton* TFormLogo::ButtonBar() {
    return controls().ButtonBar;
}
QLabel* TFormLogo::Label1() {
    return controls().Label1;
}
QLabel* TFormLogo::Label2() {
    return controls().Label2;
}
QLabel* TFormLogo::LabelLeft() {
    return controls().Strips.LabelLeft;
}
QLabel* TFormLogo::LabelRight() {
    return controls().Strips.LabelRight;
}
QLabel* TFormLogo::LabelBottom() {
    return controls().Strips.LabelBottom;
}
