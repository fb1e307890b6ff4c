#pragma once
#include <functional>
#include <string>

// Runs a worker's body. Whatever escapes it (a failed allocation, a failure
// inside a port) would end the program; it becomes "*** Error: <what>",
// handed to failed, which shows it where the worker's failures show.
void RunGuarded(const std::function<void()>& body, const std::function<void(std::string)>& failed);
