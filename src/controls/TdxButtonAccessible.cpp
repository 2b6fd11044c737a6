// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxButtonAccessible.h"

#include "controls/TdxButton.h"

#include <QAccessibleWidget>

namespace {

const char* const TitleBarProperty = "orvaneTitleBar";

class Accessible : public QAccessibleWidget {
public:
    explicit Accessible(TdxButton* button) : QAccessibleWidget(button, QAccessible::Button) {
        addControllingSignal(QStringLiteral("OnClick()"));
    }

    TdxButton* button() const { return static_cast<TdxButton*>(widget()); }

    // Asked each time: the mark may come after a first look at the button.
    QAccessible::Role role() const override {
        return TdxButtonAccessible::IsTitleBar(*button()) ? QAccessible::TitleBar
                                                          : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return TdxButtonAccessible::NameOf(*button());
        return QAccessibleWidget::text(t);
    }

    // A title bar moves its window under the pointer; there is nothing to press.
    QStringList actionNames() const override {
        return role() == QAccessible::Button && button()->isEnabled() ? QStringList{pressAction()}
                                                                      : QStringList{};
    }
    void doAction(const QString& action) override {
        if (actionNames().contains(action))
            button()->Click();
    }
};

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

void MarkTitleBar(TdxButton& bar) {
    bar.setProperty(TitleBarProperty, true);
}

bool IsTitleBar(const TdxButton& button) {
    return button.property(TitleBarProperty).toBool();
}

QAccessibleInterface* Describe(TdxButton* button) {
    return new Accessible(button);
}

} // namespace TdxButtonAccessible
