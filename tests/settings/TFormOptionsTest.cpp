// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormOptions.h"
#include "controls/Look.h"

#include "Screenshots.h"
#include "SendMouse.h"
#include "TestFiles.h"
#include "controls/MessageBox.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "core/IniFile.h"
#include "settings/SettingsStore.h"
#include "volume/TFormVolume.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

enum class Kind { Box, Slider, List };

// One row per setting the dialog holds: its control, what the control says and offers, the
// page it is on, and a value other than the default.
struct ControlRow {
    Setting setting;
    const char* name;
    Kind kind;
    const char* caption;
    QStringList items;
    int page;
    int other;
};

const QStringList kSteps = {"0,1", "0,2", "0,5", "1", "2", "3", "5", "10", "20"};
const QStringList kTimes = {"0,5", "1", "2", "3", "4", "5"};
const QStringList kSchemes = {"Blue", "Green", "Red", "Yellow", "Purple", "Silver", "Black"};
const QStringList kQualities = {"Low", "Middle", "Hight"};

const ControlRow kRows[] = {
    {Setting::EasyMove, "CheckBox_EasyMove", Kind::Box, "Easy Window Move", {}, 0, 0},
    {Setting::MinimizeToTray, "CheckBoxMinimizeToTray", Kind::Box, "Minimize to Tray", {}, 0, 1},
    {Setting::MainTransparent, "CheckBoxMainTransparent", Kind::Box, "Trasparent Window", {}, 0, 1},
    {Setting::MainAlpha, "TrackBarMainAlpha", Kind::Slider, nullptr, {}, 0, 7},
    {Setting::VolumeShow, "CheckBoxVolumeShow", Kind::Box, "Show Volume Level Window", {}, 1, 0},
    {Setting::VolumeStep, "ComboBoxVolumeStep", Kind::List, nullptr, kSteps, 1, 8},
    {Setting::VisibleTime, "ComboBoxVisibleTime", Kind::List, nullptr, kTimes, 1, 0},
    {Setting::VolumeTransparent,
     "CheckBoxVolumeTransparent",
     Kind::Box,
     "Trasparent Window",
     {},
     1,
     1},
    {Setting::VolumeAlpha, "TrackBarVolumeAlpha", Kind::Slider, nullptr, {}, 1, 2},
    {Setting::CheckBoxes, "CheckBoxCheckBoxes", Kind::Box, "Show CheckBoxes", {}, 2, 0},
    {Setting::GridLines, "CheckBoxGridLines", Kind::Box, "Show GridLines", {}, 2, 1},
    {Setting::TrayVisible, "CheckBoxTrayVisible", Kind::Box, "Visible", {}, 3, 0},
    {Setting::TrayAnimate, "CheckBoxTrayAnimate", Kind::Box, "Animate", {}, 3, 0},
    {Setting::Logo, "CheckBoxLogo", Kind::Box, "Show Logo at startup", {}, 4, 0},
    {Setting::Autorun, "CheckBoxAutorun", Kind::Box, "Autorun with Windows", {}, 4, 0},
    {Setting::Color, "ComboBoxColorScheme", Kind::List, nullptr, kSchemes, 4, 2},
    {Setting::Quality, "ComboBoxQuality", Kind::List, nullptr, kQualities, 4, 2},
};

int shown(QWidget* control) {
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? 1 : 0;
    if (auto* slider = qobject_cast<QSlider*>(control))
        return slider->value();
    return qobject_cast<QComboBox*>(control)->currentIndex();
}

// What a user does to make the control show `value`.
void userSets(QWidget* control, int value) {
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (box->isChecked() != (value != 0))
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
        slider->setFocus();
        while (slider->value() != value)
            QTest::keyClick(slider, slider->value() < value ? Qt::Key_Right : Qt::Key_Left);
    } else {
        qobject_cast<QComboBox*>(control)->setCurrentIndex(value);
    }
}

MessageAnswer g_answer = MessageAnswer::Cancel;
QStringList g_asked;
QWidget* g_askedBy = nullptr;
MessageAnswer answer(QWidget* parent, const QString& text, const QString& caption) {
    g_asked = {text, caption};
    g_askedBy = parent;
    return g_answer;
}

class OptionsDialog : public ::testing::Test {
protected:
    void TearDown() override { SetQuestionHook(nullptr); }

    QWidget* control(const ControlRow& row) {
        return dialog.findChild<QWidget*>(QLatin1String(row.name));
    }
    void showOn(int page) {
        dialog.ShowOptions();
        dialog.Pages().PageControl1->setCurrentIndex(page);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    SettingsStore store;
    Look look;
    TFormOptions dialog{store, look};
};

TEST_F(OptionsDialog, EveryControlHasItsCaptionItemsPageAndDefault) {
    showOn(0);
    const OptionsPages& p = dialog.Pages();
    for (const ControlRow& row : kRows) {
        SCOPED_TRACE(row.name);
        QWidget* c = control(row);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c, p.Holder(row.setting));
        EXPECT_TRUE(p.Pages[size_t(row.page)]->isAncestorOf(c));
        EXPECT_EQ(shown(c), DefinitionOf(row.setting).defaultValue);
        if (row.kind == Kind::Box) {
            EXPECT_EQ(qobject_cast<QCheckBox*>(c)->text(), QLatin1String(row.caption));
        }
        if (row.kind == Kind::Slider) {
            EXPECT_EQ(qobject_cast<QSlider*>(c)->minimum(), 2);
            EXPECT_EQ(qobject_cast<QSlider*>(c)->maximum(), 10);
        }
        if (row.kind == Kind::List) {
            auto* list = qobject_cast<QComboBox*>(c);
            EXPECT_FALSE(list->isEditable()) << "pick-only";
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            EXPECT_EQ(items, row.items);
        }
    }
    EXPECT_EQ(p.Holder(Setting::Properties), nullptr) << "the main window's menu item";

    const std::pair<QLabel*, const char*> labels[] = {
        {p.Label7, "Alpha Blend/Opacity"},
        {p.Label2, "Alpha Blend/Opacity"},
        {p.Label1, "Disabled"},
        {p.Label8, "Disabled"},
        {p.Label3, "Incrase/Decrase volume by                       unit(s)"},
        {p.Label4, "Window remains visible for                         sec."},
        {p.Label5, "Color scheme"},
        {p.Label6, "Color Quality"}};
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), QLatin1String(text)) << label->objectName().toStdString();
    EXPECT_EQ(p.GroupBox1->title(), "Windows 2K,XP");
    EXPECT_EQ(p.GroupBox2->title(), "Windows 2K,XP");
}

TEST_F(OptionsDialog, StoreChangesShowInTheControlsAndUserChangesReachTheStore) {
    for (const ControlRow& row : kRows) {
        SCOPED_TRACE(row.name);
        showOn(row.page);
        QWidget* c = control(row);
        const int def = DefinitionOf(row.setting).defaultValue;
        ASSERT_NE(row.other, def);
        QSignalSpy changes(&store, &SettingsStore::changed);

        store.setValue(row.setting, row.other);
        EXPECT_EQ(shown(c), row.other);
        EXPECT_EQ(changes.count(), 1) << "showing the value writes nothing back";

        userSets(c, def);
        EXPECT_EQ(store.value(row.setting), def);
        // A slider moved by the keyboard applies every position it passes.
        const int steps = row.kind == Kind::Slider ? std::abs(def - row.other) : 1;
        ASSERT_EQ(changes.count(), 1 + steps);
        for (const QList<QVariant>& args : changes)
            EXPECT_EQ(args.at(0).value<Setting>(), row.setting);
    }
}

TEST_F(OptionsDialog, TheLabelsUnderTheSlidersShowThePercentageOrDisabled) {
    showOn(0);
    const OptionsPages& p = dialog.Pages();
    const struct {
        QSlider* slider;
        QLabel* label;
        Setting setting;
    } sliders[] = {{p.TrackBarMainAlpha, p.Label1, Setting::MainAlpha},
                   {p.TrackBarVolumeAlpha, p.Label8, Setting::VolumeAlpha}};
    const std::pair<int, const char*> positions[] = {
        {7, "70%"}, {2, "20%"}, {9, "90%"}, {10, "Disabled"}};
    for (const auto& s : sliders) {
        for (const auto& [position, text] : positions) {
            userSets(s.slider, position);
            EXPECT_EQ(s.label->text(), QLatin1String(text)) << position;
            EXPECT_EQ(store.value(s.setting), position);
        }
        // A load shows in the label as well.
        store.setValue(s.setting, 4);
        EXPECT_EQ(s.label->text(), "40%");
    }
}

TEST_F(OptionsDialog, DefaultAnsweredYesRestoresEveryDefaultAndLeavesTheFileAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    const QByteArray file = "[MainWindow]\nAlpha=3\nEasyMove=0\n[General]\nColor=5\nLogo=0\n";
    ASSERT_TRUE(writeAll(path, file));
    store.Load(path);
    showOn(4);
    for (const ControlRow& row : kRows)
        userSets(control(row), row.other);
    std::array<int, SettingCount> changed{};
    for (const SettingDef& def : SettingsTable())
        changed[size_t(def.setting)] = store.value(def.setting);
    SetQuestionHook(answer);

    for (const MessageAnswer refusal : {MessageAnswer::No, MessageAnswer::Cancel}) {
        g_answer = refusal;
        g_asked.clear();
        QTest::mouseClick(dialog.ButtonDefault(), Qt::LeftButton);
        EXPECT_EQ(g_asked, QStringList({"Reset all settings to default?", "Default ?"}));
        EXPECT_EQ(g_askedBy, &dialog) << "owned by the dialog";
        for (const ControlRow& row : kRows)
            EXPECT_EQ(store.value(row.setting), changed[size_t(row.setting)]) << row.name;
    }

    g_answer = MessageAnswer::Yes;
    QTest::mouseClick(dialog.ButtonDefault(), Qt::LeftButton);
    for (const ControlRow& row : kRows) {
        const int def = DefinitionOf(row.setting).defaultValue;
        EXPECT_EQ(store.value(row.setting), def) << row.name;
        EXPECT_EQ(shown(control(row)), def) << row.name;
    }
    EXPECT_EQ(dialog.Pages().Label1->text(), "Disabled");
    EXPECT_EQ(readAll(path), file);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(OptionsDialog, OkHidesTheDialogThenSavesAllEighteenKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    store.LoadDefaults();
    showOn(0);
    userSets(dialog.Pages().TrackBarMainAlpha, 7);
    bool visibleWhenSaved = true;
    QObject::connect(&dialog, &TFormOptions::saveRequested, &dialog, [&] {
        visibleWhenSaved = dialog.isVisible();
        store.Save(path);
    });
    QTest::mouseClick(dialog.ButtonOK(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(visibleWhenSaved);

    const IniFile saved = IniFile::load(path);
    int keys = 0;
    for (const QString& section : saved.sectionNames())
        keys += int(saved.keyNames(section).size());
    EXPECT_EQ(keys, 18);
    EXPECT_EQ(saved.readInteger("MainWindow", "Alpha", 0), 7);
}

// Esc closes the dialog as its window's close does: the change made stays, nothing is saved.
TEST_F(OptionsDialog, EscClosesTheDialogWithoutSaving) {
    showOn(OptionsPages::GeneralPage);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QSignalSpy saves(&dialog, &TFormOptions::saveRequested);
    QCheckBox* box = dialog.Pages().CheckBoxLogo;
    const bool logo = store.isOn(Setting::Logo);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_NE(store.isOn(Setting::Logo), logo);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(saves.count(), 0);
    EXPECT_NE(store.isOn(Setting::Logo), logo);
}

TEST_F(OptionsDialog, TheVolumeWindowPreviewsItsLookOnlyWhileTheDialogIsShown) {
    TFormVolume volume(store, look);
    QObject::connect(&dialog, &TFormOptions::volumePreviewWanted, &volume,
                     &TFormVolume::ShowPreview);
    QTemporaryDir dir;
    ASSERT_TRUE(
        writeAll(dir.filePath("Settings.ini"), "[VolumeWindow]\nTransparent=1\nAlpha=5\nShow=0\n"));
    store.Load(dir.filePath("Settings.ini")); // a start-up load: the dialog is hidden
    ASSERT_EQ(store.value(Setting::VolumeAlpha), 5);
    EXPECT_FALSE(volume.isVisible());

    showOn(1);
    const OptionsPages& p = dialog.Pages();
    userSets(p.CheckBoxGridLines, 1);
    EXPECT_FALSE(volume.isVisible()) << "not the volume window's look";
    userSets(p.CheckBoxVolumeTransparent, 0);
    EXPECT_TRUE(volume.isVisible());
    EXPECT_TRUE(volume.Timer1->isActive());
    volume.hide();
    userSets(p.TrackBarVolumeAlpha, 8);
    EXPECT_TRUE(volume.isVisible());
    EXPECT_NEAR(volume.windowOpacity(), 204 / 255.0, 0.002) << "with its new look";

    volume.hide();
    dialog.hide();
    store.setValue(Setting::VolumeTransparent, 1);
    EXPECT_FALSE(volume.isVisible());
}

// Made at its first show, outlined, titled and framed like every skinned window.
TEST_F(OptionsDialog, ADialogOnTopWithItsPagesAndButtons) {
    EXPECT_EQ(dialog.windowType(), Qt::Dialog);
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);

    showOn(4);
    EXPECT_EQ(dialog.pos(), QPoint(323, 194));

    QTabWidget* pages = dialog.Pages().PageControl1;
    EXPECT_EQ(pages->geometry(), QRect(2, 26, 390, 215));
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i)
        titles << pages->tabText(i);
    EXPECT_EQ(titles, QStringList({"Main Window", "Volume Window", "Hotkeys List", "Tray Icon",
                                   "General"}));
    // All five tabs in the row, each caption whole: nothing to scroll to.
    for (int i = 0; i < pages->count(); ++i) {
        const QRect tab = pages->tabBar()->tabRect(i);
        const QRect inPages(pages->tabBar()->mapTo(pages, tab.topLeft()), tab.size());
        EXPECT_TRUE(pages->rect().contains(inPages)) << titles[i].toStdString();
        EXPECT_GT(tab.width(), pages->fontMetrics().horizontalAdvance(titles[i]));
    }
    for (const QWidget* scroll : pages->tabBar()->findChildren<QWidget*>())
        EXPECT_FALSE(scroll->isVisible()) << "no scroll buttons";

    const std::tuple<TdxButton*, const char*, QRect> buttons[] = {
        {dialog.ButtonDefault(), "Default", QRect(8, 246, 105, 25)},
        {dialog.ButtonOK(), "OK", QRect(280, 246, 105, 25)}};
    for (const auto& [button, caption, place] : buttons) {
        EXPECT_EQ(button->Caption(), QLatin1String(caption));
        EXPECT_EQ(button->geometry(), place);
        EXPECT_TRUE(button->font().bold());
        EXPECT_EQ(button->font().pixelSize(), 11);
        EXPECT_EQ(button->FontColor(), QColor(Qt::white));
    }
    EXPECT_EQ(dialog.ButtonOK()->Glyph().size(), QSize(16, 16));
    EXPECT_TRUE(dialog.ButtonDefault()->Glyph().isNull());
}

TEST_F(OptionsDialog, OwnedByTheMainWindowWithItsBackgroundAndOneDialogInFront) {
    QWidget main;
    QPalette grey = main.palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    main.setPalette(grey);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    TFormOptions owned(store, look, &main);
    owned.ShowOptions();
    owned.ShowOptions();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owned));
    EXPECT_EQ(owned.windowHandle()->transientParent(), main.windowHandle());
    EXPECT_EQ(owned.palette().color(QPalette::Window), QColor(128, 128, 128));
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        dialogs += w->isVisible() && qobject_cast<TFormOptions*>(w) != nullptr;
    EXPECT_EQ(dialogs, 1);
}

// The title bar drags every skinned window that drags; the dialog drags by every free surface.
TEST_F(OptionsDialog, DragsByItsSurfacePageControlAndEveryPage) {
    showOn(0);
    const OptionsPages& p = dialog.Pages();
    struct Area {
        QWidget* widget;
        QPoint press;
        int page;
    };
    std::vector<Area> areas = {
        {&dialog, {200, 244}, 0},
        {p.PageControl1, {1, 120}, 0},
        {p.PageControl1->tabBar(), p.PageControl1->tabBar()->tabRect(2).center(), 2}};
    for (int i = 0; i < 5; ++i)
        areas.push_back({p.Pages[size_t(i)], {370, 4}, i});
    for (const Area& a : areas) {
        SCOPED_TRACE(a.widget->objectName().toStdString());
        p.PageControl1->setCurrentIndex(a.page);
        ASSERT_EQ(a.widget->childAt(a.press), nullptr) << "a free spot";
        const QPoint before = dialog.pos();
        const QPoint start = a.widget->mapToGlobal(a.press);
        SendMouse(a.widget, QEvent::MouseButtonPress, start);
        EXPECT_EQ(dialog.Drag()->Anchor(), a.press) << "the press stays with its own area";
        SendMouse(a.widget, QEvent::MouseMove, start + QPoint(-25, 14));
        EXPECT_EQ(dialog.pos(), before + QPoint(-25, 14));
        SendMouse(a.widget, QEvent::MouseButtonRelease, start + QPoint(-25, 14));
    }
}

// The title bar, strips, background and quality follow the look as in every skinned window.
TEST_F(OptionsDialog, ASchemeRecoloursTheButtonsButWhatTheyAreLaidOutWith) {
    const SkinPalette black{QColor(0, 0, 0), QColor(192, 192, 192), QColor(160, 160, 164),
                            QColor(128, 128, 128)};
    look.SetPalette(black);
    for (TdxButton* button : {dialog.ButtonOK(), dialog.ButtonDefault()}) {
        const TdxColors& c = button->Colors();
        EXPECT_EQ(c.BackgroundFrom(), QColor(0, 0, 0));
        EXPECT_EQ(c.BackgroundTo(), QColor(192, 192, 192));
        EXPECT_EQ(c.ClickedTo(), QColor(0, 0, 0));
        EXPECT_EQ(c.FocusedTo(), QColor(192, 192, 192));
        EXPECT_EQ(c.HighlightTo(), QColor(0, 0, 0));
        // Laid out so, and no scheme changes them.
        EXPECT_EQ(c.ClickedFrom(), QColor(Qt::white));
        EXPECT_EQ(c.HighlightFrom(), QColor(Qt::white));
        EXPECT_EQ(c.BorderLine(), QColor(Qt::black));
        EXPECT_EQ(c.FocusedFrom(), QColor(206, 231, 255));
        EXPECT_EQ(c.BorderEdges(), QColor(123, 150, 173));
        EXPECT_EQ(c.HotTrack(), QColor(255, 0, 0));
    }

    look.SetPalette(Skin::DesignPalette);
    EXPECT_EQ(dialog.ButtonOK()->Colors().BackgroundTo(), Skin::SkyBlue);
}

TEST_F(OptionsDialog, ListsSitOverTheGapsOfTheirLabelsAndNothingIsClipped) {
    showOn(1);
    const OptionsPages& p = dialog.Pages();
    for (auto [list, label] :
         {std::pair{p.ComboBoxVolumeStep, p.Label3}, std::pair{p.ComboBoxVisibleTime, p.Label4}}) {
        SCOPED_TRACE(list->objectName().toStdString());
        const QString text = label->text();
        const QFontMetrics metrics = label->fontMetrics();
        const int gapStart = label->x() + metrics.horizontalAdvance(text.section("  ", 0, 0));
        const int gapEnd =
            label->x() + metrics.horizontalAdvance(text.left(text.lastIndexOf("  ") + 2));
        EXPECT_EQ(list->width(), 49);
        EXPECT_GE(list->x(), gapStart);
        EXPECT_LE(list->geometry().right(), gapEnd);
        EXPECT_TRUE(list->geometry().contains(list->x() + 1, label->geometry().center().y()));
    }
    EXPECT_EQ(p.ComboBoxColorScheme->width(), 89);
    EXPECT_EQ(p.ComboBoxQuality->width(), 89);

    for (int i = 0; i < 5; ++i) {
        p.PageControl1->setCurrentIndex(i);
        QWidget* page = p.Pages[size_t(i)];
        ASSERT_TRUE(page->isVisible());
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->parentWidget()->inherits("QComboBox"))
                continue;
            SCOPED_TRACE(w->objectName().toStdString());
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
            if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) {
                EXPECT_GE(w->width(), w->sizeHint().width()) << "whole caption shown";
            }
        }
    }
}

TEST_F(OptionsDialog, WritesAScreenshotOfEveryPage) {
    showOn(0);
    const char* names[] = {"options-1-main-window.png", "options-2-volume-window.png",
                           "options-3-hotkeys-list.png", "options-4-tray-icon.png",
                           "options-5-general.png"};
    for (int i = 0; i < 5; ++i) {
        dialog.Pages().PageControl1->setCurrentIndex(i);
        EXPECT_TRUE(WindowLook(&dialog).save(ScreenshotPath(names[i])));
    }
}

} // namespace
