#include <gtest/gtest.h>

#include "support/routersim_fixture.h"
#include "router/login_request.h"

namespace {

const std::string FormPage =
    "<HTML><BODY><FORM METHOD=POST ACTION=/login.cgi NAME=f>\r\n"
    "<INPUT TYPE=HIDDEN NAME=mode VALUE=\"1\">\r\n"
    "<INPUT TYPE=PASSWORD NAME=pws SIZE=10>\r\n"
    "<INPUT TYPE=SUBMIT VALUE=\"OK\">\r\n"
    "</FORM></BODY></HTML>";

TEST(BuildLoginRequest, HiddenFieldsThenPasswordUnencoded) {
    EXPECT_EQ(BuildLoginRequest(FormPage, "pa ss&w%rd"), "GET /login.cgi?mode=1&pws=pa ss&w%rd" + ExpectedTail);
    EXPECT_EQ(BuildLoginRequest(FormPage, ""), "GET /login.cgi?mode=1&pws=" + ExpectedTail);
}

TEST(BuildLoginRequest, FieldNamesAndValuesAsTheTagsWriteThem) {
    // Name closed by ">", value trimmed and encoded, a missing VALUE=" gives empty.
    const std::string page =
        "ACTION=\"/cgi/in\" x<INPUT TYPE=HIDDEN NAME= a~b  VALUE=\"  x y \"><INPUT TYPE=HIDDEN NAME=e VALUE=3>"
        "<INPUT TYPE=TEXT NAME=user><INPUT TYPE=PASSWORD NAME=pws></FORM>";
    EXPECT_EQ(BuildLoginRequest(page, "pw"), "GET \"/cgi/in\"?=x+y&e=&pws=pw" + ExpectedTail)
        << "the hidden name ends at its first blank, right after NAME=";
    const std::string page2 = "ACTION=/in x<INPUT TYPE=HIDDEN NAME=a~b VALUE=\"  x y \"></FORM>";
    EXPECT_EQ(BuildLoginRequest(page2, "pw"), "GET /in?a%7eb=x+y" + ExpectedTail);
}

TEST(BuildLoginRequest, DegenerateForms) {
    EXPECT_EQ(BuildLoginRequest("ACTION=/a.cgi <INPUT TYPE=SUBMIT VALUE=go></FORM>", "pw"), "GET /a.cgi" + ExpectedTail);
    EXPECT_EQ(BuildLoginRequest("ACTION=/a.cgi <INPUT TYPE=PASSWORD NAME=p>", "pw"), "GET /a.cgi?" + ExpectedTail);
    EXPECT_EQ(BuildLoginRequest("<FORM><INPUT TYPE=PASSWORD NAME=p></FORM>", "pw"), "GET " + ExpectedTail);
    EXPECT_EQ(BuildLoginRequest("ACTION=/no-space-after", "pw"), "GET " + ExpectedTail);
    // A type without a blank after it contributes nothing.
    EXPECT_EQ(BuildLoginRequest("ACTION=/a <INPUT TYPE=PASSWORD></FORM>", "pw"), "GET /a" + ExpectedTail);
}

TEST(UrlEncode, KeepsDigitsLettersRangeAndDotEncodesTheRest) {
    EXPECT_EQ(UrlEncode("a b-c"), "a+b%2dc");
    EXPECT_EQ(UrlEncode("Zz.9_@[\\]^`"), "Zz.9_@[\\]^`");
    EXPECT_EQ(UrlEncode("~"), "%7e");
    EXPECT_EQ(UrlEncode(std::string(1, static_cast<char>(233))), "%e9");
    EXPECT_EQ(UrlEncode(std::string("\0/{", 3)), "%00%2f%7b");
}

}  // namespace
