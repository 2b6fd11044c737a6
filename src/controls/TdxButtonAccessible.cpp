// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxButtonAccessible.h"

#include "controls/TdxButton.h"

#include <QAccessibleWidget>

namespace {

class Accessible : public QAccessibleWidget {
public:
    explicit Accessible(TdxButton* button) : QAccessibleWidget(button, QAccessible::Button) {
        addControllingSignal(QStringLiteral("OnClick()"));
    }

    TdxButton* button() const { return static_cast<TdxButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return TdxButtonAccessible::NameOf(*button());
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return button()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && button()->isEnabled())
            button()->Click();
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (className == QLatin1String("TdxButton") && object && object->isWidgetType())
        return new Accessible(static_cast<TdxButton*>(object));
    return nullptr;
}

} // namespace

namespace TdxButtonAccessible {

QString NameOf(const TdxButton& button) {
    if (!button.accessibleName().isEmpty())
        return button.accessibleName();
    QString caption = button.Caption().trimmed();
    caption.remove(QLatin1Char('&'));
    // A caption of one character is a glyph ("X", "v", a dash drawn by a blank): the hint
    // says what it does.
    if (caption.size() > 1 || button.toolTip().isEmpty())
        return caption;
    return button.toolTip();
}

void Install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace TdxButtonAccessible
