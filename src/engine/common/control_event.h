#pragma once

// How a control or menu reported itself in a command.
enum class ControlEvent { Clicked, TextChanged, Other };

// A dialog's default button (and the Enter key), and the Escape key.
inline constexpr int kHideCommand = 1;
inline constexpr int kCancelCommand = 2;
