// Build-time tool: creates a database file from SQL files, in order.
//   czxmkdb OUTPUT.mdb FILE.sql...
// The output is written beside its target and renamed into place, so a
// failed build never leaves a half-made file.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: czxmkdb OUTPUT.mdb FILE.sql...\n");
        return 2;
    }
    std::string target = argv[1];
    std::string temporary = target + ".tmp";
    std::remove(temporary.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "czxmkdb: cannot create %s\n", temporary.c_str());
        return 1;
    }
    int status = 0;
    for (int i = 2; i < argc && status == 0; ++i) {
        std::ifstream in(argv[i]);
        std::stringstream sql;
        sql << in.rdbuf();
        char* message = nullptr;
        if (!in || sqlite3_exec(db, sql.str().c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::fprintf(stderr, "czxmkdb: %s: %s\n", argv[i], message ? message : "cannot read");
            sqlite3_free(message);
            status = 1;
        }
    }
    sqlite3_close(db);
    if (status == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) status = 1;
    if (status != 0) std::remove(temporary.c_str());
    return status;
}
