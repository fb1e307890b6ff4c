#pragma once
#include <string>

#include "http_request.h"
#include "http_response.h"
#include "sim_state.h"

// Requests under this path steer the simulator; they are never recorded.
inline constexpr const char* kControlPathPrefix = "/_sim/";

bool IsControlRequest(const HttpRequest& request);

// /_sim/reset                       defaults, recorded requests cleared
// /_sim/log/clear                   no log entries
// /_sim/log/add?text=T[&age=MS]     timed entry MS old (untimed without age)
// /_sim/log/fill?bytes=N            add entries until the log page holds N bytes
// /_sim/wan?type=T
// /_sim/auth?required=0|1&password=P&refuse=0|1&loggedin=0|1   (each optional)
// /_sim/moved?on=0|1
// /_sim/menu?form=complete|noaction|noend     the login form whole, without ACTION=, without </FORM>
// /_sim/status?layout=common|variant&item=connection|lease|none
// /_sim/mode?name=normal|keepopen|noanswer|drip|reset|garbage|refuse|huge
//            [&interval=MS][&contentlength=0|1][&bytes=N]   (huge: N bytes of calls, made while sending)
// /_sim/logout?delay=MS              the logout answers MS later (a slow router)
// /_sim/requests                    each recorded request as "<length>\n<bytes>"
// /_sim/requests/clear
// /_sim/generated                  the last huge answer, once sent (waits up to 5 s):
//                                   "sent N whole" or "sent N cut" (the client went away), or "none"
// /_sim/connections                 router connections since the last clear
// /_sim/freeport                    a loopback port nobody listens on (for refusal tests)
HttpResponse AnswerControlRequest(const HttpRequest& request, SimState& state);
