#pragma once
// The keyboard's lock states, where the platform tells them (the X11 keyboard extension).

struct LockKeyState
{
    bool Known = false; // false where the platform does not tell
    bool CapsLock = false;
    bool NumLock = false;
    bool ScrollLock = false;
};

LockKeyState QueryLockKeys();
