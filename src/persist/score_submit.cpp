#include "persist/score_submit.h"

#include <curl/curl.h>

#include <mutex>

#include "persist/score_record.h"
#include "persist/web_links.h"

namespace {

size_t DiscardBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

void StartCurlOnce() {
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

TSubmitResult SubmitScore(std::string_view base, std::string_view name, int score,
                          std::string_view country) {
    return SendSubmission(
        SubmissionAddress(base, EncodeScoreRecord(ScoreRecord(name, score, country))));
}

TSubmitResult SendSubmission(const std::string& address) {
    TSubmitResult result;
    if (!IsWebAddress(address)) {
        result.Error = "not a web address";
        return result;
    }

    StartCurlOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        result.Error = "the HTTP client could not start";
        return result;
    }
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Accept: text/html, */*");
    headers = curl_slist_append(headers, "Content-Type: text/html");

    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");  // cookies on, kept for this request only
    curl_easy_setopt(curl, CURLOPT_PROXY, "");       // no proxy, whatever the environment says
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kSubmitConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kSubmitTotalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, DiscardBody);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);

    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.HttpStatus);
        if (result.HttpStatus >= 200 && result.HttpStatus < 300) {
            result.Status = SubmitStatus::Sent;
        } else {
            result.Status = SubmitStatus::Refused;
            result.Error = "HTTP status " + std::to_string(result.HttpStatus);
        }
    } else {
        result.Error = error[0] != '\0' ? error : curl_easy_strerror(code);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}
