#pragma once

// What the engine asks of the main window itself: the things that are
// windows and menus rather than controls.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;
    // Restored (SW_RESTORE, which also shows a hidden window) and brought to the foreground.
    virtual void RestoreAndBringForward() = 0;
    virtual void Hide() = 0;
    // The keyboard focus is in the argument box IDC_EXTERNAL_ARGUMENT.
    virtual bool ArgumentHasFocus() = 0;
    // Plays the animation IDC_SESSION_ANIMATION (true) or rests it on its first frame (false).
    virtual void PlaySessionAnimation(bool play) = 0;
    // The tray icon's popup menu at the mouse, with the two pop-up items
    // ticked or not; returns when it has closed.
    virtual void ShowTrayMenu(bool popupOnIntrusion, bool popupOnTrouble) = 0;
    virtual void ShowAboutBox() = 0;
    // Saves, removes the icon and ends the process; does not return.
    virtual void ShutdownApplication() = 0;
};
