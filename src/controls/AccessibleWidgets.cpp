// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/AccessibleWidgets.h"

#include "controls/TLinkLabel.h"
#include "controls/TdxButton.h"
#include "controls/TdxButtonAccessible.h"

#include <QAccessibleWidget>

namespace {

const char* const DecorativeProperty = "orvaneDecorative";

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(TLinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    TLinkLabel* label() const { return static_cast<TLinkLabel*>(widget()); }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return label()->accessibleName().isEmpty() ? label()->text()
                                                       : label()->accessibleName();
        case QAccessible::Description:
            return label()->accessibleDescription().isEmpty() ? label()->Link()
                                                              : label()->accessibleDescription();
        default: return QAccessibleWidget::text(t);
        }
    }

    QStringList actionNames() const override {
        return label()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        if (actionNames().contains(action))
            label()->Open();
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("TdxButton"))
        return TdxButtonAccessible::Describe(static_cast<TdxButton*>(widget));
    if (className == QLatin1String("TLinkLabel"))
        return new LinkAccessible(static_cast<TLinkLabel*>(widget));
    // Qt takes a plain widget for a filler, even a window: a skinned window is a frame, or a
    // dialog where it is one, named by its title.
    if (className == QLatin1String("SkinnedWindow"))
        return new QAccessibleWidget(
            widget, widget->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
    // Asked with the object's own class first: a marked widget is a separator whatever it is.
    if (widget->property(DecorativeProperty).toBool() &&
        className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    return nullptr;
}

} // namespace

namespace AccessibleWidgets {

void MarkDecorative(QWidget& widget) {
    Install();
    widget.setProperty(DecorativeProperty, true);
    // Qt makes a widget's interface as soon as it reports the widget's creation: one made
    // before the mark would go on describing a plain label.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget);
        made && made->role() != QAccessible::Separator)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void Install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace AccessibleWidgets
