// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/SkinnedWindow.h"
#include "core/Lifecycle.h"
#include "mainwindow/HotkeyIconList.h"
#include "mainwindow/MainWindowFrame.h"

#include <functional>

class HotkeyBackend;
class HotkeyListView;
class HotkeyTable;
class MainWindowMenus;
class PropertiesPanel;
class SettingsStore;
class TCoolTrayIcon;
enum class Setting : int;
class WindowActivator;

// The main window: its own frame and menus, the hotkey list over the program's one hotkey
// table, and the properties panel that edits the selected entry. The life cycle, the other
// windows and the built-in functions live elsewhere; this class is the wiring of what the
// user sees and does here.
class TForm1 : public SkinnedWindow, public LifecycleWindows {
    Q_OBJECT
    // First, so that the controls built below can rely on them.
    HotkeyBackend& m_backend;
    SettingsStore& m_settings;
    WindowActivator& m_activator;
    HotkeyIconList m_icons;

public:
    static constexpr int FullHeight = 366;   // panel top + panel height + bottom strip
    static constexpr int FoldedHeight = 275; // list top + list height + bottom strip
    static constexpr int ClientWidth = 542;

    TForm1(HotkeyTable& table, HotkeyBackend& backend, SettingsStore& settings,
           WindowActivator& activator, const Look& look, QWidget* parent = nullptr);
    ~TForm1() override;

    // Asked at every close request: true lets the window close (the program ends), false
    // only hides it.
    std::function<bool()> OnCloseQuery;
    // The Exit command of the window's menus and of Reset.
    std::function<void()> OnExit;
    // Reset's write of what brings the default table back at the next start; false when it
    // failed and the user was told. Unset, Reset goes on.
    std::function<bool()> OnResetWrite;

    // Shows the window when hidden, hides it when shown. eventTime: the X time of the key
    // press or click that asked for it (0: now).
    void ToggleMainWindow(quint32 eventTime = 0);
    void ShowMainWindow(quint32 eventTime);
    // The window itself hidden, task-bar entry and all.
    void HideForm();
    // Where the life cycle and Hide show and hide the window, when there is one.
    TCoolTrayIcon* CoolTrayIcon1 = nullptr;

    // LifecycleWindows
    void PrepareLists() override;
    void ShowSplash() override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void RestoreMainWindow() override;
    void CloseMainWindow() override;
    void TellUser(const QString& text) override;

    // Handlers of the commands, public so that the tray and tests reach them as the menus do.
    void New1Click();
    void Delete1Click();
    void Resettodefault1Click();
    void Properties1Click();
    void Propertiespanel1Click();
    void Realignlist1Click();
    void Refresh1Click();
    void Hide1Click();
    void Minimize1Click();
    void Exit1Click();
    void ButtonApplyClick();
    void ButtonTestClick();
    void ListView1MouseDown(int x, int y, Qt::MouseButton button, int newCheck);

    HotkeyTable* const Hotkeys;
    MainWindowMenus* const Menus;
    // The controls exist from the first show on: a start in the tray draws nothing, loads no
    // fonts and makes no native windows on its way to the hotkeys.
    MainWindowFrame Frame;
    HotkeyListView* ListView1 = nullptr;
    PropertiesPanel* GroupBoxProperties = nullptr;
    const HotkeyIconList& Icons() const { return m_icons; }

signals:
    // The start-up sequence wants the splash window shown.
    void splashWanted();
    // Hide has hidden the window: the other windows close and the table is written.
    void hidden();
    void optionsRequested();
    void aboutRequested();
    // A file or address for the desktop shell (What's new, the Online pages).
    void openRequested(const QString& target);
    // Test: the selected row's stored target, run with its outcome shown.
    void testRequested(const QString& target);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build() override;
    // Before any scheme the frame keeps its design look, which no scheme's colours give.
    void applyPaletteToControls() override;
    void connectMenus();
    void connectList();
    void followSetting(Setting setting);
    void dropMenu(QWidget* button, QMenu* menu);
    void applyRow(int row, int newCheck);

    bool m_placed = false;
};
