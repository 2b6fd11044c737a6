// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/ApplicationPicker.h"

#include "platform/AppCatalog.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ApplicationPicker::ApplicationPicker(AppCatalog& catalog, QWidget* parent)
    : QDialog(parent), m_catalog(catalog) {
    setObjectName(QStringLiteral("ApplicationPicker"));
    setWindowTitle(QStringLiteral("Application"));
    resize(360, 420);
    Filter = new QLineEdit(this);
    Filter->setObjectName(QStringLiteral("Filter"));
    Filter->setPlaceholderText(QStringLiteral("Filter"));
    Filter->setClearButtonEnabled(true);
    Applications = new QListWidget(this);
    Applications->setObjectName(QStringLiteral("Applications"));
    Applications->setIconSize({24, 24});
    Applications->setUniformItemSizes(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Filter);
    layout->addWidget(Applications);
    layout->addWidget(buttons);

    connect(Filter, &QLineEdit::textChanged, this, &ApplicationPicker::applyFilter);
    connect(Applications, &QListWidget::currentItemChanged, ok,
            [ok](QListWidgetItem* current) { ok->setEnabled(current != nullptr); });
    connect(Applications, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ApplicationPicker::Choose(AppCatalog& catalog, QWidget* parent) {
    ApplicationPicker picker(catalog, parent);
    return picker.exec() == QDialog::Accepted ? picker.ChosenId() : QString();
}

QString ApplicationPicker::ChosenId() const {
    const QListWidgetItem* item = Applications->currentItem();
    return item && !item->isHidden() ? item->data(Qt::UserRole).toString() : QString();
}

void ApplicationPicker::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Read once the dialog is on the screen: the desktop's folders take a moment.
    if (!m_loaded)
        QTimer::singleShot(0, this, &ApplicationPicker::load);
    m_loaded = true;
}

void ApplicationPicker::load() {
    for (const InstalledApplication& app : m_catalog.Applications()) {
        const QIcon icon =
            app.icon.startsWith(QLatin1Char('/')) ? QIcon(app.icon) : QIcon::fromTheme(app.icon);
        auto* item = new QListWidgetItem(icon, app.name, Applications);
        item->setData(Qt::UserRole, app.id);
        item->setToolTip(app.id);
    }
    applyFilter(Filter->text());
}

void ApplicationPicker::applyFilter(const QString& text) {
    QListWidgetItem* firstShown = nullptr;
    for (int i = 0; i < Applications->count(); ++i) {
        QListWidgetItem* item = Applications->item(i);
        const bool shown = item->text().contains(text, Qt::CaseInsensitive) ||
                           item->data(Qt::UserRole).toString().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !firstShown)
            firstShown = item;
    }
    // What the filter leaves first is what Enter takes.
    if (!Applications->currentItem() || Applications->currentItem()->isHidden())
        Applications->setCurrentItem(firstShown);
}
