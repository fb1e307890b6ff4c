#pragma once
#include <windows.h>

#include <string>

#include "message_port.h"

// The caption every message box of the program carries: the executable's
// file title, as the system's file-title service gives it.
std::string ApplicationTitle();

// A message box with the exclamation icon and the program's caption; the
// text is UTF-8 (it may name a path).
MessageAnswer ShowApplicationMessage(HWND owner, const std::string& text, MessageButtons buttons);
