#pragma once

// Held while a real program's window is on the shared X display: a new window takes the focus and
// the pointer, and with them another test's program's keys and mouse.
class DisplayLock {
public:
    DisplayLock();
    ~DisplayLock();
    DisplayLock(const DisplayLock&) = delete;
    DisplayLock& operator=(const DisplayLock&) = delete;

private:
    int fd = -1;
};
