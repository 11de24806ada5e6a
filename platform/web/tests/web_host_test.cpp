#include "web/web_host.h"
#include "system/scoped_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace platform {
namespace {

const QString kBuildHost = QString::fromUtf8(QUENDREL_EXPECTED_WEB_HOST);

TEST(WebHost, TheDefaultIsTheBuildConfiguration) {
  ScopedEnvironmentVariable env("QUENDREL_WEB_HOST", nullptr);
  EXPECT_EQ(configuredWebHost(), kBuildHost);
  EXPECT_EQ(webHost(), kBuildHost);
  if (kBuildHost.isEmpty()) {
    EXPECT_EQ(webAddress(kHelpPagePath), "");
    EXPECT_EQ(webAddress(kUpdateCheckPath), "");
  } else {
    EXPECT_EQ(webAddress(kHelpPagePath), "http://" + kBuildHost + "/utilities/quendrel/help.html");
  }
}

TEST(WebHost, LoopbackHosts) {
  for (const char* host : {"127.0.0.1", "127.0.0.1:8080", "127.1.2.3", "127.255.255.255:65535", "localhost",
                           "LocalHost:3000", "[::1]", "[::1]:8080"})
    EXPECT_TRUE(isLoopbackHost(host)) << host;
  for (const char* host : {"", "example.com", "10.0.0.1", "128.0.0.1", "127.0.0.256", "127.0.0", "127.0.0.1.5",
                           "localhost.example.com", "127.0.0.1@example.com", "127.0.0.1:", "127.0.0.1:0",
                           "127.0.0.1:65536", "127.0.0.1:80/x", "[::2]", "[::1", "[::1]x", "::1",
                           "localhost:http", " 127.0.0.1"})
    EXPECT_FALSE(isLoopbackHost(host)) << host;
}

TEST(WebHost, TheEnvironmentOverridesWithALoopbackHost) {
  ScopedEnvironmentVariable env("QUENDREL_WEB_HOST", "127.0.0.1:5000");
  EXPECT_EQ(webHost(), "127.0.0.1:5000");
  EXPECT_EQ(webAddress(kUpdateCheckPath), "http://127.0.0.1:5000/Utilities/Quendrel/newVersion.dat");
  EXPECT_EQ(webAddress(kHomePagePath), "http://127.0.0.1:5000/utilities/quendrel/");
  EXPECT_EQ(webAddress(kPlayerTitleLinkPath), "http://127.0.0.1:5000/utilities/Quendrel");
}

TEST(WebHost, LocalhostAndIpv6LoopbackAreAccepted) {
  {
    ScopedEnvironmentVariable env("QUENDREL_WEB_HOST", "localhost:8000");
    EXPECT_EQ(webAddress(kHelpPagePath), "http://localhost:8000/utilities/quendrel/help.html");
  }
  ScopedEnvironmentVariable env("QUENDREL_WEB_HOST", "[::1]:8000");
  EXPECT_EQ(webHost(), "[::1]:8000");
}

TEST(WebHost, OtherHostsInTheEnvironmentAreIgnored) {
  for (const char* host : {"example.com", "10.0.0.1:80", "localhost.example.com", "127.0.0.1@example.com", ""}) {
    ScopedEnvironmentVariable env("QUENDREL_WEB_HOST", host);
    EXPECT_EQ(webHost(), kBuildHost) << host;
  }
}

}  // namespace
}  // namespace platform
