#include "options/VersionCheck.h"

#include "base/TextUtil.h"

#include <curl/curl.h>

#include <cctype>
#include <memory>
#include <mutex>

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

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
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
    GlobalInit();
    Result<std::string> answer;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        answer.status = Status::io("cannot create the HTTP client");
        return answer;
    }
    curl_slist* headers = curl_slist_append(nullptr, kAccept);
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(headers,
                                                                           curl_slist_free_all);
    Sink sink;
    sink.limit = request.maxBody;
    const std::string url = VersionCheckUrl(request.host);
    char errorText[CURL_ERROR_SIZE] = {};

    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headerList.get());
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_PROXY, "");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Write);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK) {
        answer.status = sink.overflow
                            ? Status::malformed("answer too long")
                            : Status::io(errorText[0] ? errorText : curl_easy_strerror(rc));
        return answer;
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
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
