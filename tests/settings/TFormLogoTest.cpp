// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormLogo.h"
#include "Screenshots.h"
#include "controls/Lettering.h"
#include "controls/Look.h"
#include "controls/TdxButton.h"

#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

// Made at its show, outlined and titled like every skinned window.
TEST(TFormLogo, ACentredWindowOnTopThatTakesNoFocus) {
    Look look;
    TFormLogo logo(look);
    logo.ShowLogo();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
    const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                  Qt::WindowDoesNotAcceptFocus;
    EXPECT_EQ(logo.windowFlags() & flags, flags);
    EXPECT_EQ(logo.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
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
    Look look;
    TFormLogo logo(look);
    EXPECT_EQ(logo.Label1()->geometry(), QRect(30, 36, 342, 37));
    EXPECT_EQ(logo.Label2()->geometry(), QRect(34, 38, 339, 37));
    EXPECT_EQ(logo.Label2()->font(), Skin::Font(32, true));
}

TEST(TFormLogo, AClickOnTheWindowTheNameOrTheTitleBarHidesIt) {
    Look look;
    TFormLogo logo(look);
    for (QWidget* target :
         {static_cast<QWidget*>(&logo), static_cast<QWidget*>(logo.Label1()),
          static_cast<QWidget*>(logo.Label2()), static_cast<QWidget*>(logo.ButtonBar())}) {
        SCOPED_TRACE(target->objectName().toStdString());
        logo.ShowLogo();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
        // Near the bottom right, where nothing else lies over the window itself.
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().bottomRight() - QPoint(3, 3));
        EXPECT_FALSE(logo.isVisible());
    }
    ASSERT_NE(logo.windowHandle(), nullptr);
    logo.EndLogo();
    EXPECT_EQ(logo.windowHandle(), nullptr) << "its native window given back";
    logo.ShowLogo();
    EXPECT_FALSE(logo.isVisible()) << "never again once its time is over";
}

TEST(TFormLogo, TheSchemesColoursForTheNameAndItsShadowAndAScreenshot) {
    const SkinPalette red = Skin::SchemePalette(QStringLiteral("Red"));
    Look look;
    TFormLogo logo(look);
    EXPECT_EQ(logo.Label1()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    look.SetPalette(red);
    EXPECT_EQ(logo.Label1()->palette().color(QPalette::WindowText), red.accent);
    EXPECT_EQ(logo.Label2()->palette().color(QPalette::WindowText), red.dark);
    logo.ShowLogo();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
    EXPECT_TRUE(WindowLook(&logo).save(ScreenshotPath("splash-red.png")));
    look.SetPalette(Skin::SchemePalette(0));
    EXPECT_TRUE(WindowLook(&logo).save(ScreenshotPath("splash.png")));
}

// The outlines the program carries are what the fonts give today, and they are the texts and
// fonts the window shows: otherwise it would draw stale outlines or fall back to the fonts.
TEST(TFormLogo, ItsTextsAreCarriedAsTheFontsDrawThemNow) {
    QFile file(QStringLiteral(":/lettering/outlines.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray carried = file.readAll();
    std::vector<Lettering> made;
    for (const auto& [text, font] : TFormLogo::LetteredTexts()) {
        // The file names the face each text was made from; another face gives other outlines.
        const QFontInfo face(font);
        if (!carried.contains('"' + text.toUtf8() + "\": " + face.family().toUtf8() + ", " +
                              face.styleName().toUtf8() + '\n'))
            GTEST_SKIP() << "this machine draws \"" << text.toStdString() << "\" in "
                         << face.family().toStdString();
        made.push_back(Lettering::Make(text, font));
    }
    EXPECT_EQ(Lettering::Write(Lettering::Read(carried)), Lettering::Write(made))
        << "run scripts/render-lettering.sh";
    Look look;
    TFormLogo logo(look);
    for (const QLabel* label : {logo.Label1(), logo.Label2()})
        EXPECT_NE(Lettering::Find(label->text(), label->font()), nullptr)
            << label->objectName().toStdString();
    EXPECT_NE(Lettering::Find(logo.ButtonBar()->Caption(), logo.ButtonBar()->font()), nullptr);
}
