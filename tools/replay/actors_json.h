#pragma once
// The race's actors as one JSON line, for --actors: {"frame":N,"traffic":[...],"rockets":[...],
// "crowd":[...],"bonuses":[...],"finish":{...}}. Each kind of actor writes its own array (or, for
// the one finish line, object) under its own key; a new actor adds its writer to the table in
// actors_json.cpp and its key appears on the same line.

#include <string>

class TMForm;

std::string ActorsJson(const TMForm& form, int frame);
