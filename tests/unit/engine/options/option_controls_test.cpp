#include "options/option_controls.h"

#include <gtest/gtest.h>

#include "options/password_mask.h"
#include "resource_ids.h"
#include "support/fake_dialog.h"

// The controls show the options; a control's notification, as the shell
// passes it on, changes its option only when the user made it.
TEST(OptionControls, ShowTheOptionsAndTakeTheUsersChanges) {
    FakeDialog dialog;
    OptionControls controls(dialog);
    Options options;
    // Like the shell: EN_CHANGE follows every change of an edit box's text.
    dialog.onTextChanged = [&](int id, const std::string&) { controls.TakeChange(id, ControlEvent::TextChanged, options); };
    options.routerAddress = "127.0.0.1:8080";
    options.routerPassword = "secret";
    options.keepAnimation = 2;
    options.dateFormat = DateFormat::Short;
    controls.Show(options);
    EXPECT_EQ(dialog.GetText(IDC_ROUTER_ADDRESS), "127.0.0.1:8080");
    EXPECT_EQ(dialog.GetText(IDC_PASSWORD), kPasswordMask);
    EXPECT_EQ(options.routerPassword, "secret");  // the mask is not the password
    EXPECT_EQ(dialog.GetCheckState(IDC_KEEP_ANIMATION), 2u);
    EXPECT_TRUE(dialog.IsChecked(IDC_SHORT_FORMAT));
    EXPECT_FALSE(dialog.IsChecked(IDC_LONG_FORMAT));

    dialog.SetText(IDC_PASSWORD, "n3w");
    EXPECT_EQ(options.routerPassword, "n3w");
    EXPECT_FALSE(options.passwordMasked);
    dialog.SetText(IDC_PASSWORD, kPasswordMask);  // a password of nine asterisks looks untouched
    EXPECT_TRUE(options.passwordMasked);

    dialog.SetChecked(IDC_ONLY_INTRUSION, true);  // an automatic check box changes, then reports the click
    EXPECT_TRUE(controls.TakeChange(IDC_ONLY_INTRUSION, ControlEvent::Clicked, options));
    EXPECT_EQ(options.onlyIntrusion, 1u);
    dialog.SetChecked(IDC_SHORT_FORMAT, false);
    dialog.SetChecked(IDC_WINDOWS_FORMAT, true);
    controls.TakeChange(IDC_WINDOWS_FORMAT, ControlEvent::Clicked, options);
    EXPECT_EQ(options.dateFormat, DateFormat::Windows);
    EXPECT_FALSE(controls.TakeChange(IDC_GET_IT_NOW, ControlEvent::Clicked, options));
}
