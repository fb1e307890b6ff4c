// Under Wine the simulator cannot be started from here: the run's wrapper
// starts the native one and passes its port.
#include <cstdlib>

#include "support/routersim_fixture.h"

const RouterSimEndpoint& RouterSim() {
    static const RouterSimEndpoint endpoint = [] {
        RouterSimEndpoint found;
        const char* port = std::getenv("VORLANE_ROUTERSIM_PORT");
        if (port == nullptr || std::atoi(port) <= 0)
            found.failure = "VORLANE_ROUTERSIM_PORT is not set; run the Windows tests through ctest (tests/with-routersim.sh)";
        else
            found.port = std::atoi(port);
        return found;
    }();
    return endpoint;
}
