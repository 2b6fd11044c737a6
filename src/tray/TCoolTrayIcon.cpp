// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TCoolTrayIcon.h"

#include "platform/TrayHost.h"
#include "tray/TrayRules.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace {
Qt::MouseButton qtButton(int button) {
    switch (static_cast<TrayHost::Button>(button)) {
    case TrayHost::Button::Left: return Qt::LeftButton;
    case TrayHost::Button::Right: return Qt::RightButton;
    case TrayHost::Button::Middle: return Qt::MiddleButton;
    }
    return Qt::NoButton;
}
} // namespace

TCoolTrayIcon::TCoolTrayIcon(TrayHost& host, MainForm mainForm, QObject* parent)
    : QObject(parent), m_host(host), m_mainForm(std::move(mainForm)), m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("CycleTimer"));
    connect(m_timer, &QTimer::timeout, this, &TCoolTrayIcon::timerTick);
    connect(&m_host, &TrayHost::pressed, this,
            [this](TrayHost::Button b) { hostPressed(static_cast<int>(b)); });
    connect(&m_host, &TrayHost::released, this,
            [this](TrayHost::Button b) { hostReleased(static_cast<int>(b)); });
    connect(&m_host, &TrayHost::doubleClicked, this, &TCoolTrayIcon::hostDoubleClicked);
    // A tray that appears later (a panel started after Orvane) gets the icon.
    connect(&m_host, &TrayHost::availableChanged, this, [this](bool available) {
        if (available && m_iconVisible && !m_loading)
            AddTrayIcon();
    });
    if (m_mainForm.window)
        m_mainForm.window->installEventFilter(this);
}

TCoolTrayIcon::~TCoolTrayIcon() {
    if (!m_loading)
        RemoveTrayIcon();
    if (m_mainForm.window)
        m_mainForm.window->removeEventFilter(this);
}

QString TCoolTrayIcon::TipText() const {
    return TrayRules::TipText(m_hint, m_showHint);
}

bool TCoolTrayIcon::AddTrayIcon() {
    const bool ok = m_host.add(m_icon, TipText());
    m_iconVisible = true;
    updateTimer();
    return ok;
}

bool TCoolTrayIcon::RemoveTrayIcon() {
    const bool ok = m_host.remove();
    m_iconVisible = false;
    updateTimer();
    return ok;
}

bool TCoolTrayIcon::UpdateTrayIcon() {
    if (m_loading)
        return false;
    return m_host.modify(m_icon, TipText());
}

void TCoolTrayIcon::Loaded() {
    m_loading = false;
    UpdateTrayIcon();
    SetIconVisible(m_iconVisible);
}

void TCoolTrayIcon::SetIconVisible(bool value) {
    if (m_loading) {
        m_iconVisible = value;
        return;
    }
    if (value)
        AddTrayIcon();
    else
        RemoveTrayIcon();
}

void TCoolTrayIcon::SetIcon(const QIcon& icon) {
    m_icon = icon;
    UpdateTrayIcon();
}

void TCoolTrayIcon::SetHint(const QString& hint) {
    m_hint = hint;
    UpdateTrayIcon();
}

void TCoolTrayIcon::SetShowHint(bool value) {
    m_showHint = value;
    UpdateTrayIcon();
}

void TCoolTrayIcon::SetIconList(const QList<QIcon>& list) {
    m_iconList = list;
    SetIconIndex(0);
    updateTimer();
}

void TCoolTrayIcon::SetIconIndex(int n) {
    if (m_iconList.isEmpty()) {
        m_iconIndex = 0;
    } else {
        m_iconIndex = TrayRules::ClampIconIndex(n, static_cast<int>(m_iconList.size()));
        // A negative index selects no image and leaves the icon as it is.
        if (m_iconIndex >= 0)
            m_icon = m_iconList.at(m_iconIndex);
    }
    UpdateTrayIcon();
}

void TCoolTrayIcon::SetCycleIcons(bool value) {
    m_cycleIcons = value;
    if (value)
        SetIconIndex(0);
    updateTimer();
}

void TCoolTrayIcon::SetCycleInterval(quint32 ms) {
    m_cycleInterval = ms;
    m_timer->setInterval(static_cast<int>(ms));
}

void TCoolTrayIcon::SetPopupMenu(QMenu* menu) {
    m_popupMenu = menu;
    m_host.setMenu(menu);
}

void TCoolTrayIcon::updateTimer() {
    // An icon nobody sees costs no wake-ups.
    const bool run = !m_loading && m_cycleIcons && !m_iconList.isEmpty() && m_iconVisible;
    if (run && !m_timer->isActive())
        m_timer->start();
    else if (!run)
        m_timer->stop();
}

void TCoolTrayIcon::timerTick() {
    if (m_iconList.isEmpty())
        return;
    const int count = static_cast<int>(m_iconList.size());
    const int next = TrayRules::NextCycleIndex(m_iconIndex, count);
    if (OnCycle)
        OnCycle(this, next);
    // One tray update per tick: the next image, not the current one again first.
    SetIconIndex(next);
}

void TCoolTrayIcon::hostPressed(int button) {
    if (!m_enabled)
        return;
    const Qt::MouseButton b = qtButton(button);
    if (OnMouseDown)
        OnMouseDown(b, QGuiApplication::keyboardModifiers(), QCursor::pos());
    if (b == Qt::LeftButton)
        m_clickPending = true;
}

void TCoolTrayIcon::hostReleased(int button) {
    if (!m_enabled)
        return;
    const Qt::MouseButton b = qtButton(button);
    if (b == Qt::LeftButton && m_clickPending) {
        m_clickPending = false;
        if (OnClick)
            OnClick();
    }
    if (OnMouseUp)
        OnMouseUp(b, QGuiApplication::keyboardModifiers(), QCursor::pos());
}

void TCoolTrayIcon::hostDoubleClicked() {
    if (!m_enabled)
        return;
    if (OnDblClick)
        OnDblClick();
    if (m_popupMenu && !m_leftPopup)
        runDefaultItem();
}

void TCoolTrayIcon::runDefaultItem() {
    if (QAction* item = m_popupMenu->defaultAction())
        item->trigger();
}

void TCoolTrayIcon::ShowMainWindow() {
    // Shown normally: a window hidden to the tray from the minimised state comes back restored.
    if (QWidget* window = m_mainForm.window; window && window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    if (m_mainForm.show)
        m_mainForm.show();
}

void TCoolTrayIcon::HideMainWindow() {
    if (m_mainForm.hide)
        m_mainForm.hide();
}

void TCoolTrayIcon::DoMinimizeToTray() {
    HideMainWindow();
    SetIconVisible(true);
}

bool TCoolTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mainForm.window && event->type() == QEvent::WindowStateChange &&
        m_minimizeToTray && m_mainForm.window->isMinimized()) {
        // Hidden once the state change is through, and hidden as it is: leaving the minimised
        // state asks the window manager to map the window again, and a map request racing the
        // hide leaves a mapped window that nobody manages. The show restores it.
        QTimer::singleShot(0, this, [this] {
            if (m_mainForm.window && m_mainForm.window->isMinimized() &&
                m_mainForm.window->isVisible())
                DoMinimizeToTray();
        });
    }
    return QObject::eventFilter(watched, event);
}
