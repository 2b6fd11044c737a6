// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class AppCatalog;
class QLineEdit;
class QListWidget;

// "Application...": the installed applications the desktop shows, with their icons and a
// filter; the one picked becomes the target, by its desktop entry id. The list is read when
// the dialog has appeared, never before it is asked for.
class ApplicationPicker : public QDialog {
    Q_OBJECT
public:
    ApplicationPicker(AppCatalog& catalog, QWidget* parent);

    // Shows the dialog and waits: the id picked, or an empty text when cancelled.
    static QString Choose(AppCatalog& catalog, QWidget* parent);

    // The id of the application chosen, or an empty text.
    QString ChosenId() const;

    QLineEdit* Filter;
    QListWidget* Applications;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void load();
    void applyFilter(const QString& text);

    AppCatalog& m_catalog;
    bool m_loaded = false;
};
