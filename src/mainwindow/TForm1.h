#pragma once

#include "HotkeyIconList.h"
#include "Lifecycle.h"

#include <QWidget>
#include <functional>

class HotkeyBackend;
class HotkeyTable;
class QMenu;
class QTreeView;

// The main window: the hotkey list over the program's one hotkey table, its menus, and the
// show and hide of the window. The life cycle and the built-in functions live elsewhere;
// this class is what the user sees of them.
class TForm1 : public QWidget, public LifecycleWindows {
    Q_OBJECT
public:
    TForm1(HotkeyTable& table, HotkeyBackend& backend, QWidget* parent = nullptr);
    ~TForm1() override;

    // Asked at every close request: true lets the window close (the program ends), false
    // only hides it.
    std::function<bool()> OnCloseQuery;
    // The Exit command of the window's menus.
    std::function<void()> OnExit;

    void ToggleMainWindow();

    // LifecycleWindows
    void PrepareLists() override;
    void ShowSplash() override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void RestoreMainWindow() override;
    void CloseMainWindow() override;
    void TellUser(const QString& text) override;

    HotkeyTable* const Hotkeys;
    QTreeView* const ListView1;
    QMenu* const PopupMenu1;

signals:
    // The start-up sequence wants the splash window shown.
    void splashWanted();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Exit1Click();
    void ListView1CheckToggled(int row, bool checked);

    HotkeyBackend& m_backend;
    HotkeyIconList m_icons;
};
