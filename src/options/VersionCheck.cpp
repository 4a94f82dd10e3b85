#include "options/VersionCheck.h"

#include "base/TextUtil.h"

#include <curl/curl.h>

#ifdef KT_CURL_AT_FIRST_USE
#include <dlfcn.h>
#endif

#include <cctype>
#include <memory>
#include <type_traits>

namespace kt {

namespace {

constexpr const char* kAccept =
    "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
constexpr const char* kUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

struct Sink {
    std::string body;
    std::size_t limit = 0;
    bool overflow = false;
};

std::size_t Write(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const std::size_t n = size * count;
    if (sink->body.size() + n > sink->limit) {
        sink->overflow = true;
        return 0; // aborts the transfer
    }
    sink->body.append(data, n);
    return n;
}

// The part of libcurl the check uses. Where KT_CURL_AT_FIRST_USE is set (Linux) the library is
// opened at the first check: loading it and the 27 libraries it needs took a good part of
// the configurator's start-up, and most runs never check.
struct CurlApi {
    decltype(&curl_global_init) global_init = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    std::string missing; // why the library cannot be used; empty when it can
};

CurlApi LoadCurl() {
    CurlApi api;
#ifdef KT_CURL_AT_FIRST_USE
    constexpr const char* kLibrary = "libcurl.so.4";
    void* lib = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL); // stays open for the program's life
    if (!lib) {
        const char* why = dlerror();
        api.missing = why ? why : kLibrary;
        return api;
    }
    const auto get = [&](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
        if (!fn && api.missing.empty()) api.missing = std::string(kLibrary) + " lacks " + name;
    };
    get(api.global_init, "curl_global_init");
    get(api.easy_init, "curl_easy_init");
    get(api.easy_cleanup, "curl_easy_cleanup");
    get(api.slist_append, "curl_slist_append");
    get(api.slist_free_all, "curl_slist_free_all");
    get(api.easy_setopt, "curl_easy_setopt");
    get(api.easy_perform, "curl_easy_perform");
    get(api.easy_strerror, "curl_easy_strerror");
    get(api.easy_getinfo, "curl_easy_getinfo");
    if (!api.missing.empty()) return api;
#else
    api.global_init = curl_global_init;
    api.easy_init = curl_easy_init;
    api.easy_cleanup = curl_easy_cleanup;
    api.slist_append = curl_slist_append;
    api.slist_free_all = curl_slist_free_all;
    api.easy_setopt = curl_easy_setopt;
    api.easy_perform = curl_easy_perform;
    api.easy_strerror = curl_easy_strerror;
    api.easy_getinfo = curl_easy_getinfo;
#endif
    api.global_init(CURL_GLOBAL_DEFAULT);
    return api;
}

// Loaded and initialised once, by whichever thread checks first.
const CurlApi& Curl() {
    static const CurlApi api = LoadCurl();
    return api;
}

} // namespace

int Conv_Version(std::string_view ver) {
    const std::size_t blank = ver.find(' ');
    std::string_view rest = blank == std::string_view::npos ? ver : ver.substr(blank + 1);
    rest = TrimBlanks(rest);
    if (rest.size() < 5) return -1;
    const char digits[4] = {rest[0], rest[2], rest[3], rest[4]};
    int value = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsNewerVersion(std::string_view answer, std::string_view local) {
    const std::string_view trimmed = TrimBlanks(answer);
    const std::string upper = UpperAscii(std::string(trimmed));
    if (upper.empty() || upper == "VER. 0.000") return false;
    const int localNumber = Conv_Version(local);
    const int remoteNumber = Conv_Version(trimmed);
    return localNumber != -1 && remoteNumber != -1 && remoteNumber > localNumber;
}

std::string VersionCheckUrl(const std::string& host) {
    return "http://" + host + "/home/download/GetversionSW.asp?nomesw=" + SwCode;
}

Result<std::string> FetchVersionAnswer(const VersionRequest& request) {
    const CurlApi& api = Curl();
    Result<std::string> answer;
    if (!api.missing.empty()) {
        answer.status = Status::io("cannot load the HTTP client: " + api.missing);
        return answer;
    }
    std::unique_ptr<CURL, decltype(api.easy_cleanup)> curl(api.easy_init(), api.easy_cleanup);
    if (!curl) {
        answer.status = Status::io("cannot create the HTTP client");
        return answer;
    }
    curl_slist* headers = api.slist_append(nullptr, kAccept);
    std::unique_ptr<curl_slist, decltype(api.slist_free_all)> headerList(headers,
                                                                         api.slist_free_all);
    Sink sink;
    sink.limit = request.maxBody;
    const std::string url = VersionCheckUrl(request.host);
    char errorText[CURL_ERROR_SIZE] = {};

    CURL* h = curl.get();
    api.easy_setopt(h, CURLOPT_URL, url.c_str());
    api.easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http");
    api.easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    api.easy_setopt(h, CURLOPT_HTTPHEADER, headerList.get());
    api.easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    api.easy_setopt(h, CURLOPT_PROXY, "");
    api.easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    api.easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeout.count()));
    api.easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    api.easy_setopt(h, CURLOPT_WRITEFUNCTION, Write);
    api.easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    api.easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode rc = api.easy_perform(h);
    if (rc != CURLE_OK) {
        answer.status = sink.overflow
                            ? Status::malformed("answer too long")
                            : Status::io(errorText[0] ? errorText : api.easy_strerror(rc));
        return answer;
    }
    long status = 0;
    api.easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        answer.status = Status::io("HTTP status " + std::to_string(status));
        return answer;
    }
    answer.value = std::move(sink.body);
    return answer;
}

bool Check_Version(const VersionRequest& request) {
    const Result<std::string> answer = FetchVersionAnswer(request);
    return answer.ok() && IsNewerVersion(answer.value);
}

} // namespace kt
