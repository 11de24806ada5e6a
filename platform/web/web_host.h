#pragma once
// The maker's web host: the update check and the web links of the programs.
// The host is build configuration (the CMake cache variable QUENDREL_WEB_HOST,
// empty by default: no host, so no update check and no links). For tests the
// environment variable QUENDREL_WEB_HOST overrides it, but only when it names
// a loopback host: 127.x.x.x, localhost or [::1], each with an optional :port.

#include <QString>

namespace platform {

// The paths on the host.
inline constexpr const char* kUpdateCheckPath = "/Utilities/Quendrel/newVersion.dat";  // the version on offer
inline constexpr const char* kHelpPagePath = "/utilities/quendrel/help.html";  // "Help on the web"
inline constexpr const char* kHomePagePath = "/utilities/quendrel/";           // "Visit the website"
inline constexpr const char* kPlayerTitleLinkPath = "/utilities/Quendrel";     // the player's title

// The host the build was configured with ("" for none).
QString configuredWebHost();

// True for 127.a.b.c (each 0-255), localhost (any case) and [::1], each with
// an optional :port (1-65535), and nothing else.
bool isLoopbackHost(const QString& host);

// The host in force: $QUENDREL_WEB_HOST when it is a loopback host, else the
// configured one. "" when there is none.
QString webHost();

// "http://" + host + path; "" when there is no host.
QString webAddress(const QString& path);

}  // namespace platform
