// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormLogo.h"

#include "controls/LetteredLabel.h"
#include "controls/TdxButton.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

QLabel* nameLabel(QWidget* parent, const QString& objectName, QSize size) {
    // From outlines: the splash is all most starts show, and so they load no font.
    auto* label = new LetteredLabel(QStringLiteral("Orvane"), parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setFont(TFormLogo::LetteredTexts()[0].second);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->resize(size);
    // Clicks on the name are handled by the window's filter.
    return label;
}

} // namespace

TFormLogo::TFormLogo(const Look& look, const QColor& background, QWidget* parent)
    // A tool window stays out of the task bar and the window switcher, and must not take
    // the keyboard from what the user is doing meanwhile. Not Qt::SplashScreen: showing one
    // before the event loop runs makes Qt run events inside the show, in the middle of the
    // start-up sequence.
    : SkinnedWindow(look, QStringLiteral("Loading ..."), ClientSize, 0, background, parent,
                    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("TFormLogo"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
}

TFormLogo::~TFormLogo() = default;

std::vector<std::pair<QString, QFont>> TFormLogo::LetteredTexts() {
    return {{QStringLiteral("Orvane"), Skin::Font(32, true)},
            {QStringLiteral("Loading ..."), Skin::Font(16, true)}};
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
    // Never shown again: the native window and its picture buffer go back to the X server.
    if (testAttribute(Qt::WA_WState_Created))
        destroy();
}

void TFormLogo::FormClick() {
    hide();
}

void TFormLogo::applyPaletteToControls() {
    const SkinPalette p = SkinColours();
    Skin::SetTextColour(m_label1, Schemed() ? p.accent : Yellow);
    Skin::SetTextColour(m_label2, p.dark);
}

void TFormLogo::build() {

    m_label2 = nameLabel(this, QStringLiteral("Label2"), Label2Size);
    m_label1 = nameLabel(this, QStringLiteral("Label1"), Label1Size);
    m_label1->move(Label1Place(ClientSize, Label1Size));
    m_label2->move(m_label1->pos() + ShadowOffset);
    TdxButton* bar = AddChrome();

    for (QLabel* label : {m_label1, m_label2})
        label->installEventFilter(this);
    connect(bar, &TdxButton::OnClick, this, &TFormLogo::FormClick);
}

bool TFormLogo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && built() &&
        (watched == m_label1 || watched == m_label2) &&
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
