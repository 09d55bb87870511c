#include "lockkeys.h"

#include <QGuiApplication>

#if __has_include(<X11/XKBlib.h>)
#include <X11/XKBlib.h>
#define DOTRIX_HAVE_XKB 1
#endif

LockKeyState QueryLockKeys()
{
    LockKeyState state;
#ifdef DOTRIX_HAVE_XKB
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    unsigned int indicators = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) != Success)
        return state;
    // The core keyboard's indicators in their usual order: Caps, Num, Scroll.
    state.Known = true;
    state.CapsLock = indicators & 1u;
    state.NumLock = indicators & 2u;
    state.ScrollLock = indicators & 4u;
#endif
    return state;
}
