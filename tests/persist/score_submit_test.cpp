#include "persist/score_submit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "persist/loopback_peer.h"
#include "persist/score_record.h"

namespace {

constexpr const char* kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nOK";

TEST(SubmitScore, SendsOneGetWithTheEncodedRecordAndTheClientsHeaders) {
    setenv("http_proxy", "http://127.0.0.1:1", 1);  // must not be used
    LoopbackPeer peer(LoopbackPeer::Mode::Answer, kOk);
    const TSubmitResult result = SubmitScore(peer.Base(), "Ace 7", 31337, "Atlantis");
    unsetenv("http_proxy");
    EXPECT_EQ(result.Status, SubmitStatus::Sent) << result.Error;
    EXPECT_EQ(result.HttpStatus, 200);

    const std::string request = peer.Request();
    const std::string line = "GET /cgi/version.pl?hs&prg=Zarvex2&inf=" +
                             EncodeScoreRecord(ScoreRecord("Ace 7", 31337, "Atlantis")) +
                             " HTTP/1.1\r\n";
    EXPECT_EQ(request.substr(0, line.size()), line);
    EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
              std::string::npos);
    EXPECT_NE(request.find("\r\nAccept: text/html, */*\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nContent-Type: text/html\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nHost: 127.0.0.1:"), std::string::npos);
}

TEST(SubmitScore, AnErrorStatusIsRefusedWithoutFuss) {
    LoopbackPeer peer(LoopbackPeer::Mode::Answer,
                      "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    const TSubmitResult result = SubmitScore(peer.Base(), "A", 0, "_______");
    EXPECT_EQ(result.Status, SubmitStatus::Refused);
    EXPECT_EQ(result.HttpStatus, 400);
}

TEST(SubmitScore, NoServerAtAllIsUnreachable) {
    std::string base;
    {
        LoopbackPeer closed(LoopbackPeer::Mode::Answer, kOk);
        base = closed.Base();
    }  // the port is free again: connecting is refused at once
    const TSubmitResult result = SubmitScore(base, "A", 0, "_______");
    EXPECT_EQ(result.Status, SubmitStatus::Unreachable);
    EXPECT_FALSE(result.Error.empty());
}

// A server that takes the connection and never answers must not keep the game waiting: the
// request gives up by its own time limit (5 seconds in all), as its error says. How long that
// took on this machine is printed, not judged.
TEST(SubmitScore, ASilentServerReleasesTheGameAtItsTimeLimit) {
    LoopbackPeer peer(LoopbackPeer::Mode::Silent);
    const auto start = std::chrono::steady_clock::now();
    const TSubmitResult result = SubmitScore(peer.Base(), "A", 0, "_______");
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    std::printf("a silent server released the game after %.2f s\n", waited.count());
    EXPECT_EQ(result.Status, SubmitStatus::Unreachable);
    EXPECT_NE(result.Error.find("timed out"), std::string::npos) << result.Error;
}

TEST(SubmitScore, OnlyWebAddressesAreRequested) {
    EXPECT_EQ(SubmitScore("file:///etc", "A", 0, "_______").Status, SubmitStatus::Unreachable);
}

}  // namespace
