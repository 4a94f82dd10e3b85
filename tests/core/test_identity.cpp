// The maker's identity comes from the build's KT_* options, whatever their values.

#include "base/Identity.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Identity, PagesAreOnTheConfiguredHost) {
    const std::string host = kt::WebHost;
    EXPECT_EQ(kt::HomePageUrl, "http://" + host + "/HOME/default.asp?frompg=KT52903");
    EXPECT_EQ(kt::DownloadPageUrl, "http://" + host + "/Home/download/download.asp#GX52903");
}

} // namespace
