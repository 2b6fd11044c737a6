// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/PropertiesPanel.h"

#include "controls/LayoutPixels.h"
#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "core/BuiltinFunctions.h"
#include "core/HotkeyTable.h"
#include "core/KeyRecording.h"
#include "core/KeyTable.h"
#include "mainwindow/ApplicationPicker.h"
#include "mainwindow/HotkeyIconList.h"
#include "mainwindow/IconPicker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>
#include <algorithm>
#include <limits>

namespace {

// A flat button whose caption is followed by its image, the two centred together.
class CaptionThenImageButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        painter.drawComplexControl(QStyle::CC_ToolButton, option);

        const int shift = (option.state & QStyle::State_Sunken) ? 1 : 0;
        const QPixmap image = icon().isNull()
                                  ? QPixmap()
                                  : icon().pixmap(iconSize(), devicePixelRatio(),
                                                  isEnabled() ? QIcon::Normal : QIcon::Disabled);
        const int textWidth = fontMetrics().horizontalAdvance(text());
        const int imageWidth = image.isNull() ? 0 : iconSize().width() + kSpacing;
        const int left = (width() - textWidth - imageWidth) / 2 + shift;
        painter.drawItemText(QRect(left, shift, textWidth, height()),
                             Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), text(),
                             QPalette::ButtonText);
        if (!image.isNull())
            painter.drawPixmap(left + textWidth + kSpacing,
                               (height() - iconSize().height()) / 2 + shift, image);
    }

private:
    static constexpr int kSpacing = 4;
};

// Where the panel's title starts, from its left edge.
constexpr int kTitleLeft = 8;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QPoint place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(Skin::Font(11));
    label->move(place);
    label->adjustSize();
    return label;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& text, QRect place,
                        bool bold = false) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(Skin::Font(11, bold));
    box->setGeometry(place);
    return box;
}

// A drop-down list that opens as a scrolling list of about ten items under the box, instead of
// the column of all 90 keys some styles centre on the current item.
class ShortDropDownStyle : public QProxyStyle {
public:
    explicit ShortDropDownStyle(QComboBox* list)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(list);
        list->setStyle(this);
        list->setMaxVisibleItems(kVisibleKeys);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
    static constexpr int kVisibleKeys = 10;
};

QComboBox* makeKeyList(QWidget* parent, const char* name, const QStringList& items, QRect place) {
    auto* list = new QComboBox(parent);
    new ShortDropDownStyle(list);
    list->setObjectName(QLatin1String(name));
    list->setFont(Skin::Font(11));
    list->addItems(items);
    list->setGeometry(place);
    // The open list may be wider than the box: every name shows whole.
    int widest = 0;
    for (const QString& item : items)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(item));
    list->view()->setMinimumWidth(widest + 2 * list->fontMetrics().averageCharWidth() +
                                  list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    return list;
}

TdxButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                      const QString& hint, QRect place, const QFont& font) {
    auto* button = new TdxButton(parent);
    button->setObjectName(QLatin1String(name));
    button->SetCaption(caption);
    button->setToolTip(hint);
    button->setFont(font);
    button->SetFontColor(Qt::white);
    // Colours before the size: a colour change renders the gradients at the current size,
    // and the laid-out size is rendered once, by the resize of the first show.
    Skin::ApplyActionButtonDesign(button->Colors());
    button->setGeometry(place);
    return button;
}

void setColours(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                const QColor& colour) {
    QPalette p = widget->palette();
    for (QPalette::ColorRole role : roles)
        p.setColor(role, colour);
    widget->setPalette(p);
}

// The functions menu's item of each built-in function.
const char* FunctionsMenuItemName(BuiltinAction action) {
    switch (action) {
    case BuiltinAction::VolumeUp: return "VolumeUp1";
    case BuiltinAction::VolumeDown: return "VolumeDown1";
    case BuiltinAction::VolumeMute: return "VolumeMute1";
    case BuiltinAction::TogglePause: return "PauseResumeHotkeys1";
    case BuiltinAction::ToggleMainWindow: break;
    }
    return "ShowHideaplication1";
}

} // namespace

PropertiesPanel::PropertiesPanel(const HotkeyTable& table, const HotkeyIconList& icons,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("  Properties  "), parent), m_table(table), m_icons(icons) {
    setObjectName(QStringLiteral("GroupBoxProperties"));
    setFont(Skin::Font(11));
    Skin::SetTextColour(this, Qt::black);
    setGeometry(2, 272, 538, 92);
    CreateControls();
    ApplyPalette(Skin::DesignPalette);
    ConnectHandlers();
    BrowseForFile = [](QWidget* dialogParent) {
        return QDir::toNativeSeparators(
            QFileDialog::getOpenFileName(dialogParent, QString(), QString(), kBrowseFilter));
    };
    // Inoperable until a row is selected.
    setEnabled(false);
}

PropertiesPanel::~PropertiesPanel() = default;

void PropertiesPanel::CreateControls() {
    // Under the other controls until shown, then raised.
    ListView2 = new IconPicker(m_icons, this);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    ListView2->setGeometry(8, 14, 313, 73);
    ListView2->hide();

    EnabledCheckBox = makeCheckBox(this, "EnabledCheckBox", QStringLiteral("Enabled"),
                                   QRect(8, 26, 65, 17), true);
    AltCheckBox = makeCheckBox(this, "AltCheckBox", QStringLiteral("Alt"), QRect(80, 10, 65, 17));
    ControlCheckBox =
        makeCheckBox(this, "ControlCheckBox", QStringLiteral("Control"), QRect(80, 26, 65, 17));
    ShiftCheckBox =
        makeCheckBox(this, "ShiftCheckBox", QStringLiteral("Shift"), QRect(80, 42, 46, 17));
    WinCheckBox = makeCheckBox(this, "WinCheckBox", QStringLiteral("Win"), QRect(128, 42, 38, 17));

    QLabel* keyLabel = makeLabel(this, "LabelKey", QStringLiteral("Key"), QPoint(170, 12));
    CharComboBox = makeKeyList(this, "CharComboBox", KeyTable::names(), QRect(200, 10, 110, 21));
    keyLabel->setBuddy(CharComboBox);
    QLabel* codeLabel = makeLabel(this, "LabelCode", QStringLiteral("Code"), QPoint(170, 38));
    KeyComboBox = makeKeyList(this, "KeyComboBox", KeyTable::codeTexts(), QRect(200, 36, 50, 21));
    codeLabel->setBuddy(KeyComboBox);
    // Display only: it follows the key list.
    KeyComboBox->setEnabled(false);

    IconSpeedButton = new CaptionThenImageButton(this);
    IconSpeedButton->setObjectName(QStringLiteral("IconSpeedButton"));
    IconSpeedButton->setText(QStringLiteral("Icon  "));
    IconSpeedButton->setFont(Skin::Font(11));
    IconSpeedButton->setAutoRaise(true);
    IconSpeedButton->setFocusPolicy(Qt::TabFocus);
    IconSpeedButton->setIconSize(QSize(32, 32));
    IconSpeedButton->setGeometry(313, 14, 96, 40);

    QLabel* executeLabel =
        makeLabel(this, "LabelExecute", QStringLiteral("Execute:"), QPoint(28, 67));
    EditExecute = new QLineEdit(this);
    // The caption names the field for screen readers.
    executeLabel->setBuddy(EditExecute);
    EditExecute->setObjectName(QStringLiteral("EditExecute"));
    EditExecute->setFont(Skin::Font(13, true));
    EditExecute->setGeometry(80, 63, 329, 24);
    // The edit's default limit would cut a long stored target short on its way to Apply.
    EditExecute->setMaxLength(std::numeric_limits<int>::max());

    const QFont caption = Skin::Font(11, true);
    ButtonRecord =
        makeButton(this, "ButtonRecord", QString(), QStringLiteral("Press the combination to use"),
                   QRect(254, 36, 56, 21), Skin::Font(11));
    ShowRecording(false);
    ButtonApply = makeButton(this, "ButtonApply", QStringLiteral(" Aplly  "),
                             QStringLiteral("Apply the changes"), QRect(428, 10, 100, 25), caption);
    ButtonApply->setEnabled(false);
    ButtonTest = makeButton(this, "ButtonTest", QStringLiteral(" Test  "),
                            QStringLiteral("Test the hotkey and see the possible errors"),
                            QRect(428, 36, 100, 25), caption);
    QFont arrow = Skin::Font(13, true);
    arrow.setUnderline(true);
    arrow.setStrikeOut(true);
    ButtonFunctions = makeButton(this, "ButtonFunctions", QStringLiteral("v"),
                                 QStringLiteral("Functions"), QRect(428, 62, 17, 25), arrow);
    ButtonBrowse = makeButton(this, "ButtonBrowse", QStringLiteral(" Browse  "),
                              QStringLiteral("Browse for files"), QRect(444, 62, 84, 25), caption);

    PopupMenuFunctions = new QMenu(this);
    PopupMenuFunctions->setObjectName(QStringLiteral("PopupMenuFunctions"));
    for (const BuiltinFunction& f : BuiltinFunctionTable) {
        // The volume functions first, the window's own after a separator.
        if (f.action == BuiltinAction::ToggleMainWindow)
            PopupMenuFunctions->addSeparator();
        const QString target = QString::fromLatin1(f.name);
        QAction* item = PopupMenuFunctions->addAction(target);
        item->setObjectName(QLatin1String(FunctionsMenuItemName(f.action)));
        connect(item, &QAction::triggered, this, [this, target] { SetTarget(target); });
    }
}

void PropertiesPanel::ConnectHandlers() {
    for (QCheckBox* box :
         {EnabledCheckBox, AltCheckBox, ControlCheckBox, ShiftCheckBox, WinCheckBox})
        connect(box, &QCheckBox::toggled, this, &PropertiesPanel::EnableApply);
    connect(CharComboBox, &QComboBox::currentIndexChanged, this,
            &PropertiesPanel::CharComboBoxChange);
    connect(EditExecute, &QLineEdit::textChanged, this, &PropertiesPanel::EnableApply);
    connect(IconSpeedButton, &QToolButton::clicked, this, &PropertiesPanel::IconSpeedButtonClick);
    connect(ListView2, &IconPicker::OnClick, this, &PropertiesPanel::ListView2Click);
    connect(ListView2, &IconPicker::dismissed, this, &PropertiesPanel::HideIconPicker);
    connect(ButtonApply, &TdxButton::OnClick, this, &PropertiesPanel::applyClicked);
    connect(ButtonTest, &TdxButton::OnClick, this, &PropertiesPanel::testClicked);
    connect(ButtonRecord, &TdxButton::OnClick, this, &PropertiesPanel::recordClicked);
    connect(ButtonFunctions, &TdxButton::OnClick, this, &PropertiesPanel::ButtonFunctionsClick);
    connect(ButtonBrowse, &TdxButton::OnClick, this, &PropertiesPanel::ButtonBrowseClick);

    // The picker closes as soon as the pointer goes to the other controls.
    for (TdxButton* button : {ButtonRecord, ButtonApply, ButtonTest, ButtonFunctions, ButtonBrowse})
        connect(button, &TdxButton::OnMouseEnter, this, &PropertiesPanel::HideIconPicker);
    for (QWidget* w : std::initializer_list<QWidget*>{EditExecute, AltCheckBox, ControlCheckBox,
                                                      ShiftCheckBox, WinCheckBox}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    setMouseTracking(true);
}

void PropertiesPanel::ApplyPalette(const SkinPalette& palette) {
    for (TdxButton* button : {ButtonRecord, ButtonApply, ButtonTest, ButtonFunctions, ButtonBrowse})
        Skin::ApplyActionButtonSet(button->Colors(), palette);
    // A drop-down list without typing is drawn as a button, its open list as a base.
    for (QComboBox* list : {CharComboBox, KeyComboBox})
        setColours(list, {QPalette::Base, QPalette::Button}, palette.accent);
    setColours(EditExecute, {QPalette::Base}, palette.accent);
    setColours(EditExecute, {QPalette::Text}, palette.dark);
    setColours(ListView2, {QPalette::Base}, palette.listBackground);
    setColours(ListView2, {QPalette::Text}, palette.dark);
}

void PropertiesPanel::FillPropertiesPanel(int selectedRow) {
    HideIconPicker();
    if (selectedRow < 0 || selectedRow >= m_table.count()) {
        ClearPropertiesPanel();
        return;
    }
    setEnabled(true);
    const HotkeyEntry entry = m_table.at(selectedRow);
    EnabledCheckBox->setChecked(entry.Checked);
    AltCheckBox->setChecked(entry.Alt.toInt() != 0);
    ControlCheckBox->setChecked(entry.Ctrl.toInt() != 0);
    ShiftCheckBox->setChecked(entry.Shift.toInt() != 0);
    WinCheckBox->setChecked(entry.Win.toInt() != 0);
    CharComboBox->setCurrentIndex(KeyTable::positionOfName(entry.Key).value_or(-1));
    CharComboBoxChange();
    EditExecute->setText(QString());
    EditExecute->setText(entry.Execute);
    // A long target shows its start, where the program or address is named.
    EditExecute->home(false);
    ListView2->SelectIcon(entry.Image);
    ShowIconOnButton(entry.Image);
    ButtonApply->setEnabled(false);
}

void PropertiesPanel::ClearPropertiesPanel() {
    setEnabled(false);
    for (QCheckBox* box :
         {EnabledCheckBox, AltCheckBox, ControlCheckBox, ShiftCheckBox, WinCheckBox})
        box->setChecked(false);
    CharComboBox->setCurrentIndex(0);
    KeyComboBox->setCurrentIndex(0);
    CharComboBoxChange();
    EditExecute->setText(QString());
    ButtonApply->setEnabled(false);
    ShowIconOnButton(-1);
}

void PropertiesPanel::FillIconPicker() {
    ListView2->Fill();
}

void PropertiesPanel::HideIconPicker() {
    // The keyboard goes back to where the picker was opened, not on to the next field.
    if (ListView2->hasFocus())
        IconSpeedButton->setFocus(Qt::OtherFocusReason);
    ListView2->hide();
}

PanelValues PropertiesPanel::Values() const {
    PanelValues values;
    values.enabled = EnabledCheckBox->isChecked();
    values.alt = AltCheckBox->isChecked();
    values.ctrl = ControlCheckBox->isChecked();
    values.shift = ShiftCheckBox->isChecked();
    values.win = WinCheckBox->isChecked();
    values.keyPosition = CharComboBox->currentIndex();
    values.execute = EditExecute->text();
    values.image = ListView2->SelectedIcon();
    return values;
}

void PropertiesPanel::ApplyDone(const ApplyOutcome& outcome) {
    if (!outcome.ran)
        return;
    if (outcome.clearEnabledCheckBox)
        EnabledCheckBox->setChecked(false);
    // After the untick, whose own handler enables Apply.
    ButtonApply->setEnabled(outcome.applyButtonEnabled);
}

void PropertiesPanel::ShowRecording(bool recording) {
    ButtonRecord->SetCaption(recording ? QStringLiteral(" Press\u2026 ")
                                       : QStringLiteral(" Record "));
    ButtonRecord->setAccessibleDescription(
        recording ? QStringLiteral("Recording: press the combination, or Esc to cancel")
                  : QString());
}

void PropertiesPanel::TakeCombination(const KeyRecording::Outcome& combination) {
    WinCheckBox->setChecked(combination.win);
    AltCheckBox->setChecked(combination.alt);
    ControlCheckBox->setChecked(combination.ctrl);
    ShiftCheckBox->setChecked(combination.shift);
    CharComboBox->setCurrentIndex(combination.keyPosition);
    // Also when the combination is the one already shown.
    EnableApply();
}

QPoint PropertiesPanel::FunctionsMenuPoint() const {
    // Window left + group box left + button left; the top likewise, plus the height of the
    // menu-bar buttons, so that the menu opens over the lower part of the button.
    const QWidget* win = window();
    const QPoint boxInWindow = isWindow() ? QPoint() : mapTo(win, QPoint());
    return win->pos() + boxInWindow + ButtonFunctions->pos() + QPoint(0, 16);
}

void PropertiesPanel::EnableApply() {
    ButtonApply->setEnabled(true);
}

void PropertiesPanel::CharComboBoxChange() {
    KeyComboBox->setCurrentIndex(CharComboBox->currentIndex());
    EnableApply();
}

void PropertiesPanel::IconSpeedButtonClick() {
    if (!ListView2->isHidden()) {
        HideIconPicker();
        return;
    }
    ListView2->show();
    ListView2->raise();
    ListView2->setFocus(Qt::OtherFocusReason);
    const int selected = ListView2->SelectedIcon();
    if (selected >= 0)
        ListView2->scrollTo(ListView2->model()->index(selected, 0));
}

void PropertiesPanel::ListView2Click() {
    const int selected = ListView2->SelectedIcon();
    if (selected < 0)
        return;
    ShowIconOnButton(-1);
    ShowIconOnButton(selected);
    EnableApply();
    HideIconPicker();
}

void PropertiesPanel::ButtonBrowseClick() {
    if (!BrowseForFile)
        return;
    const QString name = BrowseForFile(this);
    if (!name.isEmpty()) {
        EditExecute->setText(name);
        EditExecute->home(false);
    }
}

void PropertiesPanel::OfferApplications(AppCatalog& catalog) {
    ChooseApplication = [&catalog](QWidget* owner) {
        return ApplicationPicker::Choose(catalog, owner);
    };
    PopupMenuFunctions->addSeparator();
    QAction* item = PopupMenuFunctions->addAction(QStringLiteral("Application..."));
    item->setObjectName(QStringLiteral("Application1"));
    connect(item, &QAction::triggered, this, [this] {
        if (const QString id = ChooseApplication(this); !id.isEmpty())
            SetTarget(id);
    });
}

void PropertiesPanel::ButtonFunctionsClick() {
    PopupMenuFunctions->popup(FunctionsMenuPoint());
}

void PropertiesPanel::GroupBoxPropertiesClick() {
    HideIconPicker();
}

void PropertiesPanel::SetTarget(const QString& text) {
    EditExecute->setText(text);
}

void PropertiesPanel::ShowIconOnButton(int image) {
    IconSpeedButton->setIcon(m_icons.icon(image));
}

bool PropertiesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        HideIconPicker();
    return QGroupBox::eventFilter(watched, event);
}

void PropertiesPanel::mousePressEvent(QMouseEvent* event) {
    m_pressedOnBox = event->button() == Qt::LeftButton;
    QGroupBox::mousePressEvent(event);
}

void PropertiesPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressedOnBox && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressedOnBox = false;
    QGroupBox::mouseReleaseEvent(event);
    if (click)
        GroupBoxPropertiesClick();
}

void PropertiesPanel::mouseMoveEvent(QMouseEvent* event) {
    // The free area of the panel is part of the window's surface, where moving the
    // pointer closes the picker.
    HideIconPicker();
    QGroupBox::mouseMoveEvent(event);
}

void PropertiesPanel::paintEvent(QPaintEvent*) {
    // An etched frame and the title, drawn here: the style's own frame tints the inside,
    // which must stay the window's colour for the window's colour key to see through it.
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect frame = rect().adjusted(0, top, -2, -2);
    LayoutPixels::Frame(painter, frame.translated(1, 1), palette().color(QPalette::Light));
    LayoutPixels::Frame(painter, frame, palette().color(QPalette::Mid));

    const QRect caption(kTitleLeft, 0, metrics.horizontalAdvance(title()), metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    style()->drawItemText(&painter, caption, Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}
