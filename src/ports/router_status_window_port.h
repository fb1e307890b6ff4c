#pragma once

// The Router Status window as a whole (its controls go through a DialogPort).
class RouterStatusWindowPort {
public:
    virtual ~RouterStatusWindowPort() = default;
    // False when the window could not be created; nothing then acts on it.
    virtual bool Exists() = 0;
    virtual void Show(bool makeForeground) = 0;
    virtual void Hide() = 0;
};
