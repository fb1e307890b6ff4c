#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/routersim_fixture.h"
#include "router/login_request.h"

TEST(HostileLoginForm, FieldsAreLookedForOnlyWithinTheScanLimit) {
    const std::string early = "<INPUT TYPE=HIDDEN NAME=page VALUE=\"log\">";
    const std::string late = "<INPUT TYPE=PASSWORD NAME=pws>";
    const std::string padding(LoginFormScanLimit, ' ');
    EXPECT_EQ(BuildLoginRequest("ACTION=/in " + early + padding + late + "</FORM>", "pw"),
              "GET /in?page=log" + ExpectedTail);
}

TEST(HostileLoginForm, UnfinishedFieldsEndQuickly) {
    // One blank at the very end: every field's type would run on to it, a
    // search and a copy of the whole form per field, minutes for this page.
    std::string fields;
    for (int i = 0; i < 200000; ++i) fields += "<INPUT TYPE=";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(BuildLoginRequest("ACTION=/in " + fields + " ></FORM>", "pw"), "GET /in" + ExpectedTail);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}
