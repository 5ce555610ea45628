#pragma once

// Held by a test while a real program's window is on the shared X display. A new window takes the
// keyboard focus and grabs the pointer, which would take the mouse and the keys of another test's
// program: such tests wait for each other instead.
class DisplayLock {
public:
    DisplayLock();
    ~DisplayLock();
    DisplayLock(const DisplayLock&) = delete;
    DisplayLock& operator=(const DisplayLock&) = delete;

private:
    int fd = -1;
};
