#include "TFormLogo.h"
#include "Screenshots.h"
#include "TdxButton.h"
#include "WindowShape.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QColor textOf(QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}
QColor fillOf(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

} // namespace

TEST(TFormLogo, ABorderlessCentredSplashOnTopThatTakesNoFocus) {
    TFormLogo logo;
    EXPECT_FALSE(logo.testAttribute(Qt::WA_WState_Created));
    EXPECT_TRUE(logo.findChildren<QWidget*>().isEmpty()) << "nothing made before the show";
    EXPECT_EQ(logo.mask(), WindowShapeRegion(QSize(392, 99))) << "outline cut at creation";
    logo.ShowLogo();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
    EXPECT_EQ(logo.size(), QSize(392, 99));
    EXPECT_EQ(logo.windowType(), Qt::SplashScreen);
    const Qt::WindowFlags flags =
        Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
    EXPECT_EQ(logo.windowFlags() & flags, flags);
    EXPECT_TRUE(logo.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(logo.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    EXPECT_EQ(logo.ButtonBar()->Caption(), "Loading ...");
    EXPECT_EQ(logo.ButtonBar()->geometry(), QRect(0, 0, 392, 26));
    EXPECT_EQ(logo.childAt(60, 50), logo.Label1()) << "the name over its shadow";
}

TEST(TFormLogo, LabelsSitByTheirArithmetic) {
    struct Row {
        QSize client, label;
        QPoint place;
    };
    const Row rows[] = {{{392, 99}, {342, 37}, {30, 36}},
                        {{392, 99}, {339, 37}, {31, 36}},
                        {{301, 99}, {342, 37}, {-15, 36}}}; // rounded toward zero
    for (const Row& r : rows)
        EXPECT_EQ(TFormLogo::Label1Place(r.client, r.label), r.place) << r.label.width();

    TFormLogo logo;
    EXPECT_EQ(logo.Label1()->geometry(), QRect(30, 36, 342, 37));
    EXPECT_EQ(logo.Label2()->geometry(), QRect(34, 38, 339, 37));
    for (QLabel* name : {logo.Label1(), logo.Label2()}) {
        EXPECT_EQ(name->text(), "Orvane");
        EXPECT_TRUE(name->font().bold());
        EXPECT_EQ(name->font().pixelSize(), 32);
    }
}

TEST(TFormLogo, AClickOnTheWindowTheNameOrTheTitleBarHidesIt) {
    TFormLogo logo;
    for (QWidget* target :
         {static_cast<QWidget*>(&logo), static_cast<QWidget*>(logo.Label1()),
          static_cast<QWidget*>(logo.Label2()), static_cast<QWidget*>(logo.ButtonBar())}) {
        SCOPED_TRACE(target->objectName().toStdString());
        logo.ShowLogo();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
        // The label's bottom right: inside it whichever label lies on top.
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().bottomRight() - QPoint(3, 3));
        EXPECT_FALSE(logo.isVisible());
    }
    logo.EndLogo();
    logo.ShowLogo();
    EXPECT_FALSE(logo.isVisible()) << "never again once its time is over";
}

TEST(TFormLogo, DesignColoursUntilASchemeThenTheSchemes) {
    TFormLogo logo(QColor(1, 2, 3));
    EXPECT_EQ(fillOf(&logo), QColor(1, 2, 3)) << "the main window's colour";
    EXPECT_EQ(textOf(logo.Label1()), QColor(255, 255, 0));
    EXPECT_EQ(textOf(logo.Label2()), Skin::Navy);
    EXPECT_EQ(fillOf(logo.LabelBottom()), Skin::Navy);

    const SkinPalette red = Skin::SchemePalette(QStringLiteral("Red"));
    TFormLogo schemed;
    schemed.ApplyPalette(red);
    schemed.ApplyQuality(bqHigh);
    EXPECT_TRUE(schemed.findChildren<QWidget*>().isEmpty()) << "nothing made early";
    for (TFormLogo* w : {&schemed, &logo}) {
        w->ApplyPalette(red);
        EXPECT_EQ(fillOf(w), red.windowBackground);
        EXPECT_EQ(textOf(w->Label1()), red.accent);
        EXPECT_EQ(textOf(w->Label2()), red.dark);
        for (QLabel* strip : {w->LabelLeft(), w->LabelRight(), w->LabelBottom()})
            EXPECT_EQ(fillOf(strip), red.dark);
        EXPECT_EQ(w->ButtonBar()->Colors().BackgroundFrom(), red.dark);
        EXPECT_EQ(w->ButtonBar()->Colors().BackgroundTo(), red.accent);
    }
    EXPECT_EQ(schemed.ButtonBar()->Quality(), bqHigh);

    schemed.ShowLogo();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&schemed));
    EXPECT_TRUE(WindowLook(&schemed).save(ScreenshotPath("splash-red.png")));
    logo.ApplyPalette(Skin::SchemePalette(QStringLiteral("Blue")));
    logo.ShowLogo();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
    EXPECT_TRUE(WindowLook(&logo).save(ScreenshotPath("splash.png")));
}
