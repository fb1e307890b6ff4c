#include <gtest/gtest.h>

#include <string>

#include "support/routersim_fixture.h"
#include "router/login_request.h"

namespace {

TEST(BuildLoginRequest, HiddenFieldsAsTheTagsWriteThemThenPasswordUnencoded) {
    const std::string form = "<FORM METHOD=POST ACTION=/login.cgi NAME=f>\r\n<INPUT TYPE=HIDDEN NAME=mode VALUE=\"1\">\r\n"
                             "<INPUT TYPE=PASSWORD NAME=pws SIZE=10>\r\n<INPUT TYPE=SUBMIT VALUE=\"OK\"></FORM>";
    EXPECT_EQ(BuildLoginRequest(form, "pa ss&w%rd"), "GET /login.cgi?mode=1&pws=pa ss&w%rd" + ExpectedTail);
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
    EXPECT_EQ(UrlEncode(std::string("\0/{~\xe9", 5)), "%00%2f%7b%7e%e9");
}

TEST(HostileLoginForm, FieldsAreLookedForOnlyWithinTheScanLimit) {
    const std::string early = "<INPUT TYPE=HIDDEN NAME=page VALUE=\"log\">";
    const std::string late = "<INPUT TYPE=PASSWORD NAME=pws>";
    const std::string padding(kLoginFormScanLimit, ' ');
    EXPECT_EQ(BuildLoginRequest("ACTION=/in " + early + padding + late + "</FORM>", "pw"),
              "GET /in?page=log" + ExpectedTail);
}

TEST(HostileLoginForm, UnfinishedFieldsEndAtTheNextField) {
    // One blank at the very end: were every field's type to run on to it,
    // this page would keep the suite busy for minutes.
    std::string fields;
    for (int i = 0; i < 200000; ++i) fields += "<INPUT TYPE=";
    EXPECT_EQ(BuildLoginRequest("ACTION=/in " + fields + " ></FORM>", "pw"), "GET /in" + ExpectedTail);
}

}  // namespace
