// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TFormAbout.h"

#include "BuildInfo.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "core/ProjectLinks.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <string_view>

namespace {

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

} // namespace

TFormAbout::TFormAbout(TLinkLabel::OpenLink open, const Look& look, QWidget* parent)
    : SkinnedWindow(look, QStringLiteral("About"), ClientSize, Draggable, OwnersBackground(parent),
                    parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_open(std::move(open)) {
    setObjectName(QStringLiteral("TFormAbout"));
    setFont(Skin::Font(11));
    // Placed here once; after that the box stays wherever it was left.
    move(FirstPlace);
    Drag()->AddArea(this);
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::ShowAbout() {
    BringToFront();
    // Each time with the keyboard on OK, so Enter closes the box; Tab goes round to the links.
    // A box hidden with the keyboard in it would come back with nothing focused.
    ButtonOK()->setFocus(Qt::OtherFocusReason);
}

void TFormAbout::applyPaletteToControls() {
    Skin::ApplyOkButtonSet(m_buttonOK->Colors(), SkinColours());
}

void TFormAbout::build() {

    AddChrome();

    m_labelApp = textLabel(this, "LabelApp", QStringLiteral("Orvane"), {6, 32});
    m_labelApp->setFont(Skin::Font(16, true));
    m_labelApp->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_labelApp->setGeometry(6, 32, 287, 25);
    Skin::SetTextColour(m_labelApp, Skin::Navy);

    m_labelVersion = textLabel(this, "LabelVersion", versionText(), {192, 48}, 102);

    textLabel(this, "LabelMadeBy", QStringLiteral("Made by"), {8, 64});
    QLabel* maker =
        textLabel(this, "LabelMaker", QStringLiteral("the Orvane developers"), {80, 62});
    maker->setFont(Skin::Font(13, true));
    maker->adjustSize();

    textLabel(this, "LabelEMail", QStringLiteral("e-mail:"), {8, 88});
    m_linkLabel1 = new TLinkLabel(m_open, this);
    m_linkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    m_linkLabel1->SetLinkType(ltmailto);
    m_linkLabel1->SetHyperLink(QString::fromLatin1(ProjectLinks::EMail));
    m_linkLabel1->adjustSize();
    m_linkLabel1->move(80, 88);

    // The site is served over https: the link keeps that scheme rather than the plain http
    // prefix, which would send the user to the unencrypted address first.
    textLabel(this, "LabelWebSite", QStringLiteral("Web site"), {8, 112});
    m_linkLabel2 = new TLinkLabel(m_open, this);
    m_linkLabel2->setObjectName(QStringLiteral("LinkLabel2"));
    m_linkLabel2->SetLinkType(lthttps);
    m_linkLabel2->SetHyperLink(
        QString::fromLatin1(std::string_view(ProjectLinks::WebSite).substr(HttpsScheme.size())));
    m_linkLabel2->adjustSize();
    m_linkLabel2->move(80, 112);

    // Without its picture (not installed, or not built in) the box works all the same.
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(232, 94, 32, 32);
    m_image1->setAlignment(Qt::AlignCenter);
    m_image1->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));
    m_image1->setAccessibleName(QStringLiteral("Orvane"));

    m_buttonOK = new TdxButton(this);
    m_buttonOK->setObjectName(QStringLiteral("ButtonOK"));
    m_buttonOK->setGeometry(100, 162, 100, m_buttonOK->height());
    m_buttonOK->SetCaption(QStringLiteral(" OK "));
    m_buttonOK->SetGlyph(QImage(QStringLiteral(":/images/ok.png")));
    m_buttonOK->SetFontColor(Qt::white);
    // Esc hides the box as OK does.
    m_buttonOK->SetCancel(true);
    connect(m_buttonOK, &TdxButton::OnClick, this, &TFormAbout::ButtonOKClick);
}

void TFormAbout::ButtonOKClick() {
    hide();
}
