#pragma once
#include <string>

#include "http_response.h"
#include "sim_settings.h"

// The login form the router shows on its menu page.
inline constexpr const char* kLoginActionPath = "/cgi-bin/login";
inline constexpr const char* kPasswordFieldName = "pws";

HttpResponse MenuPage(LoginForm form);
HttpResponse LoginAcceptedPage();
HttpResponse LoginRejectedPage();  // holds "Password" and "incorrect"
HttpResponse AuthorizationRequiredPage();
HttpResponse MovedPage(int port);
HttpResponse LoggedOutPage();
HttpResponse NotFoundPage();
