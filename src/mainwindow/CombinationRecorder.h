// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/KeyRecording.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

// Takes the next key combination pressed into a widget of ours. While it records, the widget
// holds the keyboard grab, so the desktop's shortcuts do not fire either, and the window's
// shortcuts and mnemonics are held back. It ends at the first complete combination, at Esc,
// or when the widget loses the focus, the window its activation or the window is hidden;
// however it ends, the grab is released and ended() comes once.
class CombinationRecorder : public QObject {
    Q_OBJECT
public:
    // The hotkey backend's name for the key of a native scan code, when it can tell.
    using VirtualKeyOf = std::function<std::optional<int>(quint32 nativeScanCode)>;

    explicit CombinationRecorder(VirtualKeyOf virtualKeyOf, QObject* parent = nullptr);
    ~CombinationRecorder() override;

    // Gives grabber the focus and the keyboard; a recording already running goes on.
    void start(QWidget* grabber);
    bool isRecording() const { return !m_grabber.isNull(); }

signals:
    // The recording ends; the keyboard is still grabbed, so that what is set up again now is
    // in place before any key can reach it.
    void finishing();
    // Taken, Cancelled or NotInList; the grab is already released.
    void ended(const KeyRecording::Outcome& outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keyPressed(const QKeyEvent& key);
    void finish(const KeyRecording::Outcome& outcome);
    void release();

    const VirtualKeyOf m_virtualKeyOf;
    QPointer<QWidget> m_grabber;
    QPointer<QWidget> m_window;
};
