// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TForm1.h"

#include "controls/MessageBox.h"
#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowTransparency.h"
#include "core/AppPaths.h"
#include "core/HotkeyCommands.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/KeyRecording.h"
#include "core/ProjectLinks.h"
#include "mainwindow/CombinationRecorder.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/MainWindowKeys.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include "platform/HotkeyBackend.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>

namespace {

HotkeyCommands::Answer askUser(QWidget* owner, const QString& text, const QString& caption) {
    switch (AskYesNoCancel(owner, text, caption)) {
    case MessageAnswer::Yes: return HotkeyCommands::Answer::Yes;
    case MessageAnswer::No: return HotkeyCommands::Answer::No;
    case MessageAnswer::Cancel: break;
    }
    return HotkeyCommands::Answer::Cancel;
}

} // namespace

TForm1::TForm1(HotkeyTable& table, HotkeyBackend& backend, SettingsStore& settings,
               const Look& look, ResetWrite resetWrite, QWidget* parent)
    // The outline is cut once, for the full height.
    : SkinnedWindow(look, QStringLiteral("Orvane"), {ClientWidth, FullHeight},
                    Draggable | Transparent, Skin::WindowBackground, parent,
                    Qt::Window | Qt::FramelessWindowHint),
      m_backend(backend), m_settings(settings), Hotkeys(&table), Menus(new MainWindowMenus(this)),
      m_resetWrite(std::move(resetWrite)) {
    setObjectName(QStringLiteral("TForm1"));

    Hotkeys->setIconProvider([this](int image) { return QVariant(m_icons.icon(image)); });
    Hotkeys->setCheckToggledHandler([this](int row, bool checked) {
        if (built())
            applyRow(row, checked ? 1 : 0);
    });
    connectMenus();
    connect(&m_settings, &SettingsStore::changed, this, &TForm1::followSetting);
}

void TForm1::build() {
    setFont(Skin::Font(11));
    setWindowIcon(AppIcon());
    Frame = MainWindowFrame::Build(this, AddChrome());
    ListView1 = new HotkeyListView(this);
    ListView1->setModel(Hotkeys);
    // The list, not the title bar's first button, has the keyboard at the first show: a
    // Space or an arrow key right after start belongs to the hotkeys.
    ListView1->setFocus(Qt::OtherFocusReason);
    Realignlist1Click();
    GroupBoxProperties = new PropertiesPanel(*Hotkeys, m_icons, this);
    GroupBoxProperties->move(2, 272);
    GroupBoxProperties->FillIconPicker();
    if (Applications)
        GroupBoxProperties->OfferApplications(*Applications);
    Recorder = new CombinationRecorder(
        [this](quint32 scanCode) { return m_backend.virtualKeyOfScanCode(scanCode); }, this);
    connect(Recorder, &CombinationRecorder::finishing, this,
            [this] { HotkeyRegistration::RegisterChecked(*Hotkeys, m_backend); });
    connect(Recorder, &CombinationRecorder::ended, this, &TForm1::recordingEnded);

    // The title bar always drags; the surface, the panel and the list only with Easy Window
    // Move on, read at every move.
    const auto easyMove = [this] { return m_settings.isOn(Setting::EasyMove); };
    Drag()->AddArea(this, easyMove);
    Drag()->AddArea(GroupBoxProperties, easyMove);
    Drag()->AddArea(ListView1->viewport(), easyMove);
    // Any move over the window's free surface or the list closes the icon picker.
    setMouseTracking(true);
    ListView1->viewport()->setMouseTracking(true);
    ListView1->viewport()->installEventFilter(this);

    connect(Frame.ButtonHotKeys, &TdxButton::OnClick, this,
            [this] { dropMenu(Frame.ButtonHotKeys, Menus->PopupMenuHotKeys); });
    connect(Frame.ButtonView, &TdxButton::OnClick, this,
            [this] { dropMenu(Frame.ButtonView, Menus->PopupMenuView); });
    connect(Frame.ButtonWindow, &TdxButton::OnClick, this,
            [this] { dropMenu(Frame.ButtonWindow, Menus->PopupMenuWindow); });
    connect(Frame.ButtonHelp, &TdxButton::OnClick, this,
            [this] { dropMenu(Frame.ButtonHelp, Menus->PopupMenuHelp); });
    connect(Frame.ButtonMinimize, &TdxButton::OnClick, this, &TForm1::Minimize1Click);
    connect(Frame.ButtonExit, &TdxButton::OnClick, this, &TForm1::Hide1Click);
    connectList();
    for (const Setting s : {Setting::CheckBoxes, Setting::GridLines})
        followSetting(s);
    GroupBoxProperties->setVisible(Menus->Propertiespanel1->isChecked());
    new MainWindowKeys(*this);
    // As the user's first arrow key would: the first row selected, and shown in the panel.
    ListView1->SelectRow(0);
}

void TForm1::applyPaletteToControls() {
    if (!Schemed())
        return;
    // No gradient button keeps the focus while it changes colour.
    if (isVisible() && isEnabled())
        ListView1->setFocus();
    const SkinPalette colours = SkinColours();
    Frame.ApplyPalette(colours);
    GroupBoxProperties->ApplyPalette(colours);
    QPalette p = ListView1->palette();
    p.setColor(QPalette::Base, colours.listBackground);
    p.setColor(QPalette::Text, colours.dark);
    ListView1->setPalette(p);
}

TForm1::~TForm1() {
    // Its end would re-register hotkeys and reach into a panel being torn down.
    delete Recorder;
}

void TForm1::connectMenus() {
    MainWindowMenus* m = Menus;
    const auto on = [this](QAction* a, void (TForm1::*handler)()) {
        connect(a, &QAction::triggered, this, handler);
    };
    on(m->New1, &TForm1::New1Click);
    on(m->Newhotkey1, &TForm1::New1Click);
    on(m->Delete1, &TForm1::Delete1Click);
    on(m->Deleteselected1, &TForm1::Delete1Click);
    on(m->Resettodefault1, &TForm1::Resettodefault1Click);
    on(m->Properties1, &TForm1::Properties1Click);
    on(m->Propertiespanel1, &TForm1::Propertiespanel1Click);
    on(m->Realignlist1, &TForm1::Realignlist1Click);
    on(m->Refresh1, &TForm1::Refresh1Click);
    on(m->Hide1, &TForm1::Hide1Click);
    on(m->Hide2, &TForm1::Hide1Click);
    on(m->Minimize1, &TForm1::Minimize1Click);
    on(m->Minimize2, &TForm1::Minimize1Click);
    on(m->Exit1, &TForm1::Exit1Click);
    on(m->Exit2, &TForm1::Exit1Click);
    for (QAction* a : {m->Options1, m->Options2})
        connect(a, &QAction::triggered, this, &TForm1::optionsRequested);
    for (QAction* a : {m->About1, m->About2})
        connect(a, &QAction::triggered, this, &TForm1::aboutRequested);
    for (QAction* a : {m->Whatsnew1, m->Whatsnew2})
        connect(a, &QAction::triggered, this,
                [this] { emit openRequested(AppPaths::HistoryFile()); });
    connect(m->Submitabug1, &QAction::triggered, this,
            [this] { emit openRequested(QLatin1String(ProjectLinks::ForumPage)); });
    connect(m->Forum1, &QAction::triggered, this,
            [this] { emit openRequested(QLatin1String(ProjectLinks::ForumPage)); });
    connect(m->Checkforupdates1, &QAction::triggered, this,
            [this] { emit openRequested(QLatin1String(ProjectLinks::WebSite)); });
    // "Properties" is offered only while the panel is folded away.
    connect(m->PopupMenuHotkeysList, &QMenu::aboutToShow, this,
            [m] { m->Properties1->setEnabled(!m->Propertiespanel1->isChecked()); });
}

void TForm1::connectList() {
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { GroupBoxProperties->FillPropertiesPanel(ListView1->SelectedRow()); });
    connect(ListView1, &HotkeyListView::pressed, this, &TForm1::ListView1MouseDown);
    connect(ListView1, &HotkeyListView::spaceOnRow, this,
            [this](int row, bool newCheck) { applyRow(row, newCheck ? 1 : 0); });
    connect(ListView1, &HotkeyListView::doubleClickedAnywhere, this, &TForm1::Properties1Click);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        Menus->PopupMenuHotkeysList->popup(ListView1->viewport()->mapToGlobal(at));
    });
    connect(GroupBoxProperties, &PropertiesPanel::applyClicked, this, &TForm1::ButtonApplyClick);
    connect(GroupBoxProperties, &PropertiesPanel::testClicked, this, &TForm1::ButtonTestClick);
    connect(GroupBoxProperties, &PropertiesPanel::recordClicked, this, &TForm1::ButtonRecordClick);
}

void TForm1::followSetting(Setting setting) {
    switch (setting) {
    case Setting::CheckBoxes:
        if (built())
            ListView1->SetCheckBoxes(m_settings.isOn(setting));
        break;
    case Setting::GridLines:
        if (built())
            ListView1->SetGridLines(m_settings.isOn(setting));
        break;
    case Setting::Properties:
        Menus->Propertiespanel1->setChecked(m_settings.isOn(setting));
        Propertiespanel1Click();
        break;
    case Setting::MainTransparent: Transparency()->SetColourKey(m_settings.isOn(setting)); break;
    case Setting::MainAlpha: Transparency()->SetAlpha(m_settings.value(setting)); break;
    default: break;
    }
}

void TForm1::dropMenu(QWidget* button, QMenu* menu) {
    // Right under the button's lower-left corner.
    menu->popup(mapToGlobal(QPoint(button->x(), button->y() + button->height())));
}

void TForm1::PrepareLists() {
    Hotkeys->setColumnCaptions({QStringLiteral("Flags"), QStringLiteral("Key"),
                                QStringLiteral("Execute"), QStringLiteral("ID"),
                                QStringLiteral("Alt"), QStringLiteral("Ctrl"),
                                QStringLiteral("Shift"), QStringLiteral("Win")});
    // The widths are the list's own when it is built; a built list gets them now.
    if (built()) {
        for (int col = 0; col < 4; ++col)
            ListView1->header()->resizeSection(col, HotkeyListView::ColumnWidths[col]);
        GroupBoxProperties->FillIconPicker();
    }
}

void TForm1::ListView1MouseDown(int x, int y, Qt::MouseButton, int newCheck) {
    const int row = HotkeyListView::StripRow(x, y, ListView1->TopRow(), Hotkeys->count());
    if (row >= 0)
        applyRow(row, newCheck);
}

void TForm1::applyRow(int row, int newCheck) {
    // As a press on a row's check box: select the row, take its (new) state into the panel,
    // and apply the row at once.
    ListView1->SelectRow(row);
    GroupBoxProperties->FillPropertiesPanel(row);
    if (newCheck >= 0)
        GroupBoxProperties->EnabledCheckBox->setChecked(newCheck != 0);
    ButtonApplyClick();
}

void TForm1::ButtonApplyClick() {
    if (!built())
        return;
    const ApplyOutcome out = HotkeyRegistration::ButtonApply(
        *Hotkeys, ListView1->SelectedRow(), GroupBoxProperties->Values(), m_backend);
    if (!out.ran)
        return;
    if (!out.message.isEmpty())
        ShowMessage(this, out.message);
    GroupBoxProperties->ApplyDone(out);
}

void TForm1::ButtonTestClick() {
    if (!built())
        return;
    // The stored target, not the edited text: Test tries what the hotkey would do now.
    const int row = ListView1->SelectedRow();
    if (row >= 0 && row < Hotkeys->count())
        emit testRequested(Hotkeys->at(row).Execute);
}

void TForm1::ButtonRecordClick() {
    if (!built() || Recorder->isRecording())
        return;
    GroupBoxProperties->ShowRecording(true);
    Recorder->start(GroupBoxProperties->ButtonRecord);
    // Orvane's own combinations must not fire while they are pressed to be recorded. Let go
    // inside the keyboard grab, and taken back before it ends: no key slips through between.
    HotkeyRegistration::ReleaseAll(*Hotkeys, m_backend);
}

void TForm1::recordingEnded(const KeyRecording::Outcome& outcome) {
    GroupBoxProperties->ShowRecording(false);
    if (outcome.result == KeyRecording::Result::Taken)
        GroupBoxProperties->TakeCombination(outcome);
    else if (outcome.result == KeyRecording::Result::NotInList)
        ShowMessage(this, outcome.message);
}

void TForm1::New1Click() {
    if (!built())
        return;
    const HotkeyCommands::NewOutcome out = HotkeyCommands::New1Click(*Hotkeys);
    ListView1->SelectRow(out.row);
    ListView1->ScrollByPixels(out.scrollPixels);
}

void TForm1::Delete1Click() {
    if (!built())
        return;
    const auto ask = [this](const QString& text, const QString& caption) {
        return askUser(this, text, caption);
    };
    const auto release = [this](int id) { m_backend.unregisterHotKey(id); };
    if (HotkeyCommands::Delete1Click(*Hotkeys, ListView1->SelectedRow(), ask, release)) {
        ListView1->SelectRow(-1);
        GroupBoxProperties->ClearPropertiesPanel();
    }
}

void TForm1::Resettodefault1Click() {
    const auto ask = [this](const QString& text, const QString& caption) {
        return askUser(this, text, caption);
    };
    const auto warn = [this](const QString& text, const QString& caption) {
        ShowWarning(this, text, caption);
    };
    const auto write = [this] { return !m_resetWrite || m_resetWrite(); };
    if (HotkeyCommands::Resettodefault1Click(*Hotkeys, ask, warn, write))
        Exit1Click();
}

void TForm1::Properties1Click() {
    Menus->Propertiespanel1->setChecked(true);
    Propertiespanel1Click();
}

void TForm1::Propertiespanel1Click() {
    const bool shown = Menus->Propertiespanel1->isChecked();
    setFixedHeight(shown ? FullHeight : FoldedHeight);
    // Folded away, its fields are out of Tab's way too.
    if (built())
        GroupBoxProperties->setVisible(shown);
    if (m_settings.isOn(Setting::Properties) != shown)
        m_settings.setValue(Setting::Properties, shown ? 1 : 0);
    update();
}

void TForm1::Realignlist1Click() {
    if (!built())
        return;
    ListView1->Realign();
}

void TForm1::Refresh1Click() {
    if (!built())
        return;
    update();
    ListView1->viewport()->update();
}

void TForm1::Hide1Click() {
    emit hideRequested();
}

void TForm1::Minimize1Click() {
    showMinimized();
}

void TForm1::Exit1Click() {
    emit exitRequested();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A close request from the window manager (Alt+F4, the task bar) only hides: Orvane goes
    // on in the tray, and only Exit ends it.
    hide();
    event->ignore();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    Menus->PopupMenu1->popup(event->globalPos());
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (built())
        GroupBoxProperties->HideIconPicker();
    QWidget::mouseMoveEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (built() && event->type() == QEvent::MouseMove && watched == ListView1->viewport())
        GroupBoxProperties->HideIconPicker();
    return QWidget::eventFilter(watched, event);
}
