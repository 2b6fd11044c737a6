// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/OptionsPages.h"

#include "controls/Skin.h"
#include "settings/SettingsTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QSlider>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

namespace {

const QRect kPageControl(2, Skin::TitleBarHeight, 390, 215);
constexpr int kCheckBoxWidth = 161;
constexpr int kCheckBoxHeight = 17;
constexpr int kGapListWidth = 49;
constexpr int kListWidth = 89;
constexpr int kAlphaCaptionWidth = 41;

// A check box 161 by 17 at its place, wider only where its caption needs it.
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(at.x(), at.y(), std::max(kCheckBoxWidth, box->sizeHint().width()),
                     std::max(kCheckBoxHeight, box->sizeHint().height()));
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->adjustSize();
    l->move(at);
    return l;
}

// A pick-only drop-down list with its items, no selection until bound.
template <size_t N>
QComboBox* list(QWidget* parent, const char* name, const std::array<const char*, N>& items,
                int width) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(false);
    for (const char* item : items)
        box->addItem(QLatin1String(item));
    box->resize(width, box->sizeHint().height());
    return box;
}

// Puts `box` over the run of blanks in `caption`'s text, centred in it and on the text's line.
void placeInGap(QComboBox* box, const QLabel* caption) {
    const QString text = caption->text();
    const qsizetype start = text.indexOf(QLatin1String("  "));
    qsizetype end = start;
    while (end < text.size() && text[end] == QLatin1Char(' '))
        ++end;
    const QFontMetrics metrics = caption->fontMetrics();
    const int gapStart = metrics.horizontalAdvance(text.left(start));
    const int gapEnd = metrics.horizontalAdvance(text.left(end));
    const int x = caption->x() + (gapStart + gapEnd - box->width()) / 2;
    const int y = caption->geometry().center().y() - box->height() / 2;
    box->move(x, y);
    box->raise();
}

// Tabs only as wide as their captions and a little room, as the old page control had them:
// with the usual room all five do not fit the dialog's width and the tab bar scrolls.
class CompactTabStyle : public QProxyStyle {
public:
    explicit CompactTabStyle(QTabBar* bar)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(bar);
        bar->setStyle(this);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QWidget* page(QTabWidget* control, const char* name, const QString& title) {
    auto* p = new QWidget;
    p->setObjectName(QLatin1String(name));
    control->addTab(p, title);
    // A press belongs to the page it was made on: handed on to the page control and the
    // dialog it would drag them all, each from a different anchor.
    p->setAttribute(Qt::WA_NoMousePropagation);
    return p;
}

// The "Windows 2K,XP" group of a window's look: its transparency box and its opacity slider
// with the caption under "Alpha Blend/Opacity".
struct LookGroup {
    QGroupBox* group;
    QCheckBox* transparent;
    QLabel* alphaLabel;
    QSlider* alpha;
    QLabel* caption;
};

LookGroup lookGroup(QWidget* parent, const char* groupName, const QRect& place, const char* boxName,
                    const char* alphaLabelName, const char* sliderName, const char* captionName) {
    LookGroup g{};
    g.group = new QGroupBox(QStringLiteral("Windows 2K,XP"), parent);
    g.group->setObjectName(QLatin1String(groupName));
    g.group->setGeometry(place);
    const int row = place.height() / 2 - 4;
    g.transparent = checkBox(g.group, boxName, QStringLiteral("Trasparent Window"), {16, 22});
    g.alphaLabel = label(g.group, alphaLabelName, QStringLiteral("Alpha Blend/Opacity"), {16, row});

    g.caption = new QLabel(QStringLiteral("Disabled"), g.group);
    g.caption->setObjectName(QLatin1String(captionName));
    g.caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // 41 wide as laid out, unless the type in use needs more for "Disabled".
    const int captionWidth = std::max(kAlphaCaptionWidth, g.caption->sizeHint().width());
    const QRect under = g.alphaLabel->geometry();
    g.caption->setGeometry(under.center().x() - captionWidth / 2 + 1, under.bottom() + 4,
                           captionWidth, under.height());

    g.alpha = new QSlider(Qt::Horizontal, g.group);
    g.alpha->setObjectName(QLatin1String(sliderName));
    g.alpha->setRange(2, 10);
    g.alpha->setSingleStep(1);
    g.alpha->setPageStep(2);
    g.alpha->setTickInterval(1);
    g.alpha->setTickPosition(QSlider::TicksBelow);
    g.alpha->setValue(10);
    // Captions name their controls for screen readers.
    g.alphaLabel->setBuddy(g.alpha);
    const int sliderLeft = under.right() + 24;
    g.alpha->setGeometry(sliderLeft, row - 4, place.width() - sliderLeft - 16,
                         g.alpha->sizeHint().height());
    return g;
}

} // namespace

OptionsPages OptionsPages::Build(QWidget* dialog) {
    OptionsPages p;
    p.PageControl1 = new QTabWidget(dialog);
    p.PageControl1->setObjectName(QStringLiteral("PageControl1"));
    p.PageControl1->setGeometry(kPageControl);
    p.PageControl1->setAttribute(Qt::WA_NoMousePropagation);
    p.PageControl1->tabBar()->setAttribute(Qt::WA_NoMousePropagation);
    new CompactTabStyle(p.PageControl1->tabBar());
    const int inner = kPageControl.width() - 8;

    QWidget* main = p.Pages[0] = page(p.PageControl1, "TabSheet1", QStringLiteral("Main Window"));
    p.CheckBox_EasyMove =
        checkBox(main, "CheckBox_EasyMove", QStringLiteral("Easy Window Move"), {16, 12});
    p.CheckBoxMinimizeToTray =
        checkBox(main, "CheckBoxMinimizeToTray", QStringLiteral("Minimize to Tray"), {16, 36});
    const LookGroup mainLook =
        lookGroup(main, "GroupBox1", {8, 66, inner - 16, 106}, "CheckBoxMainTransparent", "Label7",
                  "TrackBarMainAlpha", "Label1");
    p.GroupBox1 = mainLook.group;
    p.CheckBoxMainTransparent = mainLook.transparent;
    p.Label7 = mainLook.alphaLabel;
    p.TrackBarMainAlpha = mainLook.alpha;
    p.Label1 = mainLook.caption;

    QWidget* volume = p.Pages[1] =
        page(p.PageControl1, "TabSheet2", QStringLiteral("Volume Window"));
    p.CheckBoxVolumeShow =
        checkBox(volume, "CheckBoxVolumeShow", QStringLiteral("Show Volume Level Window"), {16, 8});
    // The blanks in these captions are where the lists go.
    p.Label3 =
        label(volume, "Label3",
              QStringLiteral("Incrase/Decrase volume by                       unit(s)"), {16, 38});
    p.ComboBoxVolumeStep = list(volume, "ComboBoxVolumeStep", kVolumeStepItems, kGapListWidth);
    placeInGap(p.ComboBoxVolumeStep, p.Label3);
    p.Label3->setBuddy(p.ComboBoxVolumeStep);
    p.Label4 =
        label(volume, "Label4",
              QStringLiteral("Window remains visible for                         sec."), {16, 64});
    p.ComboBoxVisibleTime = list(volume, "ComboBoxVisibleTime", kVisibleTimeItems, kGapListWidth);
    placeInGap(p.ComboBoxVisibleTime, p.Label4);
    p.Label4->setBuddy(p.ComboBoxVisibleTime);
    const LookGroup volumeLook =
        lookGroup(volume, "GroupBox2", {8, 88, inner - 16, 92}, "CheckBoxVolumeTransparent",
                  "Label2", "TrackBarVolumeAlpha", "Label8");
    p.GroupBox2 = volumeLook.group;
    p.CheckBoxVolumeTransparent = volumeLook.transparent;
    p.Label2 = volumeLook.alphaLabel;
    p.TrackBarVolumeAlpha = volumeLook.alpha;
    p.Label8 = volumeLook.caption;

    QWidget* list1 = p.Pages[2] = page(p.PageControl1, "TabSheet3", QStringLiteral("Hotkeys List"));
    p.CheckBoxCheckBoxes =
        checkBox(list1, "CheckBoxCheckBoxes", QStringLiteral("Show CheckBoxes"), {16, 12});
    p.CheckBoxGridLines =
        checkBox(list1, "CheckBoxGridLines", QStringLiteral("Show GridLines"), {16, 36});

    QWidget* tray = p.Pages[3] = page(p.PageControl1, "TabSheet4", QStringLiteral("Tray Icon"));
    p.CheckBoxTrayVisible =
        checkBox(tray, "CheckBoxTrayVisible", QStringLiteral("Visible"), {16, 12});
    p.CheckBoxTrayAnimate =
        checkBox(tray, "CheckBoxTrayAnimate", QStringLiteral("Animate"), {16, 36});

    QWidget* general = p.Pages[GeneralPage] =
        page(p.PageControl1, "TabSheet5", QStringLiteral("General"));
    p.CheckBoxLogo =
        checkBox(general, "CheckBoxLogo", QStringLiteral("Show Logo at startup"), {16, 12});
    p.CheckBoxAutorun =
        checkBox(general, "CheckBoxAutorun", QStringLiteral("Autorun with Windows"), {16, 36});
    p.Label5 = label(general, "Label5", QStringLiteral("Color scheme"), {16, 76});
    p.ComboBoxColorScheme = list(general, "ComboBoxColorScheme", Skin::SchemeNames, kListWidth);
    p.Label6 = label(general, "Label6", QStringLiteral("Color Quality"), {16, 106});
    p.ComboBoxQuality = list(general, "ComboBoxQuality",
                             std::array<const char*, 3>{"Low", "Middle", "Hight"}, kListWidth);
    // Both lists in one column right of the longer caption, each on its caption's line.
    const int listLeft = std::max(p.Label5->geometry().right(), p.Label6->geometry().right()) + 16;
    for (auto [box, caption] :
         {std::pair{p.ComboBoxColorScheme, p.Label5}, std::pair{p.ComboBoxQuality, p.Label6}}) {
        box->move(listLeft, caption->geometry().center().y() - box->height() / 2);
        caption->setBuddy(box);
    }

    p.PageControl1->setCurrentIndex(GeneralPage);
    return p;
}

QWidget* OptionsPages::Holder(Setting setting) const {
    switch (setting) {
    case Setting::EasyMove: return CheckBox_EasyMove;
    case Setting::MinimizeToTray: return CheckBoxMinimizeToTray;
    case Setting::MainTransparent: return CheckBoxMainTransparent;
    case Setting::MainAlpha: return TrackBarMainAlpha;
    case Setting::Properties: return nullptr;
    case Setting::VolumeShow: return CheckBoxVolumeShow;
    case Setting::VolumeStep: return ComboBoxVolumeStep;
    case Setting::VisibleTime: return ComboBoxVisibleTime;
    case Setting::VolumeTransparent: return CheckBoxVolumeTransparent;
    case Setting::VolumeAlpha: return TrackBarVolumeAlpha;
    case Setting::CheckBoxes: return CheckBoxCheckBoxes;
    case Setting::GridLines: return CheckBoxGridLines;
    case Setting::TrayVisible: return CheckBoxTrayVisible;
    case Setting::TrayAnimate: return CheckBoxTrayAnimate;
    case Setting::Logo: return CheckBoxLogo;
    case Setting::Autorun: return CheckBoxAutorun;
    case Setting::Color: return ComboBoxColorScheme;
    case Setting::Quality: return ComboBoxQuality;
    }
    return nullptr;
}

QString OptionsPages::AlphaCaption(int position) {
    if (position >= 10)
        return QStringLiteral("Disabled");
    return QString::number(position * 10) + QLatin1Char('%');
}
