#include "router_pages.h"

HttpResponse MenuPage(LoginForm form) {
    std::string action = form == LoginForm::WithoutAction ? "" : std::string(" ACTION=") + kLoginActionPath;
    std::string formEnd = form == LoginForm::WithoutEnd ? "" : "</FORM>";
    return HtmlPage("<HTML><HEAD><TITLE>Main Menu</TITLE></HEAD>\n<BODY BGCOLOR=#FFFFFF>\n"
                    "<FORM METHOD=GET" + action + " NAME=login>\n"
                    "<INPUT TYPE=HIDDEN NAME=page VALUE=\"syslog\">\n"
                    "<INPUT TYPE=HIDDEN NAME=logout VALUE=\"\">\n"
                    "System Password: <INPUT TYPE=PASSWORD NAME=" +
                    kPasswordFieldName +
                    " SIZE=16 MAXLENGTH=16>\n"
                    "<INPUT TYPE=SUBMIT VALUE=\"Log in\">\n" +
                    formEnd + "</BODY></HTML>\n");
}

HttpResponse LoginAcceptedPage() {
    return HtmlPage("<HTML><HEAD><TITLE>Main Menu</TITLE></HEAD>\n<BODY>Login successful.\n"
                    "<A HREF=/syslog.htm>System Log</A> <A HREF=/status.htm>Status</A> <A HREF=/menu.htm>Password</A>"
                    "</BODY></HTML>\n");
}

HttpResponse LoginRejectedPage() {
    return HtmlPage("<HTML><HEAD><TITLE>Login</TITLE></HEAD>\n<BODY>Password incorrect. Please try again.\n"
                    "<A HREF=/menu.htm>Back</A></BODY></HTML>\n");
}

HttpResponse AuthorizationRequiredPage() {
    return {"HTTP/1.0 401 Unauthorized", "WWW-Authenticate: Basic realm=\"Broadband Router\"\r\nContent-Type: text/html\r\n",
            "<HTML><HEAD><TITLE>401 Authorization Required</TITLE></HEAD>\n<BODY><H1>Authorization Required</H1>\n"
            "This server could not verify that you are authorized to access the document requested.\n"
            "</BODY></HTML>\n"};
}

HttpResponse MovedPage(int port) {
    std::string location = "http://127.0.0.1:" + std::to_string(port) + "/index.htm";
    return {"HTTP/1.0 301 Moved Permanently", "Location: " + location + "\r\nContent-Type: text/html\r\n",
            "<HTML><HEAD><TITLE>301 Moved Permanently</TITLE></HEAD>\n<BODY><H1>Moved Permanently</H1>\n"
            "The document has moved <A HREF=\"" + location + "\">here</A>.</BODY></HTML>\n"};
}

HttpResponse LoggedOutPage() {
    return HtmlPage("<HTML><HEAD><TITLE>Logout</TITLE></HEAD>\n<BODY>You have logged out.</BODY></HTML>\n");
}

HttpResponse NotFoundPage() {
    return {"HTTP/1.0 404 Not Found", "Content-Type: text/html\r\n",
            "<HTML><HEAD><TITLE>404 Not Found</TITLE></HEAD>\n<BODY><H1>Not Found</H1></BODY></HTML>\n"};
}
