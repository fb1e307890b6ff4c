#pragma once
#include <string>

#include "http_response.h"

// The login form the router shows on its menu page.
inline constexpr const char* LoginActionPath = "/cgi-bin/login";
inline constexpr const char* PasswordFieldName = "pws";

HttpResponse MenuPage();
HttpResponse LoginAcceptedPage();
HttpResponse LoginRejectedPage();  // holds "Password" and "incorrect"
HttpResponse AuthorizationRequiredPage();
HttpResponse MovedPage(int port);
HttpResponse LoggedOutPage();
HttpResponse NotFoundPage();
