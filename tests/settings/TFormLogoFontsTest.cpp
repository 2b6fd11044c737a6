// SPDX-License-Identifier: GPL-3.0-or-later
// A program of its own: no other test may have drawn text in it before.
#include "controls/Look.h"
#include "settings/TFormLogo.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What drawing text with a font maps into the process: the font files and fontconfig's caches,
// one per line.
std::string fontMappings() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return "(no /proc/self/maps)";
    QStringList found;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QString path = QString::fromUtf8(line.mid(line.indexOf('/')));
        if (line.indexOf('/') < 0 || found.contains(path))
            continue;
        for (const char* mark : {".ttf", ".otf", ".ttc", ".pfb", ".pcf", ".cache-"})
            if (path.contains(QLatin1String(mark))) {
                found << path;
                break;
            }
    }
    return found.join(QLatin1Char('\n')).toStdString();
}

int pixelsOf(const QImage& image, QColor color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}

} // namespace

TEST(TFormLogoFonts, TheSplashDrawsItsTextsWithoutLoadingAFont) {
    ASSERT_EQ(fontMappings(), "") << "nothing has drawn text yet";
    Look look;
    TFormLogo logo(look);
    logo.ShowLogo();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&logo));
    const QImage shot = logo.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(pixelsOf(shot, TFormLogo::Yellow), 300) << "the name is there";
    EXPECT_GT(pixelsOf(shot.copy(0, 0, shot.width(), 26), Qt::white), 100) << "the caption too";
    EXPECT_EQ(fontMappings(), "");

    QLabel label(logo.Label1()->text());
    label.setFont(logo.Label1()->font());
    label.grab();
    EXPECT_NE(fontMappings(), "") << "a plain label maps the font it draws with";
}
