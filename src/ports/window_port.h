#pragma once

// A modeless window of the program as a whole, hidden until shown (its
// controls go through a DialogPort). GUI thread.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    // False when the window could not be created; nothing then acts on it.
    virtual bool Exists() = 0;
    virtual void Show(bool makeForeground) = 0;
    virtual void Hide() = 0;
};
