// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TFormAbout.h"

#include "BuildInfo.h"
#include "controls/BorderStrips.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowShape.h"
#include "core/ProjectLinks.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <string_view>

namespace {

constexpr int TitleHeight = Skin::TitleBarHeight;
constexpr std::string_view HttpsScheme = "https://";
static_assert(std::string_view(ProjectLinks::WebSite).starts_with(HttpsScheme),
              "the web site link is opened as an https link");

// A plain text label at its place, as wide and high as its text unless a width is given.
QLabel* textLabel(QWidget* parent, const char* name, const QString& text, QPoint place,
                  int width = 0) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    label->move(place);
    if (width > 0)
        label->resize(width, label->height());
    return label;
}

// "v2.1 (20.02.2005)": the release from the project's one version number and day, so the box,
// `orvane --version` and the package agree.
QString versionText() {
    return QStringLiteral("v%1.%2 (%3)")
        .arg(ORVANE_VERSION_MAJOR)
        .arg(ORVANE_VERSION_MINOR)
        .arg(QLatin1String(ORVANE_RELEASE_DAY));
}

// The OK button's colours: dark to accent, and accent where the state gradients end; its
// focused frame starts from the button's own colour.
void okButtonColours(TdxColors& colors, const SkinPalette& palette) {
    colors.SetBackgroundFrom(palette.dark);
    colors.SetClickedFrom(palette.dark);
    colors.SetHighlightFrom(palette.dark);
    colors.SetBackgroundTo(palette.accent);
    colors.SetClickedTo(palette.accent);
    colors.SetHighlightTo(palette.accent);
    colors.SetFocusedTo(palette.accent);
}

} // namespace

struct TFormAbout::Controls {
    TdxButton* ButtonBar = nullptr;
    BorderStrips Strips;
    QLabel* LabelApp = nullptr;
    QLabel* LabelVersion = nullptr;
    TLinkLabel* LinkLabel1 = nullptr;
    TLinkLabel* LinkLabel2 = nullptr;
    QLabel* Image1 = nullptr;
    TdxButton* ButtonOK = nullptr;
};

TFormAbout::TFormAbout(TLinkLabel::OpenLink open, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), m_open(std::move(open)),
      m_drag(new WindowDrag(this)) {
    setObjectName(QStringLiteral("TFormAbout"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(Skin::Font(11));
    // Placed here once; after that the box stays wherever it was left.
    move(FirstPlace);
    m_drag->AddArea(this);
    FormCreate(parent ? parent->palette().color(QPalette::Window) : Skin::WindowBackground);
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::FormCreate(const QColor& background) {
    Skin::SetWindowBackground(this, background);
    ApplyWindowShape(this);
}

void TFormAbout::ShowAbout() {
    show();
    raise();
    activateWindow();
}

void TFormAbout::setVisible(bool visible) {
    // Made before the window itself, so that they are shown with it.
    if (visible)
        controls();
    QWidget::setVisible(visible);
}

void TFormAbout::ApplyPalette(const SkinPalette& palette) {
    m_palette = palette;
    Skin::SetWindowBackground(this, palette.windowBackground);
    if (m_controls)
        applyPaletteToControls();
}

void TFormAbout::ApplyQuality(int quality) {
    m_quality = quality;
    if (m_controls)
        Skin::ApplyQuality(this, quality);
}

void TFormAbout::applyPaletteToControls() {
    Skin::ApplyTitleBarSet(m_controls->ButtonBar->Colors(), m_palette);
    okButtonColours(m_controls->ButtonOK->Colors(), m_palette);
    m_controls->Strips.SetColour(m_palette.dark);
}

TFormAbout::Controls& TFormAbout::controls() {
    if (!m_controls)
        build();
    return *m_controls;
}

void TFormAbout::build() {
    m_controls = std::make_unique<Controls>();
    Controls& c = *m_controls;

    c.ButtonBar = Skin::AddTitleBar(this, QStringLiteral("About"), ClientWidth);
    m_drag->AddArea(c.ButtonBar);

    c.Strips = BorderStrips::Add(this, TitleHeight, m_palette.dark);

    c.LabelApp = textLabel(this, "LabelApp", QStringLiteral("Orvane"), {6, 32});
    c.LabelApp->setFont(Skin::Font(16, true));
    c.LabelApp->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.LabelApp->setGeometry(6, 32, 287, 25);
    Skin::SetTextColour(c.LabelApp, Skin::Navy);

    c.LabelVersion = textLabel(this, "LabelVersion", versionText(), {192, 48}, 102);

    textLabel(this, "LabelMadeBy", QStringLiteral("Made by"), {8, 64});
    QLabel* maker =
        textLabel(this, "LabelMaker", QStringLiteral("the Orvane developers"), {80, 62});
    maker->setFont(Skin::Font(13, true));
    maker->adjustSize();

    textLabel(this, "LabelEMail", QStringLiteral("e-mail:"), {8, 88});
    c.LinkLabel1 = new TLinkLabel(m_open, this);
    c.LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    c.LinkLabel1->SetLinkType(ltmailto);
    c.LinkLabel1->SetHyperLink(QString::fromLatin1(ProjectLinks::EMail));
    c.LinkLabel1->adjustSize();
    c.LinkLabel1->move(80, 88);

    // The site is served over https: the link keeps that scheme rather than the plain http
    // prefix, which would send the user to the unencrypted address first.
    textLabel(this, "LabelWebSite", QStringLiteral("Web site"), {8, 112});
    c.LinkLabel2 = new TLinkLabel(m_open, this);
    c.LinkLabel2->setObjectName(QStringLiteral("LinkLabel2"));
    c.LinkLabel2->SetLinkType(lthttps);
    c.LinkLabel2->SetHyperLink(
        QString::fromLatin1(std::string_view(ProjectLinks::WebSite).substr(HttpsScheme.size())));
    c.LinkLabel2->adjustSize();
    c.LinkLabel2->move(80, 112);

    // Without its picture (not installed, or not built in) the box works all the same.
    c.Image1 = new QLabel(this);
    c.Image1->setObjectName(QStringLiteral("Image1"));
    c.Image1->setGeometry(232, 94, 32, 32);
    c.Image1->setAlignment(Qt::AlignCenter);
    c.Image1->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));

    c.ButtonOK = new TdxButton(this);
    c.ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    c.ButtonOK->setGeometry(100, 162, 100, c.ButtonOK->height());
    c.ButtonOK->SetCaption(QStringLiteral(" OK "));
    c.ButtonOK->SetGlyph(QImage(QStringLiteral(":/images/ok.png")));
    c.ButtonOK->SetFontColor(Qt::white);
    connect(c.ButtonOK, &TdxButton::OnClick, this, &TFormAbout::ButtonOKClick);

    applyPaletteToControls();
    if (m_quality)
        Skin::ApplyQuality(this, *m_quality);
}

void TFormAbout::ButtonOKClick() {
    hide();
}

TdxButton* TFormAbout::ButtonBar() {
    return controls().ButtonBar;
}
TdxButton* TFormAbout::ButtonOK() {
    return controls().ButtonOK;
}
TLinkLabel* TFormAbout::LinkLabel1() {
    return controls().LinkLabel1;
}
TLinkLabel* TFormAbout::LinkLabel2() {
    return controls().LinkLabel2;
}
QLabel* TFormAbout::LabelApp() {
    return controls().LabelApp;
}
QLabel* TFormAbout::LabelVersion() {
    return controls().LabelVersion;
}
QLabel* TFormAbout::Image1() {
    return controls().Image1;
}
QLabel* TFormAbout::LabelLeft() {
    return controls().Strips.LabelLeft;
}
QLabel* TFormAbout::LabelRight() {
    return controls().Strips.LabelRight;
}
QLabel* TFormAbout::LabelBottom() {
    return controls().Strips.LabelBottom;
}
