#include "lockkeys.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

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

void AddLockKeyPanes(QStatusBar *bar)
{
    const char *const names[3] = {"CAP", "NUM", "SCRL"};
    QLabel *panes[3];
    for (int i = 0; i < 3; ++i) {
        panes[i] = new QLabel(QString::fromLatin1(names[i]));
        panes[i]->setObjectName(QStringLiteral("lockPane%1").arg(QString::fromLatin1(names[i])));
        panes[i]->setAlignment(Qt::AlignCenter);
        panes[i]->setMinimumWidth(44);
        panes[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(panes[i]);
    }
    const auto update = [panes = std::to_array(panes)] {
        const LockKeyState state = QueryLockKeys();
        const bool on[3] = {state.CapsLock, state.NumLock, state.ScrollLock};
        for (int i = 0; i < 3; ++i)
            panes[size_t(i)]->setEnabled(state.Known && on[i]);
    };
    auto *timer = new QTimer(bar);
    QObject::connect(timer, &QTimer::timeout, bar, update);
    timer->start(250);
    update();
}
