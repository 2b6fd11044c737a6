#include "TForm1.h"

#include "HotkeyRegistration.h"
#include "HotkeyTable.h"
#include "KeyTable.h"
#include "MessageBox.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int kColumnWidths[] = {160, 70, 250, 38};
}

TForm1::TForm1(HotkeyTable& table, HotkeyBackend& backend, QWidget* parent)
    : QWidget(parent), Hotkeys(&table), ListView1(new QTreeView(this)), PopupMenu1(new QMenu(this)),
      m_backend(backend) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Orvane"));
    resize(538, 366);

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
}

TForm1::~TForm1() = default;

void TForm1::PrepareLists() {
    Hotkeys->setColumnCaptions({QStringLiteral("Flags"), QStringLiteral("Key"),
                                QStringLiteral("Execute"), QStringLiteral("ID"),
                                QStringLiteral("Alt"), QStringLiteral("Ctrl"),
                                QStringLiteral("Shift")});
    for (int col = 0; col < 4; ++col)
        ListView1->header()->resizeSection(col, kColumnWidths[col]);
}

void TForm1::ShowSplash() {
    emit splashWanted();
}

void TForm1::Exit1Click() {
    if (OnExit)
        OnExit();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (OnCloseQuery && OnCloseQuery()) {
        event->accept();
        return;
    }
    hide();
    event->ignore();
}

void TForm1::CloseMainWindow() {
    close();
}

void TForm1::TellUser(const QString& text) {
    ShowMessage(this, text);
}

void TForm1::ShowMainWindow() {
    show();
    raise();
    activateWindow();
}

void TForm1::HideMainWindow() {
    hide();
}

void TForm1::RestoreMainWindow() {
    showNormal();
    raise();
    activateWindow();
}

void TForm1::ToggleMainWindow() {
    setVisible(!isVisible());
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
    const ApplyOutcome out = HotkeyRegistration::ButtonApply(*Hotkeys, row, panel, m_backend);
    if (!out.message.isEmpty())
        ShowMessage(this, out.message);
}
