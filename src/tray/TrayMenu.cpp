// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TrayMenu.h"

#include <QIconEngine>
#include <QPainter>
#include <utility>

TrayMenu::TrayMenu()
    : Show1(addAction(QStringLiteral("Show"))),
      Pausehotkeys1(addAction(QStringLiteral("Pause hotkeys"))),
      Exit3(addAction(QStringLiteral("Exit"))) {
    setObjectName(QStringLiteral("PopupMenuTray"));
    Show1->setObjectName(QStringLiteral("Show1"));
    Pausehotkeys1->setObjectName(QStringLiteral("Pausehotkeys1"));
    Pausehotkeys1->setCheckable(true);
    Exit3->setObjectName(QStringLiteral("Exit3"));
    setDefaultAction(Show1);
}

namespace {

// An icon whose pictures are decoded when it is first drawn, then kept: QIcon::addFile
// decodes at once, and a start that shows one frame need not decode all 24 pictures.
class FilesOnFirstUse : public QIconEngine {
public:
    explicit FilesOnFirstUse(QList<std::pair<QString, QSize>> files) : m_files(std::move(files)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return loaded().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const auto& file : m_files)
            sizes.append(file.second);
        return sizes;
    }
    QIconEngine* clone() const override { return new FilesOnFirstUse(*this); }

private:
    const QIcon& loaded() {
        if (m_icon.isNull())
            for (const auto& [name, size] : m_files)
                m_icon.addFile(name, size);
        return m_icon;
    }

    QList<std::pair<QString, QSize>> m_files;
    QIcon m_icon;
};

} // namespace

QList<QIcon> ImageListTray() {
    QList<QIcon> frames;
    for (int i = 0; i < 8; ++i)
        frames.append(QIcon(new FilesOnFirstUse({
            {QStringLiteral(":/tray/%1-16.png").arg(i), QSize(16, 16)},
            {QStringLiteral(":/tray/%1.png").arg(i), QSize(32, 32)},
            {QStringLiteral(":/tray/%1@2x.png").arg(i), QSize(64, 64)},
        })));
    return frames;
}

QIcon PausedTrayIcon() {
    const QIcon still = ImageListTray().at(4);
    QIcon grey;
    for (const int size : {16, 32, 64})
        grey.addPixmap(still.pixmap(QSize(size, size), 1.0, QIcon::Disabled));
    return grey;
}
