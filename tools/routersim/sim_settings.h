#pragma once
#include <chrono>
#include <string>
#include <vector>

using SimClock = std::chrono::steady_clock;

// How the simulator answers router requests (control requests always get a
// plain answer).
enum class DeliveryMode {
    Normal,    // answer, close
    KeepOpen,  // answer, then hold the connection silent until the client closes
    NoAnswer,  // read the request, never answer, hold the connection
    Drip,      // answer one byte every dripIntervalMs
    Reset,     // send half the answer, then reset the connection
    Garbage,   // binary noise instead of an answer
    Refuse,    // read the request and close at once
    Huge,      // the log page with generatedBytes of calls made while sending
};

enum class StatusLayout { Common, Variant };
// The menu page's login form, whole or with a part a broken firmware leaves out.
enum class LoginForm { Complete, WithoutAction, WithoutEnd };
enum class ConnectionItem { ConnectionTime, LeaseTime, None };

struct SimLogEntry {
    bool timed = true;
    SimClock::time_point when;  // timed entries: the event's moment
    std::string text;
};

// Everything a test can change while the simulator runs.
struct SimSettings {
    std::vector<SimLogEntry> log;
    std::string wanType = "PPPoE";

    bool loginRequired = false;
    std::string password = "admin";
    bool loggedIn = false;
    bool refuseAfterLogin = false;  // the refusal persists even after a good login
    bool moved = false;             // every router page answers "301 Moved"
    LoginForm loginForm = LoginForm::Complete;

    StatusLayout statusLayout = StatusLayout::Common;
    ConnectionItem connectionItem = ConnectionItem::ConnectionTime;

    DeliveryMode mode = DeliveryMode::Normal;
    int dripIntervalMs = 5;
    bool contentLength = false;
    unsigned long long generatedBytes = 0;  // Huge: never held whole, so it may pass the memory's size
    int logoutDelayMs = 0;  // a slow router: the logout answers only after this
};

// The settings the simulator starts with and returns to on reset.
SimSettings DefaultSimSettings(SimClock::time_point now);
