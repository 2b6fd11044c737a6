#include "TForm1.h"

#include "AppPaths.h"
#include "CommandLine.h"
#include "HotkeyRegistration.h"
#include "HotkeyStore.h"
#include "KeyTable.h"
#include "MessageBox.h"
#include "SingleInstance.h"
#include "VolumeFunctions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int kColumnWidths[] = {160, 70, 250, 38};
}

TForm1::TForm1(std::unique_ptr<HotkeyBackend> backend, std::unique_ptr<Shell> shell,
               QWidget* parent)
    : QWidget(parent), Hotkeys(new HotkeyTable(this)), ListView1(new QTreeView(this)),
      PopupMenu1(new QMenu(this)), TimerInit(new QTimer(this)), m_backend(std::move(backend)),
      m_shell(std::move(shell)),
      m_executor(*this, *m_shell, [this](const QString& text) { ShowMessage(this, text); }) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Orvane"));
    resize(538, 366);

    // The table the window holds from its creation: the default one, until a load.
    Hotkeys->appendMany(DefaultHotkeyTable());
    Hotkeys->setIconProvider([this](int image) { return QVariant(m_icons.icon(image)); });
    Hotkeys->setCheckToggledHandler(
        [this](int row, bool checked) { ListView1CheckToggled(row, checked); });

    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(Hotkeys);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->header()->setStretchLastSection(false);
    for (int col = HotkeyTable::ColAlt; col < HotkeyTable::ColumnCount; ++col)
        ListView1->header()->hideSection(col);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView1);

    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* exit1 = PopupMenu1->addAction(QStringLiteral("Exit"));
    exit1->setObjectName(QStringLiteral("Exit1"));
    connect(exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto popup = [this](QWidget* w) {
        return [this, w](const QPoint& pos) { PopupMenu1->popup(w->mapToGlobal(pos)); };
    };
    connect(this, &QWidget::customContextMenuRequested, this, popup(this));
    connect(ListView1, &QWidget::customContextMenuRequested, this, popup(ListView1->viewport()));

    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setSingleShot(true);
    TimerInit->setInterval(10);
    connect(TimerInit, &QTimer::timeout, this, &TForm1::TimerInitTimer);

    connect(m_backend.get(), &HotkeyBackend::hotkeyPressed, this,
            &TForm1::ApplicationEvents1Message);
}

TForm1::~TForm1() = default;

TForm1::CreateOutcome TForm1::FormCreate(const QString& commandLine, const QString& filesDir,
                                         const RuntimePlace& runtime) {
    const QString runtimeDir =
        runtime.directory.isEmpty() && runtime.problem.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
            : runtime.directory;
    if (runtimeDir.isEmpty())
        return failToStart(runtime.problem);
    m_instance = new SingleInstance(QStringLiteral("Orvane 2"), runtimeDir, this);
    switch (m_instance->claim()) {
    case SingleInstance::Claim::First: break;
    case SingleInstance::Claim::Failed: return failToStart(m_instance->problem());
    case SingleInstance::Claim::AnotherRuns:
        if (m_instance->askFirstToRaise())
            return CreateOutcome::HandedToFirst;
        return failToStart(
            QStringLiteral("Orvane is already running (process %1), but it does not answer.\n"
                           "End that process and start Orvane again.")
                .arg(m_instance->ownerPid()));
    }
    connect(m_instance, &SingleInstance::raiseRequested, this, &TForm1::RestoreFromOtherInstance);

    m_commandLine = commandLine;
    m_filesDir = filesDir.isEmpty() ? AppPaths::FilesDirectory() : filesDir;
    m_settingsFileName = QStringLiteral("Settings.ini");
    m_hotkeysFileName = QStringLiteral("Hotkeys.ini");
    TimerInit->start();
    return CreateOutcome::Created;
}

TForm1::CreateOutcome TForm1::failToStart(const QString& why) {
    const QString text = QStringLiteral("Orvane cannot start.\n") + why;
    qCritical("%s", qPrintable(text));
    ShowMessage(this, text);
    return CreateOutcome::Failed;
}

QString TForm1::HotkeysPath() const {
    return m_filesDir + QLatin1Char('/') + m_hotkeysFileName;
}

QString TForm1::SettingsPath() const {
    return m_filesDir + QLatin1Char('/') + m_settingsFileName;
}

void TForm1::TimerInitTimer() {
    TimerInit->stop();
    VolumeStep = 655.35;
    HotkeyStore::Load(*Hotkeys, HotkeysPath(), [] { return QSysInfo::machineHostName(); });
    LoadSettings();
    m_loaded = true;

    const QString exe = QCoreApplication::applicationFilePath();
    if (ShowLogoAtStartup && !CommandLine::IsQuotedPathWithBlank(m_commandLine, exe))
        emit splashWanted();

    Hotkeys->setColumnCaptions({QStringLiteral("Flags"), QStringLiteral("Key"),
                                QStringLiteral("Execute"), QStringLiteral("ID"),
                                QStringLiteral("Alt"), QStringLiteral("Ctrl"),
                                QStringLiteral("Shift")});
    for (int col = 0; col < 4; ++col)
        ListView1->header()->resizeSection(col, kColumnWidths[col]);

    const HotkeyRegistration::PassOutcome pass =
        HotkeyRegistration::RegistrationPass(*Hotkeys, *m_backend);

    if (CommandLine::IsPlainStart(m_commandLine, exe)) {
        HideMainWindow();
        ShowMainWindow();
    }
    emit started();
    // Said once, after the start-up is complete, so that the rest of Orvane works meanwhile.
    if (pass.noDisplay) {
        QTimer::singleShot(0, this, [this] {
            if (!m_exitFlag)
                ShowMessage(this, HotkeyRegistration::kNoDisplay);
        });
    }
}

void TForm1::Exit1Click() {
    if (m_exitFlag)
        return; // already ending: a second signal or click must not save twice
    m_exitFlag = true;
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!m_exitFlag) {
        hide();
        event->ignore();
        return;
    }
    HotkeyRegistration::ReleaseAll(*Hotkeys, *m_backend);
    hide();
    SaveLoadedState();
    event->accept();
    QCoreApplication::quit();
}

void TForm1::EndingNow() {
    m_exitFlag = true;
    SaveLoadedState();
}

void TForm1::SaveLoadedState() {
    if (!m_loaded || m_saved)
        return;
    m_saved = true;
    SaveSettings();
    HotkeyStore::Save(*Hotkeys, HotkeysPath());
}

void TForm1::ShowMainWindow() {
    show();
    raise();
    activateWindow();
}

void TForm1::HideMainWindow() {
    hide();
}

void TForm1::RestoreFromOtherInstance() {
    showNormal();
    raise();
    activateWindow();
}

void TForm1::ToggleMainWindow() {
    setVisible(!isVisible());
}

void TForm1::VolumeDown() {
    const VolumeFunctions::VolumeLevel v = VolumeFunctions::VolumeDown(*AudioMixer1, VolumeStep);
    if (v.noDevice)
        FormVolume->ShowNoDevice();
    else
        FormVolume->ShowVolumeLevel(v.left, v.right, v.mute);
}

void TForm1::VolumeUp() {
    const VolumeFunctions::VolumeLevel v = VolumeFunctions::VolumeUp(*AudioMixer1, VolumeStep);
    if (v.noDevice)
        FormVolume->ShowNoDevice();
    else
        FormVolume->ShowVolumeLevel(v.left, v.right, v.mute);
}

void TForm1::VolumeMute() {
    const VolumeFunctions::VolumeLevel v = VolumeFunctions::VolumeMute(*AudioMixer1);
    if (v.noDevice)
        FormVolume->ShowNoDevice();
    else
        FormVolume->ShowVolumeLevel(v.left, v.right, v.mute);
}

// The settings store fills these; until then the defaults stand.
void TForm1::LoadSettings() {}
void TForm1::SaveSettings() {}

void TForm1::ApplicationEvents1Message(int id, bool autoRepeat) {
    HotkeyRegistration::ApplicationEvents1Message(*Hotkeys, id, autoRepeat, m_executor);
}

void TForm1::ListView1CheckToggled(int row, bool checked) {
    // A row's check box enables or disables its hotkey at once, through Apply.
    ListView1->setCurrentIndex(Hotkeys->index(row, 0));
    const HotkeyEntry& e = Hotkeys->at(row);
    PanelValues panel;
    panel.enabled = checked;
    panel.alt = e.Alt == QLatin1String("1");
    panel.ctrl = e.Ctrl == QLatin1String("1");
    panel.shift = e.Shift == QLatin1String("1");
    panel.keyPosition = KeyTable::positionOfName(e.Key).value_or(-1);
    panel.execute = e.Execute;
    panel.image = e.Image;
    const ApplyOutcome out = HotkeyRegistration::ButtonApply(*Hotkeys, row, panel, *m_backend);
    if (!out.message.isEmpty())
        ShowMessage(this, out.message);
}
