#include "connection_handler.h"

#include <unistd.h>

#include "connection_io.h"
#include "control_api.h"
#include "delivery.h"
#include "router_routes.h"

namespace {

constexpr int kRequestWaitMs = 5000;

}  // namespace

void ServeConnection(int fd, SimState& state, int port) {
    std::string head = ReadRequestHead(fd, kRequestWaitMs);
    HttpRequest request = ParseHttpRequest(head);
    if (IsControlRequest(request)) {
        DeliverPlainAnswer(fd, AnswerControlRequest(request, state));
        return;
    }
    state.CountConnection();
    if (head.empty()) {
        ::close(fd);
        return;
    }
    state.RecordRequest(head);
    SimSettings settings = state.Snapshot();
    DeliverRouterAnswer(fd, AnswerRouterRequest(request, state, PeerAddress(fd), port), settings, state);
}
