#pragma once
// The online table in PostgreSQL, for several server processes on several machines: the same
// two tables as the SQLite file, reached through libpq. Each server thread borrows a connection
// of its own from a small pool; a connection that broke is dropped and a new one made.
//
//   auto store = OpenPostgresScoreStore("postgresql://scores@db.example:5432/scores");

#include <memory>
#include <string>

#include "score_store.h"

std::unique_ptr<TScoreStore> OpenPostgresScoreStore(const std::string& address);
