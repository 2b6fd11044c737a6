// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Lettering.h"
#include "controls/LetteredLabel.h"
#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "controls/TdxButtonPainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QByteArray Sample = "# a comment, then a blank line\n"
                          "\n"
                          "lettering 32 1 110.28 35.75 oddeven Two words\n"
                          "m 1.00 2.00\n"
                          "l 3.50 2.00\n"
                          "c 4.00 5.00 6.00 7.00 8.25 9.00\n"
                          "lettering 16 0 20.00 10.00 winding x\n"
                          "m 0.00 0.00\n";

// The smallest rectangle holding every pixel that is not `background`.
QRect inkOf(const QImage& image, QRgb background) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QImage shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(Lettering, TheFileFormKeepsEveryElementAndEveryField) {
    const std::vector<Lettering> read = Lettering::Read(Sample);
    ASSERT_EQ(read.size(), 2u);
    const Lettering& first = read[0];
    EXPECT_EQ(first.text, QStringLiteral("Two words")) << "the text runs to the line's end";
    EXPECT_EQ(first.pixelSize, 32);
    EXPECT_TRUE(first.bold);
    EXPECT_EQ(first.box, QSizeF(110.28, 35.75));
    EXPECT_EQ(first.outline.fillRule(), Qt::OddEvenFill);
    ASSERT_EQ(first.outline.elementCount(), 5) << "move, line, and a curve of three points";
    EXPECT_EQ(first.outline.elementAt(4).x, 8.25);
    EXPECT_EQ(read[1].outline.fillRule(), Qt::WindingFill);
    EXPECT_FALSE(read[1].bold);
    EXPECT_EQ(Lettering::Write(read), Sample.mid(Sample.indexOf("lettering")));
}

TEST(Lettering, ADamagedFileGivesNoLetteringAtAll) {
    const QByteArray header = "lettering 16 1 10.00 10.00 oddeven x\n";
    const char* const damaged[] = {
        "m 1 2\n",                                // an element before any header
        "lettering 16 1 10.00 10.00 oddeven\n",   // no text
        "lettering 0 1 10.00 10.00 oddeven x\n",  // no size
        "lettering 16 2 10.00 10.00 oddeven x\n", // bold is 0 or 1
        "lettering 16 1 ten 10.00 oddeven x\n",   // a box that is no number
        "lettering 16 1 10.00 10.00 nonzero x\n", // an unknown fill
        "letters 16 1 10.00 10.00 oddeven x\n",   // an unknown line
    };
    for (const char* file : damaged)
        EXPECT_TRUE(Lettering::Read(file).empty()) << file;
    const char* const elements[] = {"m 1\n",   "l 1 2 3\n", "c 1 2 3 4 5\n",
                                    "q 1 2\n", "m 1 x\n",   "mm 1 2\n"};
    for (const char* element : elements)
        EXPECT_TRUE(Lettering::Read(header + element).empty()) << element;
    ASSERT_EQ(Lettering::Read(header + "m 1 2\n").size(), 1u) << "the header alone is sound";
}

TEST(Lettering, OnlyTheSameTextInTheSameSkinFontFindsOutlines) {
    const QString name = QStringLiteral("Orvane");
    ASSERT_NE(Lettering::Find(name, Skin::Font(32, true)), nullptr);
    QFont italic = Skin::Font(32, true);
    italic.setItalic(true);
    QFont other = Skin::Font(32, true);
    other.setFamilies({QStringLiteral("DejaVu Serif")});
    const std::pair<QString, QFont> others[] = {
        {QStringLiteral("orvane"), Skin::Font(32, true)},
        {name, Skin::Font(32, false)},
        {name, Skin::Font(31, true)},
        {name, italic},
        {name, other},
    };
    for (const auto& [text, font] : others)
        EXPECT_EQ(Lettering::Find(text, font), nullptr)
            << text.toStdString() << font.toString().toStdString();
}

// The outlines land where the font would put the text: a label and a title bar drawn both ways
// put their ink in the same place, within the pixel that hinting moves it.
TEST(Lettering, LetteredTextSitsWhereTheFontsTextSits) {
    const QFont font = Skin::Font(32, true);
    const QString name = QStringLiteral("Orvane");
    ASSERT_NE(Lettering::Find(name, font), nullptr);
    for (Qt::Alignment align : {Qt::AlignHCenter | Qt::AlignTop, Qt::AlignLeft | Qt::AlignVCenter,
                                Qt::AlignRight | Qt::AlignBottom}) {
        LetteredLabel lettered(name);
        QLabel plain(name);
        for (QLabel* label : {static_cast<QLabel*>(&lettered), &plain}) {
            label->setFont(font);
            label->setAlignment(align);
            label->resize(342, 60);
            Skin::SetTextColour(label, Qt::black);
        }
        const QRgb background = shot(plain).pixel(0, 0);
        const QRect want = inkOf(shot(plain), background);
        const QRect got = inkOf(shot(lettered), background);
        ASSERT_GT(want.width(), 60) << "the font drew the name";
        SCOPED_TRACE(int(align));
        EXPECT_LE(std::abs(got.left() - want.left()), 1);
        EXPECT_LE(std::abs(got.right() - want.right()), 1);
        EXPECT_LE(std::abs(got.top() - want.top()), 1);
        EXPECT_LE(std::abs(got.bottom() - want.bottom()), 1);
    }

    TdxButton bar;
    bar.resize(392, 26);
    bar.setFont(Skin::Font(16, true));
    bar.SetShowAccelChar(false);
    bar.SetCaption(QStringLiteral("Loading ..."));
    const TdxButtonGeometry g = TdxButtonPainter::Arrange(bar, {});
    ASSERT_NE(g.lettering, nullptr);
    const QRect measured =
        TdxButtonPainter::MeasureCaption(bar, bar.Caption(), g.textFlags, bar.rect());
    EXPECT_EQ(g.text.size(), measured.size()) << "centred as the font's text is";
    bar.resize(50, 26);
    EXPECT_EQ(TdxButtonPainter::Arrange(bar, {}).lettering, nullptr)
        << "too narrow: the font's text, cut short";
}
