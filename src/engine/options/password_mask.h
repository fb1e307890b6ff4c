#pragma once

// Shown in IDC_PASSWORD in place of the password.
inline constexpr char kPasswordMask[] = "*********";
