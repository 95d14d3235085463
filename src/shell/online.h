#pragma once
// The web addresses the game hands to the desktop.
//
// The score server's base address is "http://localhost:8642" unless the environment variable
// ZARVEX2_SCORE_SERVER names another; the maker's home page and the online table live on it.
// ScoreServerAddress() is the one place that chooses it: the save library's own address rules
// (ScoreServerBase and the address checks) take its place when they are wired in.

#include <string>

std::string ScoreServerAddress();
// The maker's home page: main-menu entry 3 and the help's about page.
std::string MakerHomePage();
// The online score table: the high-score screen's View online.
std::string OnlineTablePage();
