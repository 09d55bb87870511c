#pragma once
// The keyboard's lock states, where the platform tells them (the X11 keyboard extension), and
// the status bar's panes that show them.

class QStatusBar;

struct LockKeyState
{
    bool Known = false; // false where the platform does not tell
    bool CapsLock = false;
    bool NumLock = false;
    bool ScrollLock = false;
};

LockKeyState QueryLockKeys();

// Adds the CAP, NUM and SCRL panes at the right of bar, lit while their lock is on; they follow
// the keyboard four times a second.
void AddLockKeyPanes(QStatusBar *bar);
