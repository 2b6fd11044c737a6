// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/CombinationRecorder.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {
KeyRecording::Outcome cancelled() {
    KeyRecording::Outcome out;
    out.result = KeyRecording::Result::Cancelled;
    return out;
}
} // namespace

CombinationRecorder::CombinationRecorder(VirtualKeyOf virtualKeyOf, QObject* parent)
    : QObject(parent), m_virtualKeyOf(std::move(virtualKeyOf)) {}

CombinationRecorder::~CombinationRecorder() {
    release();
}

void CombinationRecorder::start(QWidget* grabber) {
    if (isRecording() || !grabber)
        return;
    m_grabber = grabber;
    m_window = grabber->window();
    grabber->setFocus(Qt::OtherFocusReason);
    grabber->installEventFilter(this);
    m_window->installEventFilter(this);
    grabber->grabKeyboard();
}

bool CombinationRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (!isRecording())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken as a key press: neither the window's shortcuts nor its mnemonics fire.
        if (watched == m_grabber) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (watched == m_grabber) {
            keyPressed(*static_cast<QKeyEvent*>(event));
            return true;
        }
        break;
    case QEvent::KeyRelease:
        // Also the release of the Enter or Space that started the recording.
        return watched == m_grabber;
    case QEvent::FocusOut:
        if (watched == m_grabber)
            finish(cancelled());
        break;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        if (watched == m_window)
            finish(cancelled());
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void CombinationRecorder::keyPressed(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers();
    KeyRecording::Press press;
    press.qtKey = key.key();
    // Super is Meta to Qt on X11.
    press.win = mods.testFlag(Qt::MetaModifier);
    press.alt = mods.testFlag(Qt::AltModifier);
    press.ctrl = mods.testFlag(Qt::ControlModifier);
    press.shift = mods.testFlag(Qt::ShiftModifier);
    press.keypad = mods.testFlag(Qt::KeypadModifier);
    if (m_virtualKeyOf && key.nativeScanCode() != 0)
        press.virtualKey = m_virtualKeyOf(key.nativeScanCode());
    const KeyRecording::Outcome outcome = KeyRecording::Take(press);
    if (outcome.result != KeyRecording::Result::Waiting)
        finish(outcome);
}

void CombinationRecorder::finish(const KeyRecording::Outcome& outcome) {
    if (!isRecording())
        return;
    emit finishing();
    release();
    emit ended(outcome);
}

void CombinationRecorder::release() {
    if (m_grabber) {
        m_grabber->removeEventFilter(this);
        m_grabber->releaseKeyboard();
    }
    if (m_window)
        m_window->removeEventFilter(this);
    m_grabber = nullptr;
    m_window = nullptr;
}
