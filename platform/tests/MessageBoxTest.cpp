// Message boxes: the installed handler answers, and without one the default button is taken.
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(MessageBox, WithoutHandlerPrintsAndTakesTheDefault) {
    TMessageBoxRequest request{.Caption = "Logo Randomizer",
                               .Text = "Something happened",
                               .Type = TMsgDlgType::mtWarning,
                               .Buttons = {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}};
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessageBox(request), TModalResult::mrOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Logo Randomizer: Something happened\n");
    request.DefaultButton = TMsgDlgBtn::mbCancel;
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessageBox(request), TModalResult::mrCancel);
    testing::internal::GetCapturedStderr();
}

TEST(MessageBox, ScopedHandlerAnswersAndIsRemovedAfterwards) {
    std::vector<std::string> seen;
    {
        TScopedMessageBoxHandler recorder([&](const TMessageBoxRequest& r) {
            seen.push_back(r.Text);
            return TModalResult::mrCancel;
        });
        EXPECT_EQ(ShowMessageBox({.Caption = "c", .Text = "first"}), TModalResult::mrCancel);
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessageBox({.Caption = "c", .Text = "second"}), TModalResult::mrOK);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(seen, std::vector<std::string>{"first"});
}

} // namespace
} // namespace platform
