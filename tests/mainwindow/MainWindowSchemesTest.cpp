// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's colour schemes and colour key, beyond what every skinned window shares.
#include "FakeHotkeyBackend.h"
#include "FakeWindowActivator.h"
#include "controls/Look.h"
#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "controls/WindowShape.h"
#include "controls/WindowTransparency.h"
#include "core/HotkeyTable.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include "mainwindow/TForm1.h"
#include "settings/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct MainWindow : ::testing::Test {
    HotkeyTable table;
    FakeHotkeyBackend backend;
    SettingsStore settings;
    FakeWindowActivator activator;
    Look look;
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        table.appendMany(DefaultHotkeyTable());
        settings.LoadDefaults();
        form = std::make_unique<TForm1>(table, backend, settings, look);
        form->PrepareLists();
    }
    void show() {
        activator.Activate(form.get(), 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
};

// What a scheme sets, control by control, as a role of its palette.
enum class Role { Dark, Accent, List, Window };
QColor colourOf(Role r, const SkinPalette& p) {
    switch (r) {
    case Role::Dark: return p.dark;
    case Role::Accent: return p.accent;
    case Role::List: return p.listBackground;
    case Role::Window: return p.windowBackground;
    }
    return {};
}

const struct {
    const char* button;
    QColor (TdxColors::*colour)() const;
    Role role;
} kButtonRows[] = {
    {"ButtonBar", &TdxColors::BackgroundFrom, Role::Dark}, // title-bar set
    {"ButtonBar", &TdxColors::FocusedTo, Role::Accent},
    {"ButtonHotKeys", &TdxColors::BorderLine, Role::Dark}, // tab set
    {"ButtonView", &TdxColors::BackgroundFrom, Role::Accent},
    {"ButtonHelp", &TdxColors::ClickedFrom, Role::Dark},
    {"ButtonApply", &TdxColors::BackgroundFrom, Role::Dark}, // push-button set
    {"ButtonTest", &TdxColors::ClickedTo, Role::Dark},
    {"ButtonBrowse", &TdxColors::FocusedTo, Role::Accent},
    {"ButtonFunctions", &TdxColors::BackgroundTo, Role::Accent},
    {"ButtonMinimize", &TdxColors::HighlightTo, Role::Dark},
    {"ButtonExit", &TdxColors::HighlightTo, Role::Dark},
};

const struct {
    const char* widget;
    QPalette::ColorRole colour;
    Role role;
} kWidgetRows[] = {
    {"ListView1", QPalette::Base, Role::List},     {"ListView1", QPalette::Text, Role::Dark},
    {"ListView2", QPalette::Base, Role::List},     {"CharComboBox", QPalette::Button, Role::Accent},
    {"KeyComboBox", QPalette::Base, Role::Accent}, {"EditExecute", QPalette::Base, Role::Accent},
    {"EditExecute", QPalette::Text, Role::Dark},   {"LabelBottom", QPalette::Window, Role::Dark},
    {"TForm1", QPalette::Window, Role::Window},
};

void expectScheme(TForm1& form, const QString& scheme) {
    const SkinPalette p = Skin::SchemePalette(scheme);
    for (const auto& row : kButtonRows) {
        const auto* button = form.findChild<TdxButton*>(QLatin1String(row.button));
        ASSERT_NE(button, nullptr) << row.button;
        EXPECT_EQ((button->Colors().*row.colour)(), colourOf(row.role, p))
            << scheme.toStdString() << ": " << row.button;
    }
    for (const auto& row : kWidgetRows) {
        const QWidget* w = form.objectName() == QLatin1String(row.widget)
                               ? &form
                               : form.findChild<QWidget*>(QLatin1String(row.widget));
        ASSERT_NE(w, nullptr) << row.widget;
        EXPECT_EQ(w->palette().color(row.colour), colourOf(row.role, p))
            << scheme.toStdString() << ": " << row.widget << " " << row.colour;
    }
    EXPECT_EQ(form.Frame.ButtonHelp->FontColor(), p.dark) << "tab caption";
    EXPECT_EQ(form.Frame.ButtonExit->Colors().ClickedFrom(), QColor(Qt::white)) << "kept";
}

// Every state bitmap of every gradient button of the window, by identity.
std::vector<qint64> bitmapKeys(QWidget& window) {
    std::vector<qint64> keys;
    for (const TdxButton* b : window.findChildren<TdxButton*>())
        for (const QImage* image :
             {&b->FaceBitmap(), &b->ClickedBitmap(), &b->FocusedBitmap(), &b->HighlightBitmap()})
            keys.push_back(image->cacheKey());
    return keys;
}

bool cutCame(QSignalSpy& spy) {
    return !spy.isEmpty() || spy.wait(5000);
}

} // namespace

TEST_F(MainWindow, ASchemeRecoloursEveryRoleOfTheBuiltWindow) {
    show();
    for (const char* scheme : {"Red", "Black", "Green"}) {
        look.SetPalette(Skin::SchemePalette(QString::fromLatin1(scheme)));
        expectScheme(*form, QString::fromLatin1(scheme));
    }
}

TEST_F(MainWindow, TheFocusGoesToTheListBeforeTheColoursChange) {
    show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->ListView1->SelectRow(1);
    form->GroupBoxProperties->ButtonApply->setEnabled(true);
    form->GroupBoxProperties->ButtonApply->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->GroupBoxProperties->ButtonApply->hasFocus(); }));
    look.SetPalette(Skin::SchemePalette(QStringLiteral("Purple")));
    EXPECT_TRUE(form->ListView1->hasFocus());
}

TEST_F(MainWindow, DesignLookUntilASchemeWhichALaterBuildTakes) {
    const struct {
        const char* scheme; // nullptr: none applied before the first show
        QColor tabOutline, listBackground, window;
    } rows[] = {
        {nullptr, Skin::Teal, QColor(230, 250, 255), QColor(220, 240, 255)},
        {"Blue", Skin::Navy, QColor(230, 250, 255), QColor(220, 240, 255)},
        {"Black", QColor(0, 0, 0), QColor(160, 160, 164), QColor(128, 128, 128)},
        {"black", Skin::Navy, QColor(235, 245, 255), QColor(220, 240, 255)},
    };
    for (const auto& row : rows) {
        Look freshLook;
        TForm1 fresh(table, backend, settings, freshLook);
        if (row.scheme)
            freshLook.SetPalette(Skin::SchemePalette(QString::fromLatin1(row.scheme)));
        ASSERT_FALSE(fresh.built());
        EXPECT_EQ(fresh.palette().color(QPalette::Window), row.window);
        fresh.show();
        ASSERT_TRUE(fresh.built());
        const char* name = row.scheme ? row.scheme : "(design)";
        EXPECT_EQ(fresh.Frame.ButtonHotKeys->Colors().BorderLine(), row.tabOutline) << name;
        EXPECT_EQ(fresh.ListView1->palette().color(QPalette::Base), row.listBackground) << name;
        if (row.scheme)
            expectScheme(fresh, QString::fromLatin1(row.scheme));
    }
}

TEST_F(MainWindow, TheSameSchemeTwiceRebuildsNoGradient) {
    show();
    look.SetPalette(Skin::SchemePalette(QStringLiteral("Red")));
    const std::vector<qint64> red = bitmapKeys(*form);
    ASSERT_EQ(red.size(), 12u * 4); // twelve buttons, Record included

    look.SetPalette(Skin::SchemePalette(QStringLiteral("Red")));
    EXPECT_EQ(bitmapKeys(*form), red);

    // The keys do see a rebuild: another scheme renews every button's bitmaps.
    look.SetPalette(Skin::SchemePalette(QStringLiteral("Yellow")));
    const std::vector<qint64> yellow = bitmapKeys(*form);
    for (size_t i = 0; i < red.size(); i += 4)
        EXPECT_NE(yellow[i], red[i]) << "button " << i / 4;
}

TEST_F(MainWindow, TheColourKeyFollowsTheSchemeAndThePanel) {
    show();
    const QRegion outline = form->mask();
    ASSERT_EQ(outline, WindowShapeRegion(QSize(TForm1::ClientWidth, TForm1::FullHeight)));
    // Right of the menu buttons, and in the panel left of the target field: background.
    const QPoint besideMenus(470, 35), inPanel(32, 324), list(100, 100), target(100, 340);
    ASSERT_TRUE(outline.contains(besideMenus));
    ASSERT_TRUE(outline.contains(inPanel));

    settings.setValue(Setting::MainTransparent, 1);
    EXPECT_NE(form->mask(), outline);
    EXPECT_FALSE(form->mask().contains(besideMenus));
    EXPECT_FALSE(form->mask().contains(inPanel));
    EXPECT_TRUE(form->mask().contains(list));
    EXPECT_TRUE(form->mask().contains(QPoint(10, 10))) << "title bar";
    EXPECT_TRUE(form->mask().contains(QPoint(1, 200))) << "left strip";
    QSignalSpy cut(form->Transparency(), &WindowTransparency::outlineCut);

    // The key is the background of the scheme in force.
    look.SetPalette(Skin::SchemePalette(QStringLiteral("Black")));
    ASSERT_TRUE(cutCame(cut));
    EXPECT_FALSE(form->mask().contains(besideMenus));
    EXPECT_TRUE(form->mask().contains(list));

    // Folded and back: the panel is cut anew when it comes back.
    cut.clear();
    form->Menus->Propertiespanel1->trigger();
    ASSERT_EQ(form->height(), TForm1::FoldedHeight);
    ASSERT_TRUE(cutCame(cut));
    EXPECT_LT(form->mask().boundingRect().bottom(), TForm1::FoldedHeight);
    cut.clear();
    form->Menus->Propertiespanel1->trigger();
    ASSERT_EQ(form->height(), TForm1::FullHeight);
    ASSERT_TRUE(cutCame(cut));
    EXPECT_TRUE(form->mask().contains(target));

    settings.setValue(Setting::MainTransparent, 0);
    EXPECT_EQ(form->mask(), outline);
}

TEST_F(MainWindow, HoverRepaintsBringNoRecutARealChangeDoes) {
    // Done once all this turn has started has run, zero-time timers included.
    const auto finishTurn = [this] {
        bool done = false;
        QTimer::singleShot(0, form.get(), [&] { done = true; });
        return QTest::qWaitFor([&] { return done; });
    };
    show();
    settings.setValue(Setting::MainTransparent, 1);
    ASSERT_TRUE(finishTurn());
    QSignalSpy cut(form->Transparency(), &WindowTransparency::outlineCut);
    // The pointer over the rows and a menu button, each repainting under it.
    for (QWidget* hovered :
         {form->ListView1->viewport(), static_cast<QWidget*>(form->Frame.ButtonHelp)}) {
        QTest::mouseMove(hovered, QPoint(20, 10));
        hovered->repaint();
    }
    ASSERT_TRUE(finishTurn());
    EXPECT_EQ(cut.count(), 0);
    form->Menus->Propertiespanel1->trigger(); // a real change: the panel folds away
    EXPECT_TRUE(cutCame(cut));
}

// In every scheme the control with the keyboard is marked: its picture with the focus, given
// by Tab, differs from its picture without.
class FocusInEveryScheme : public MainWindow, public testing::WithParamInterface<const char*> {};

TEST_P(FocusInEveryScheme, TheFocusedControlLooksFocused) {
    show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    look.SetScheme(QString::fromLatin1(GetParam()));
    // As for a user, the focus shows once a key has moved it.
    QTest::keyClick(form->ListView1, Qt::Key_Tab);
    const PropertiesPanel* p = form->GroupBoxProperties;
    for (QWidget* control : std::initializer_list<QWidget*>{
             p->ButtonTest, form->Frame.ButtonHotKeys, p->AltCheckBox, p->CharComboBox,
             p->EditExecute, form->ListView1, p->IconSpeedButton}) {
        p->ButtonBrowse->setFocus(Qt::TabFocusReason);
        const QImage without = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
        EXPECT_NE(control->grab().toImage(), without) << control->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, FocusInEveryScheme, testing::ValuesIn(Skin::SchemeNames),
                         [](const auto& info) { return std::string(info.param); });
