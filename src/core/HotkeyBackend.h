#pragma once

#include <QObject>
#include <memory>

// The system's global hotkeys, shaped like RegisterHotKey / UnregisterHotKey and the
// hotkey message. The build picks the implementation for the platform.
class HotkeyBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HotkeyBackend() override = default;

    // True when the system took the combination for id; false when it refused it (held by
    // another program, or by this one under another id).
    virtual bool registerHotKey(int id, unsigned modifierBits, int virtualKey) = 0;
    // Releases id; releasing an id that holds nothing does nothing.
    virtual void unregisterHotKey(int id) = 0;

signals:
    // A registered combination was pressed; autoRepeat when the key is only being held.
    void hotkeyPressed(int id, bool autoRepeat);
};

std::unique_ptr<HotkeyBackend> CreateHotkeyBackend();
