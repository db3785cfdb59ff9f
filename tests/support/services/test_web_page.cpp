// The web opener's failures and their messages, without a window.
#include <gtest/gtest.h>

#include "FakeServices.h"
#include "WebPage.h"

namespace vx {
namespace {

TEST(WebOpenerErrors, TheTextOfEachFailure) {
    EXPECT_EQ(WebOpenerErrorText(8, "x"), "Error launching web browser, error code = 8.\r\n\r\nOut of memory.");
    EXPECT_EQ(WebOpenerErrorText(2, "x"), "Error launching web browser, error code = 2.\r\n\r\nPlease try once more.");
    EXPECT_EQ(WebOpenerErrorText(-5, "x"), "Error launching web browser, error code =-5.");
    EXPECT_EQ(WebOpenerErrorText(32, "x"), "Error launching web browser, error code = 32.");
    EXPECT_EQ(WebOpenerErrorText(33, "x"), "");
    EXPECT_EQ(WebOpenerErrorText(31, "http://example.org/page.htm"),
              "Error launching web browser, error code = 31.\r\n\r\nFile extension 'htm' is not associated with any "
              "application program.");
}

TEST(WebOpenerErrors, OpeningShowsABoxOnlyOnFailure) {
    vxtest::RecordingWeb web;
    vxtest::RecordingMessages messages;
    OpenWebPage("file:///doc/index.html", web, messages);
    EXPECT_TRUE(messages.shown.empty());
    web.result = 2;
    OpenWebPage("file:///doc/index.html", web, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Cannot launch web browser");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(web.opened.size(), 2u);
}

}  // namespace
}  // namespace vx
