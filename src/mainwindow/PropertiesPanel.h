// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotkeyRegistration.h"

#include <QGroupBox>
#include <QPoint>
#include <functional>

class AppCatalog;
class HotkeyIconList;
class HotkeyTable;
class IconPicker;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class TdxButton;
struct SkinPalette;
namespace KeyRecording {
struct Outcome;
}

// The filter of Browse's file dialog: every file. "*.*" would hide the files without an
// extension, which most programs here are.
inline const QString kBrowseFilter = QStringLiteral("All types of files (*)");

// GroupBoxProperties: the editor of the selected hotkey entry. Selecting a row fills it;
// every change enables Apply; Apply and Test are run by the window, which owns the
// selection and the hotkey backend.
class PropertiesPanel : public QGroupBox {
    Q_OBJECT
public:
    PropertiesPanel(const HotkeyTable& table, const HotkeyIconList& icons, QWidget* parent);
    ~PropertiesPanel() override;

    QCheckBox* EnabledCheckBox;
    QCheckBox* AltCheckBox;
    QCheckBox* ControlCheckBox;
    QCheckBox* ShiftCheckBox;
    QCheckBox* WinCheckBox;
    QComboBox* CharComboBox;
    QComboBox* KeyComboBox;
    // Takes the next combination pressed; the window runs the recording.
    TdxButton* ButtonRecord;
    // Caption "Icon  " with the entry's icon at its right.
    QToolButton* IconSpeedButton;
    QLineEdit* EditExecute;
    TdxButton* ButtonApply;
    TdxButton* ButtonTest;
    TdxButton* ButtonFunctions;
    TdxButton* ButtonBrowse;
    IconPicker* ListView2;
    QMenu* PopupMenuFunctions;

    // Loads row `selectedRow` of the table; -1 or a row the table lacks clears the panel.
    void FillPropertiesPanel(int selectedRow);
    // Empties and disables the panel; the icon picker is left as it is.
    void ClearPropertiesPanel();
    // The start-up step: one picker item per icon, in index order.
    void FillIconPicker();
    void HideIconPicker();

    // What Apply reads: the boxes, the key position, the target and the chosen icon.
    PanelValues Values() const;
    // Shows Apply's result: Enabled unticked when the entry ended disabled, and the Apply
    // button's new state. Showing the outcome's message is the caller's.
    void ApplyDone(const ApplyOutcome& outcome);

    // The Record button tells while a recording runs.
    void ShowRecording(bool recording);
    // A recorded combination into the boxes and the key list; Apply takes it as any edit.
    void TakeCombination(const KeyRecording::Outcome& combination);

    // The colours of a scheme: the buttons' gradients, the lists, the target field.
    void ApplyPalette(const SkinPalette& palette);

    // Where the functions menu drops, on the screen.
    QPoint FunctionsMenuPoint() const;

    // Browse's open-file dialog; returns the chosen file's full path, or an empty text when
    // cancelled. Tests replace it.
    std::function<QString(QWidget* parent)> BrowseForFile;
    // "Application..." at the end of the functions menu, choosing from catalog; the dialog
    // returns the desktop entry id picked, or an empty text. Tests replace ChooseApplication.
    void OfferApplications(AppCatalog& catalog);
    std::function<QString(QWidget* parent)> ChooseApplication;

signals:
    // Apply was clicked: the window runs Apply on its selected row, then ApplyDone.
    void applyClicked();
    // Test was clicked: the window runs the selected row's stored target (not the text in
    // the target field) in test mode.
    void testClicked();
    // Record was clicked: the window records the next combination pressed.
    void recordClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();

    void EnableApply();
    void CharComboBoxChange();
    void IconSpeedButtonClick();
    void ListView2Click();
    void ButtonBrowseClick();
    void ButtonFunctionsClick();
    void GroupBoxPropertiesClick();
    void SetTarget(const QString& text);
    void ShowIconOnButton(int image);

    const HotkeyTable& m_table;
    const HotkeyIconList& m_icons;
    bool m_pressedOnBox = false;
};
