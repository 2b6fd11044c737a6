// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the gradient button by state, read from what it paints.
#include "controls/TdxButton.h"
#include "controls/TdxButtonPainter.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kWindow(220, 240, 255);

class TdxButtonLook : public ::testing::Test {
protected:
    void SetUp() override {
        QPalette p = window.palette();
        p.setColor(QPalette::Window, kWindow);
        window.setPalette(p);
        window.resize(200, 100);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 60, 100, 20);
        button = new TdxButton(&window);
        button->setGeometry(10, 10, 80, 30);
        button->SetCaption(QStringLiteral("Go"));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
    }

    void Enter() {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(button, &e);
    }

    QImage Look() const { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    static QImage Glyph() {
        // Key colour magenta, then black, white, red and green pixels.
        QImage g(4, 4, QImage::Format_RGB32);
        g.fill(QColor(255, 0, 255));
        g.setPixel(1, 1, qRgb(0, 0, 0));
        g.setPixel(2, 1, qRgb(255, 255, 255));
        g.setPixel(1, 2, qRgb(255, 0, 0));
        g.setPixel(2, 2, qRgb(0, 255, 0));
        return g;
    }

    QWidget window;
    QLineEdit* edit = nullptr;
    TdxButton* button = nullptr;
};

TEST_F(TdxButtonLook, NormalButtonHasFaceOutlineAndCornerStrokes) {
    const QImage look = Look();
    const TdxColors& c = button->Colors();
    const QImage& face = button->FaceBitmap();
    EXPECT_EQ(look.pixel(0, 0), kWindow.rgb()) << "background around the corners";
    EXPECT_EQ(look.pixel(2, 0), c.BorderLine().rgb());
    EXPECT_EQ(look.pixel(0, 2), c.BorderLine().rgb());
    EXPECT_EQ(look.pixel(78, 28), c.BorderLine().rgb());
    EXPECT_EQ(look.pixel(0, 1), c.BorderEdges().rgb());
    EXPECT_EQ(look.pixel(79, 1), c.BorderEdges().rgb());
    EXPECT_EQ(look.pixel(79, 28), c.BorderEdges().rgb());
    EXPECT_EQ(look.pixel(1, 29), c.BorderEdges().rgb());
    EXPECT_EQ(look.pixel(3, 1), face.pixel(2, 0));
    EXPECT_EQ(look.pixel(5, 28), face.pixel(4, 27));
}

TEST_F(TdxButtonLook, HotButtonFramesTheInsetFaceAndPressingMovesTheCaption) {
    const QRect rest = TdxButtonPainter::Arrange(*button, {}).text;
    Enter();
    const QImage look = Look();
    EXPECT_EQ(look.pixel(3, 1), button->HighlightBitmap().pixel(2, 0));
    EXPECT_EQ(look.pixel(1, 20), button->HighlightBitmap().pixel(0, 19));
    EXPECT_EQ(look.pixel(4, 3), button->FaceBitmap().pixel(1, 0));
    // The face was built unframed and is cut to fit the inset.
    EXPECT_EQ(look.pixel(76, 26), button->FaceBitmap().pixel(73, 23));
    EXPECT_EQ(look.pixel(77, 27), button->HighlightBitmap().pixel(76, 26));

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(TdxButtonPainter::Arrange(*button, {}).text, rest.translated(1, 1));
}

TEST_F(TdxButtonLook, HotTrackColoursTheCaptionOnlyWhileHot) {
    QFont f = button->font();
    f.setPixelSize(20);
    f.setBold(true);
    button->setFont(f);
    button->SetHotTrack(true);
    const auto redPixels = [this] {
        const QImage look = Look();
        int n = 0;
        for (int y = 0; y < look.height(); ++y)
            for (int x = 0; x < look.width(); ++x)
                n += look.pixel(x, y) == qRgb(255, 0, 0);
        return n;
    };
    EXPECT_EQ(redPixels(), 0);
    Enter();
    EXPECT_GT(redPixels(), 10);
}

TEST_F(TdxButtonLook, FocusRectangleInvertsEveryOtherPixelInsideTheFrame) {
    button->setFocus();
    ASSERT_TRUE(button->IsFocused());
    QImage look = Look();
    const QImage& face = button->FaceBitmap();
    EXPECT_EQ(look.pixel(3, 3), face.pixel(0, 0) ^ 0x00ffffffu);
    EXPECT_EQ(look.pixel(4, 3), face.pixel(1, 0));
    EXPECT_EQ(look.pixel(76, 6), face.pixel(73, 3) ^ 0x00ffffffu);
    EXPECT_EQ(look.pixel(76, 26), face.pixel(73, 23) ^ 0x00ffffffu) << "bottom-right corner";
    button->SetShowFocusRect(false);
    look = Look();
    EXPECT_EQ(look.pixel(3, 3), face.pixel(0, 0));
}

TEST_F(TdxButtonLook, DisabledButtonShowsAGreyGlyphAndAnEmbossedCaption) {
    button->SetGlyph(Glyph());
    button->setEnabled(false);
    const QImage grey = button->PaintedGlyph();
    EXPECT_EQ(qAlpha(grey.pixel(0, 3)), 0) << "bottom-left colour is transparent";
    EXPECT_EQ(grey.pixel(1, 1), qRgb(96, 96, 96));
    EXPECT_EQ(grey.pixel(2, 1), qRgb(223, 223, 223));
    EXPECT_EQ(grey.pixel(1, 2), qRgb(138, 138, 138));

    const TdxButtonGeometry g = TdxButtonPainter::Arrange(*button, QSize(4, 4));
    const QImage look = Look();
    EXPECT_EQ(look.pixel(g.glyph + QPoint(2, 2)), qRgb(138, 138, 138));
    EXPECT_EQ(look.pixel(g.glyph), button->FaceBitmap().pixel(g.glyph - QPoint(1, 1)));
    const QPalette system = QApplication::palette();
    int light = 0, dark = 0;
    for (int y = g.text.top(); y <= g.text.bottom() + 1; ++y)
        for (int x = g.text.left(); x <= g.text.right() + 1; ++x) {
            light += look.pixel(x, y) == system.color(QPalette::Light).rgb();
            dark += look.pixel(x, y) == system.color(QPalette::Dark).rgb();
        }
    EXPECT_GT(light, 0);
    EXPECT_GT(dark, 0);

    button->SetAutoGray(false);
    EXPECT_EQ(button->PaintedGlyph().pixel(1, 2), qRgb(255, 0, 0));
}

TEST_F(TdxButtonLook, GlyphAndCaptionAreCentredTogetherInEveryLayout) {
    const QSize glyph(16, 16);
    const int s = button->Spacing();
    const TdxButtonGeometry left = TdxButtonPainter::Arrange(*button, glyph);
    EXPECT_EQ(left.glyph.x() + 16 + s, left.text.x());
    EXPECT_LE(std::abs(left.glyph.x() - (80 - left.text.right() - 1)), 1) << "block centred";
    EXPECT_EQ(left.glyph.y(), 7);

    button->SetLayout(blGlyphRight);
    const TdxButtonGeometry right = TdxButtonPainter::Arrange(*button, glyph);
    EXPECT_EQ(right.glyph.x(), right.text.right() + 1 + s);
    EXPECT_LE(std::abs(right.text.x() - (80 - right.glyph.x() - 16)), 1);

    button->SetLayout(blGlyphTop);
    const TdxButtonGeometry top = TdxButtonPainter::Arrange(*button, glyph);
    EXPECT_EQ(top.glyph, QPoint(32, top.text.y() - 16 - s));
    button->SetLayout(blGlyphBottom);
    const TdxButtonGeometry bottom = TdxButtonPainter::Arrange(*button, glyph);
    EXPECT_EQ(bottom.glyph, QPoint(32, bottom.text.bottom() + 1 + s));

    // An empty caption measures as a blank, so the glyph sits where it would with text.
    button->SetCaption(QString());
    const TdxButtonGeometry empty = TdxButtonPainter::Arrange(*button, glyph);
    EXPECT_EQ(empty.text.height(), QFontMetrics(button->font()).height());
    EXPECT_EQ(empty.glyph.y(), bottom.glyph.y() - bottom.text.height() + empty.text.height());
}

TEST_F(TdxButtonLook, AmpersandIsLiteralWithoutShowAccelChar) {
    const QFontMetrics m(button->font());
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    const QRect box(0, 0, 200, 50);
    const int ab = m.boundingRect(box, flags, QStringLiteral("AB")).width();
    const int literal = m.boundingRect(box, flags, QStringLiteral("A&B")).width();
    ASSERT_GT(literal, ab);
    button->SetCaption(QStringLiteral("A&B"));
    EXPECT_EQ(TdxButtonPainter::Arrange(*button, {}).text.width(), ab);
    button->SetShowAccelChar(false);
    EXPECT_EQ(TdxButtonPainter::Arrange(*button, {}).text.width(), literal);
    // A lone "&" still measures, as a blank, while it is a marker.
    button->SetShowAccelChar(true);
    button->SetCaption(QStringLiteral("&"));
    EXPECT_EQ(TdxButtonPainter::Arrange(*button, {}).text.height(), m.height());
}

// Columns of the button that hold caption pixels (dark: the caption is black on a light
// face; the outline and corner strokes are blue enough not to count).
std::vector<int> CaptionColumns(const QImage& look) {
    std::vector<int> columns;
    for (int x = 0; x < look.width(); ++x)
        for (int y = 0; y < look.height(); ++y) {
            const QRgb p = look.pixel(x, y);
            if (qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100) {
                columns.push_back(x);
                break;
            }
        }
    return columns;
}

// A caption too long for its button is cut at its end, never at its start: what is drawn
// lies inside the button and begins where the caption's box begins.
TEST_F(TdxButtonLook, ALongCaptionKeepsItsStartAndFitsTheButton) {
    const QString caption = QStringLiteral("Abcdefghijklmnopqrstuvwxyz0123456789");
    const QFontMetrics m(button->font());
    ASSERT_GT(m.horizontalAdvance(caption), 2 * button->width()) << "the caption must not fit";
    for (const bool wordWrap : {false, true}) {
        SCOPED_TRACE(wordWrap);
        button->SetWordWrap(wordWrap);
        button->SetCaption(caption);
        const TdxButtonGeometry g = TdxButtonPainter::Arrange(*button, {});
        EXPECT_TRUE(g.caption.startsWith(QStringLiteral("Abc"))) << g.caption.toStdString();
        EXPECT_LT(g.caption.size(), caption.size());
        EXPECT_TRUE(g.caption.endsWith(QChar(0x2026)) || g.caption.endsWith(QStringLiteral("...")));
        EXPECT_GE(g.text.left(), 0);
        EXPECT_LE(g.text.right(), button->width() - 1);
        EXPECT_EQ(g.text.height(), m.height()) << "one line";

        const std::vector<int> columns = CaptionColumns(Look());
        ASSERT_FALSE(columns.empty());
        EXPECT_GE(columns.front(), g.text.left());
        EXPECT_LE(columns.back(), g.text.right() + 1) << "the ellipsis ends the drawn text";
        // The first letter is drawn at the start of the box.
        EXPECT_LT(columns.front(), g.text.left() + m.horizontalAdvance(QLatin1Char('A')));
    }
}

// With word wrap the caption breaks at its blanks into the lines that fit in the button's
// height, and the last of them ends with the ellipsis.
TEST_F(TdxButtonLook, AWrappedCaptionFillsTheLinesThatFitAndEndsTheLastWithAnEllipsis) {
    const QString caption = QStringLiteral("one two three four five six seven eight nine ten");
    const QFontMetrics m(button->font());
    const QRect wide(0, 0, 80, 1000);
    const int lineStep =
        m.boundingRect(wide, Qt::TextWordWrap, QStringLiteral("one\ntwo")).height() - m.height();
    ASSERT_GT(m.boundingRect(wide, Qt::TextWordWrap, caption).height(), m.height() + 3 * lineStep)
        << "the caption must need more than three lines";
    button->SetCaption(caption);
    ASSERT_TRUE(button->WordWrap());
    for (const int lines : {1, 2, 3}) {
        SCOPED_TRACE(lines);
        button->resize(80, m.height() + (lines - 1) * lineStep);
        const TdxButtonGeometry g = TdxButtonPainter::Arrange(*button, {});
        EXPECT_TRUE(g.caption.startsWith(QStringLiteral("one two"))) << g.caption.toStdString();
        EXPECT_LT(g.caption.size(), caption.size());
        EXPECT_TRUE(g.caption.endsWith(QChar(0x2026)) || g.caption.endsWith(QStringLiteral("...")));
        EXPECT_EQ(g.text.height(), m.height() + (lines - 1) * lineStep);
        EXPECT_GE(g.text.left(), 0);
        EXPECT_LE(g.text.right(), button->width() - 1);
    }
}

} // namespace

TEST_F(TdxButtonLook, AHighDensityGlyphIsPlacedByItsSizeOnScreen) {
    // An 8 x 8 picture for a 2x screen covers 4 x 4 pixels of the button.
    QImage g(8, 8, QImage::Format_RGB32);
    g.fill(Qt::blue);
    for (const QPoint p : {QPoint(0, 6), QPoint(1, 6), QPoint(0, 7), QPoint(1, 7)})
        g.setPixel(p, qRgb(255, 0, 255));
    g.setDevicePixelRatio(2);
    button->SetGlyph(g);
    const int expected = TdxButtonPainter::Arrange(*button, QSize(4, 4)).glyph.x();
    ASSERT_NE(expected, TdxButtonPainter::Arrange(*button, QSize(8, 8)).glyph.x());

    const QImage look = Look();
    int leftmost = -1;
    for (int x = 0; x < look.width() && leftmost < 0; ++x)
        for (int y = 0; y < look.height(); ++y)
            if (look.pixel(x, y) == qRgb(0, 0, 255)) {
                leftmost = x;
                break;
            }
    EXPECT_EQ(leftmost, expected);
}

TEST_F(TdxButtonLook, AStruckOutBlankDrawsADash) {
    // The minimise button's caption: one blank whose strike-out line is the dash.
    QFont font = button->font();
    font.setPixelSize(24);
    font.setBold(true);
    font.setStrikeOut(true);
    button->setFont(font);
    button->SetCaption(QStringLiteral(" "));
    button->SetFontColor(Qt::red);
    const QImage look = Look();
    int red = 0;
    for (int y = 0; y < look.height(); ++y)
        for (int x = 0; x < look.width(); ++x)
            red += look.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 3);
}

// On a 2x screen every pixel of the outline, its corner strokes and the focus dots covers what a
// pixel of the layout covers: without a caption the picture is the 1x one, each pixel doubled.
TEST_F(TdxButtonLook, AtTwiceTheDensityEveryPixelIsDoubled) {
    button->SetCaption(QString());
    const auto at = [this](qreal scale) {
        QImage look(button->size() * scale, QImage::Format_RGB32);
        look.setDevicePixelRatio(scale);
        button->render(&look);
        look.setDevicePixelRatio(1);
        return look;
    };
    for (const bool focused : {false, true}) {
        if (focused)
            button->setFocus();
        ASSERT_EQ(button->IsFocused(), focused);
        const QImage doubled = at(1).scaled(button->size() * 2);
        EXPECT_EQ(at(2), doubled) << (focused ? "focused" : "unfocused");
    }
}
