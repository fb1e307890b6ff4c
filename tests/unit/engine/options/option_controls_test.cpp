#include "options/option_controls.h"

#include <gtest/gtest.h>

#include "options/password_mask.h"
#include "resource_ids.h"
#include "support/fake_dialog.h"

// A control's notification changes its option only when the user made it.
// The round trip of texts, boxes and date buttons is the GUI scenario
// options_saved_at_shutdown_and_loaded's; here what it cannot bring about.
TEST(OptionControls, ShowTheOptionsAndTakeTheUsersChanges) {
    FakeDialog dialog;
    OptionControls controls(dialog);
    Options options;
    // Like the shell: EN_CHANGE follows every change of an edit box's text.
    dialog.onTextChanged = [&](int id, const std::string&) { controls.TakeChange(id, ControlEvent::TextChanged, options); };
    options.routerPassword = "secret";
    options.keepAnimation = 2;
    controls.Show(options);
    EXPECT_EQ(dialog.GetText(IDC_PASSWORD), kPasswordMask);
    EXPECT_EQ(options.routerPassword, "secret");  // the mask is not the password
    EXPECT_EQ(dialog.GetCheckState(IDC_KEEP_ANIMATION), 2u);

    dialog.SetText(IDC_PASSWORD, "n3w");
    EXPECT_EQ(options.routerPassword, "n3w");
    EXPECT_FALSE(options.passwordMasked);
    dialog.SetText(IDC_PASSWORD, kPasswordMask);  // a password of nine asterisks looks untouched
    EXPECT_TRUE(options.passwordMasked);
    EXPECT_FALSE(controls.TakeChange(IDC_GET_IT_NOW, ControlEvent::Clicked, options));
}
