// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/SkinnedWindow.h"
#include "mainwindow/HotkeyIconList.h"
#include "mainwindow/MainWindowFrame.h"

#include <functional>

class AppCatalog;
class CombinationRecorder;
class HotkeyBackend;
class HotkeyListView;
class HotkeyTable;
class MainWindowMenus;
class PropertiesPanel;
class SettingsStore;
enum class Setting : int;
namespace KeyRecording {
struct Outcome;
}
class Look;

// The main window: its own frame and menus, the hotkey list over the program's one hotkey
// table, and the properties panel that edits the selected entry. The life cycle, the other
// windows and the built-in functions live elsewhere; this class is the wiring of what the
// user sees and does here. Whoever owns it shows and hides it; its Hide and Exit commands
// only say that the user asked for them.
class TForm1 : public SkinnedWindow {
    Q_OBJECT
    // First, so that the controls built below can rely on them.
    HotkeyBackend& m_backend;
    SettingsStore& m_settings;
    HotkeyIconList m_icons;

public:
    static constexpr int FullHeight = 366;   // panel top + panel height + bottom strip
    static constexpr int FoldedHeight = 275; // list top + list height + bottom strip
    static constexpr int ClientWidth = 542;

    // Reset's write of what brings the default table back at the next start; false when it
    // failed and the user was told. Unset, Reset goes on.
    using ResetWrite = std::function<bool()>;

    TForm1(HotkeyTable& table, HotkeyBackend& backend, SettingsStore& settings, const Look& look,
           ResetWrite resetWrite = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Column captions and widths of the hotkey list, and the icon picker filled.
    void PrepareLists();

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
    // Record: the hotkeys are let go and the next combination pressed goes into the panel.
    void ButtonRecordClick();
    void ListView1MouseDown(int x, int y, Qt::MouseButton button, int newCheck);

    HotkeyTable* const Hotkeys;
    MainWindowMenus* const Menus;
    // The controls exist from the first show on: a start in the tray draws nothing, loads no
    // fonts and makes no native windows on its way to the hotkeys.
    MainWindowFrame Frame;
    HotkeyListView* ListView1 = nullptr;
    PropertiesPanel* GroupBoxProperties = nullptr;
    CombinationRecorder* Recorder = nullptr;
    const HotkeyIconList& Icons() const { return m_icons; }
    // Where the panel's "Application..." chooses from; unset, it offers none. Set before
    // the window is first shown.
    AppCatalog* Applications = nullptr;

signals:
    // Hide: the window goes to the tray, the other windows close and the table is written.
    void hideRequested();
    // Exit, from the window's menus or after Reset.
    void exitRequested();
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
    void recordingEnded(const KeyRecording::Outcome& outcome);

    const ResetWrite m_resetWrite;
};
