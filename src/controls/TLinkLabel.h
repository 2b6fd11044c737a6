// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QString>
#include <functional>

// The scheme put before a link label's target. Fixed underlying type: a value outside
// the list is a valid value of the type and gets the fallback prefix.
enum tLinkType : int {
    ltfile,
    ltftp,
    ltgopher,
    lthttp,
    lthttps,
    ltmailto,
    ltnews,
    lttelnet,
    ltwais
};

// The prefix of a link type, such as "http://" or "mailto:".
QString LinkPrefix(tLinkType type);

// A label that acts as a hyperlink: blue underlined text under a hand pointer; a left
// press opens the prefix of LinkType followed by HyperLink, and so do Enter and Space once Tab
// has brought the keyboard to it. Screen readers find a link named by its text, described by
// that link.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    // Hands a link to whatever opens it (the desktop shell, in the program).
    using OpenLink = std::function<void(const QString& link)>;

    TLinkLabel(OpenLink open, QWidget* parent);

    tLinkType LinkType() const { return m_linkType; }
    void SetLinkType(tLinkType type) { m_linkType = type; }

    QString HyperLink() const { return m_hyperLink; }
    // Stores the target; an empty caption becomes the target.
    void SetHyperLink(const QString& target);

    // The link a press opens.
    QString Link() const { return LinkPrefix(m_linkType) + m_hyperLink; }
    // Opens it, as a left press does.
    void Open() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    OpenLink m_open;
    tLinkType m_linkType = lthttp;
    QString m_hyperLink;
};
