#pragma once

enum class TrayImage { Normal, Alert };

// The notification-area icon as the engine sees it.
class TrayPort {
public:
    virtual ~TrayPort() = default;
    virtual void ShowTrayImage(TrayImage image) = 0;
};
