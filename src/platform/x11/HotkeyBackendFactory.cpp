#include "NullHotkeyBackend.h"
#include "X11HotkeyBackend.h"

#include <QGuiApplication>

// X key grabs need Qt on X (xcb, XWayland included); on any other platform nothing can be
// grabbed, and the entries must keep their state rather than be unchecked one by one.
std::unique_ptr<HotkeyBackend> CreateHotkeyBackend() {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11HotkeyBackend>();
    return std::make_unique<NullHotkeyBackend>();
}
