#include "score_server.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "persist/score_record.h"
#include "persist/score_submit.h"
#include "server/server_fixture.h"

namespace {

using namespace std::chrono_literals;

// The game's record with any text in its fields, padded as the game pads, then encoded.
std::string Encoded(const std::string& name, const std::string& score, const std::string& country,
                    const std::string& type = "0") {
    std::string record =
        "type=" + type + "|name=" + name + "|score=" + score + "|key=X|p=|add=" + country + "|z=";
    while (record.size() % 5 != 0) record += '0';
    return EncodeScoreRecord(record);
}

// Several hundred submissions the table must refuse, from plain mistakes to attacks.
std::vector<std::string> HostileSubmissions() {
    std::vector<std::string> all;
    for (const char* score : {"-1", "2147483648", "007", "", "00", "+5", "1e9", "99999999999",
                              "4294967296", "1 OR 1=1", "0x7fffffff", "1.0", "NaN"})
        all.push_back(Encoded("Ace", score, "X"));
    for (const char* name :
         {"ABCDEFGHIJKLM", "Robert'); DROP TABLE scores;--", "<script>alert(1)</script>",
          "x' OR '1'='1", "a|score=99", "under_score", "\xC3\xA9l\xC3\xA8ve", "new\r\nline", "%00",
          "\"quoted\""})
        all.push_back(Encoded(name, "100", "X"));
    for (const char* country :
         {"ABCDEFGHIJKLMNOPQ", "'); DELETE FROM scores; --", "<b>bold</b>", "a|z=", "tab\there"})
        all.push_back(Encoded("Ace", "100", country));
    for (const char* type : {"1", "00", "", "0 "}) all.push_back(Encoded("Ace", "100", "X", type));

    const std::string good = Encoded("Ace", "100", "X");
    all.push_back("");
    for (std::size_t cut = 1; cut < 8; ++cut) all.push_back(good.substr(0, good.size() - cut));
    all.push_back(good + good.substr(0, 8));
    all.push_back(good + good);
    for (const char* junk : {"0", "1", "O", "I", "a", "z", "'", "=", "|", " ", "%", "\xFF", "\x01"})
        all.push_back(good.substr(0, 8) + junk + good.substr(9));
    all.push_back("' OR 1=1; --");
    all.push_back("ZZZZZZZZ'); DROP TABLE scores; --");
    all.push_back(std::string(100000, 'Z'));
    all.push_back(std::string(100000, '\''));

    std::mt19937 random(99);
    for (int i = 0; i < 250; ++i) {  // alphabet-clean junk of every whole length
        std::string junk(8 * (1 + random() % 15), ' ');
        for (char& c : junk) c = kScoreAlphabet[random() % 32];
        all.push_back(junk);
    }
    std::string big(100000, ' ');
    for (char& c : big) c = kScoreAlphabet[random() % 32];
    all.push_back(big);
    return all;
}

class ScoreServer : public ServerFixture {};

TEST_F(ScoreServer, TheGameSubmitsAScoreThatTheTableThenShows) {
    StartServer();
    const TSubmitResult result = SubmitScore(Base(), "Ace 7", 31337, "Atlantis");
    ASSERT_EQ(result.Status, SubmitStatus::Sent) << result.Error;
    EXPECT_EQ(server->Store().Count(), 1);
    EXPECT_EQ(Json(),
              "{\"game\":\"Zarvex 2\",\"scores\":[{\"rank\":1,\"name\":\"Ace 7\",\"score\":31337,"
              "\"country\":\"Atlantis\",\"date\":\"2024-05-17\"}]}\n");
}

TEST_F(ScoreServer, HostileSubmissionsAreRefusedAndStoreNothing) {
    StartServer(1000000);
    ASSERT_EQ(Submit(Encoded("Ace", "100", "X")), 200);
    const std::vector<std::string> hostile = HostileSubmissions();
    ASSERT_GE(hostile.size(), 300u);
    int accepted = 0;
    for (const std::string& inf : hostile) {
        const int status = Submit(inf);
        // An address longer than a connection's memory is refused by the HTTP layer itself.
        EXPECT_EQ(status, inf.size() > 10000 ? 414 : 400) << inf.substr(0, 80);
        accepted += status == 200;
    }
    EXPECT_EQ(accepted, 0);
    EXPECT_EQ(server->Store().Count(), 1);
    // The one good row is still there, as it was.
    EXPECT_NE(Json().find("\"name\":\"Ace\",\"score\":100,\"country\":\"X\""), std::string::npos);
}

TEST_F(ScoreServer, ASubmissionNeedsTheProgramAndOneRecord) {
    StartServer(1000000);
    const std::string inf = Encoded("Ace", "100", "X");
    EXPECT_EQ(Status("/cgi/version.pl?hs&prg=Other&inf=" + inf), 404);
    EXPECT_EQ(Status("/cgi/version.pl?hs&inf=" + inf), 404);
    EXPECT_EQ(Status("/cgi/version.pl?hs&prg=Zarvex2&prg=Other&inf=" + inf), 404);
    EXPECT_EQ(Status("/cgi/version.pl?hs&prg=Zarvex2"), 400);
    const std::string other = Encoded("Bo", "5", "Y");
    EXPECT_EQ(Status("/cgi/version.pl?hs&prg=Zarvex2&inf=" + inf + "&inf=" + other), 400);
    EXPECT_EQ(Status("/cgi/version.pl?hs&prg=Zarvex2&show&inf=" + inf), 400);
    EXPECT_EQ(Status("/cgi/version.pl?prg=Zarvex2&inf=" + inf), 400);
    EXPECT_EQ(server->Store().Count(), 0);
    EXPECT_EQ(Status("/cgi/version.pl?prg=Zarvex2&inf=" + inf + "&hs"), 200);
    EXPECT_EQ(server->Store().Count(), 1);
}

// Thirty submissions a minute from one address; the 31st is refused until the first of them is
// a full minute old.
TEST_F(ScoreServer, TheThirtyFirstSubmissionInAMinuteIsRefused) {
    StartServer();
    const std::string inf = Encoded("Ace", "100", "X");
    for (int i = 1; i <= 30; ++i) {
        ASSERT_EQ(Submit(inf), 200) << i;
        if (i == 1) AdvanceClock(10s);  // the first one is older than the rest
    }
    EXPECT_EQ(Submit(inf), 429);
    EXPECT_EQ(Submit("junk"), 429);  // junk counts against the limit first
    AdvanceClock(50s - 1ms);         // the first submission is 59.999 s old
    EXPECT_EQ(Submit(inf), 429);
    AdvanceClock(1ms);  // now exactly 60 s: it no longer counts
    EXPECT_EQ(Submit(inf), 200);
    EXPECT_EQ(Submit(inf), 429);  // the other 29 are only 50 s old
    AdvanceClock(10s);
    for (int i = 0; i < 29; ++i) EXPECT_EQ(Submit(inf), 200);
    EXPECT_EQ(Submit(inf), 429);
    EXPECT_EQ(server->Store().Count(), 60);
}

TEST_F(ScoreServer, TheTableShowsTheBestHundredHighestFirst) {
    StartServer();
    for (int i = 0; i < 105; ++i) {  // scores 0..104, each twice for the even ones
        ASSERT_NO_THROW(server->Store().Add({"P" + std::to_string(i), i, "X"}, kStoredAt));
        if (i % 2 == 0) {
            ASSERT_NO_THROW(server->Store().Add({"Q" + std::to_string(i), i, "X"}, kStoredAt));
        }
    }
    const std::string json = Json();
    EXPECT_NE(json.find("{\"rank\":1,\"name\":\"P104\",\"score\":104,"), std::string::npos);
    // Equal scores keep the order they arrived in.
    EXPECT_NE(json.find("{\"rank\":2,\"name\":\"Q104\",\"score\":104,"), std::string::npos);
    EXPECT_NE(json.find("{\"rank\":3,\"name\":\"P103\",\"score\":103,"), std::string::npos);
    EXPECT_NE(json.find("\"rank\":100,"), std::string::npos);
    EXPECT_EQ(json.find("\"rank\":101,"), std::string::npos);
    // 105 + 53 rows; the hundredth is score 38 (P), so Q38 and below are left out.
    EXPECT_NE(json.find("{\"rank\":100,\"name\":\"P38\""), std::string::npos);
    EXPECT_EQ(json.find("\"Q38\""), std::string::npos);
}

TEST_F(ScoreServer, TheTableAndTheHomePageAreServed) {
    StartServer();
    const auto table = client->Get("/cgi/version.pl?prg=Zarvex2&show&type=0");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->status, 200);
    EXPECT_EQ(table->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(table->body.find("<h1>Zarvex 2</h1>"), std::string::npos);
    EXPECT_NE(table->body.find("No scores yet"), std::string::npos);
    const auto home = client->Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
    EXPECT_NE(home->body.find("href=\"/cgi/version.pl?prg=Zarvex2&amp;show&amp;type=0\""),
              std::string::npos);
    EXPECT_EQ(Status("/cgi/version.pl?prg=Zarvex2&show&type=1"), 400);
    EXPECT_EQ(Status("/cgi/version.pl?prg=Zarvex2&show"), 400);
    EXPECT_EQ(Status("/scores"), 404);
}

}  // namespace
