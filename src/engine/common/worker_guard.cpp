#include "common/worker_guard.h"

#include <exception>

namespace {
constexpr char kFailurePrefix[] = "*** Error: ";
constexpr char kUnknownFailure[] = "unexpected failure";
}  // namespace

void RunGuarded(const std::function<void()>& body, const std::function<void(std::string)>& failed) {
    try {
        body();
    } catch (const std::exception& failure) {
        failed(kFailurePrefix + std::string(failure.what()));
    } catch (...) {
        failed(kFailurePrefix + std::string(kUnknownFailure));
    }
}
