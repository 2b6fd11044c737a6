// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

#include <QMenu>
class QTimer;
class QWidget;
class TrayHost;

// The notification-area icon: an image picked from a list or cycled through it, a tool tip,
// the user's clicks as events, the menu, and the main window's show and hide, including the
// minimise to the tray.
class TCoolTrayIcon : public QObject {
    Q_OBJECT
public:
    using NotifyEvent = std::function<void()>;
    using MouseEvent = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)>;
    using MouseMoveEvent = std::function<void(Qt::KeyboardModifiers, QPoint)>;
    using TCycleEvent = std::function<void(TCoolTrayIcon* Sender, int NextIndex)>;

    // How the owner's main window is shown and hidden (its task-bar entry with it).
    struct MainForm {
        QWidget* window = nullptr;
        std::function<void()> show;
        std::function<void()> hide;
    };

    TCoolTrayIcon(TrayHost& host, MainForm mainForm, QObject* parent = nullptr);
    ~TCoolTrayIcon() override;

    // The frames, rendered once by whoever owns them.
    const QList<QIcon>& IconList() const { return m_iconList; }
    void SetIconList(const QList<QIcon>& list);
    bool CycleIcons() const { return m_cycleIcons; }
    void SetCycleIcons(bool value);
    quint32 CycleInterval() const { return m_cycleInterval; }
    void SetCycleInterval(quint32 ms);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    QIcon Icon() const { return m_icon; }
    void SetIcon(const QIcon& icon);
    bool IconVisible() const { return m_iconVisible; }
    void SetIconVisible(bool value);
    int IconIndex() const { return m_iconIndex; }
    void SetIconIndex(int n);
    QMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu* menu);
    bool LeftPopup() const { return m_leftPopup; }
    void SetLeftPopup(bool value) { m_leftPopup = value; }
    bool StartMinimized() const { return m_startMinimized; }
    void SetStartMinimized(bool value) { m_startMinimized = value; }
    bool MinimizeToTray() const { return m_minimizeToTray; }
    void SetMinimizeToTray(bool value) { m_minimizeToTray = value; }

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    bool AddTrayIcon();
    bool RemoveTrayIcon();
    bool UpdateTrayIcon();
    void ShowMainWindow();
    void HideMainWindow();
    // The end of loading: every property set, the icon goes into the tray if it is visible.
    // Until then setting a property only stores it.
    void Loaded();

    QTimer* AnimationTimer() const { return m_timer; }
    // The tip the tray gets now.
    QString TipText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void timerTick();
    void hostPressed(int button);
    void hostReleased(int button);
    void hostDoubleClicked();
    void runDefaultItem();
    void DoMinimizeToTray();
    void updateTimer();

    TrayHost& m_host;
    MainForm m_mainForm;
    QTimer* const m_timer;
    QList<QIcon> m_iconList;
    QIcon m_icon;
    QString m_hint;
    QPointer<QMenu> m_popupMenu;
    quint32 m_cycleInterval = 0;
    int m_iconIndex = 0;
    bool m_cycleIcons = false;
    bool m_enabled = true;
    bool m_showHint = false;
    bool m_iconVisible = true;
    bool m_leftPopup = false;
    bool m_startMinimized = false;
    bool m_minimizeToTray = false;
    bool m_clickPending = false;
    // Until the end of loading the properties are only stored: nothing reaches the tray.
    bool m_loading = true;
};
