#pragma once
// The online version check: the request to the maker's server and the rules on its answer.

#include "base/Identity.h"
#include "base/Status.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace kt {

// Conv_Version: the number of a version text ("1.000" is 1000), or -1. Takes what follows
// the first blank (all when there is none); digits 1, 3, 4 and 5 make the number.
[[nodiscard]] int Conv_Version(std::string_view ver);

// True when the server's answer names a version newer than `local`.
[[nodiscard]] bool IsNewerVersion(std::string_view answer, std::string_view local = SwVersion);

// Where and how long to ask; the defaults are the maker's server.
struct VersionRequest {
    std::string host = WebHost; // host[:port], plain HTTP
    std::chrono::milliseconds timeout{10000};
    std::size_t maxBody = 64 * 1024; // a longer answer is no version answer
};

// "http://" + host + the query path with SwCode.
[[nodiscard]] std::string VersionCheckUrl(const std::string& host);

// The GET itself: the response body. HTTP/1.0, fixed Accept and User-Agent, no cookies, no
// proxy. Time-out, HTTP error status and broken transfer are Io, an over-long body is
// Malformed. Thread-safe.
[[nodiscard]] Result<std::string> FetchVersionAnswer(const VersionRequest& request);

// Check_Version: asks the server; any failure counts as "no newer version". Blocks.
[[nodiscard]] bool Check_Version(const VersionRequest& request = {});

} // namespace kt
