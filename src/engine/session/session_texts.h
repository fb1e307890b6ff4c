#pragma once

// Status line texts of the session.
inline constexpr char kStatusWaiting[] = "Waiting...";
inline constexpr char kStatusStopped[] = "Stopped";
inline constexpr char kStatusConnecting[] = "Connecting...";
inline constexpr char kStatusGettingContent[] = "Getting content...";
inline constexpr char kStatusLoggingIn[] = "Login in...";
inline constexpr char kStatusParsing[] = "Parsing content...";
inline constexpr char kStatusLoggingOut[] = "Loging out";

// Captions of the Start/Stop button.
inline constexpr char kStartSessionCaption[] = "&Start Session";
inline constexpr char kStopSessionCaption[] = "&Stop Session";

// Texts that replace the log screen when a poll fails.
inline constexpr char kCannotConnectText[] = "*** ERROR: Cannot connect to specified address\r\n";
inline constexpr char kPageMovedText[] = "*** Error: Page moved. Try other router address:port\r\n";
inline constexpr char kLoginDisabledText[] = "*** Error: Login disabled.";
inline constexpr char kLoginConnectFailedText[] = "*** Error: Cannot connect.";

// Forced logout questions.
inline constexpr char kLogoutBusyText[] = "Cannot logout right now - in communication. Try later.";
inline constexpr char kLogoutQuestionText[] = "This will force a logout. Are you sure?";
