// SQLite as the record store's yardstick: one table of fixed-length records
// with one index per key, as a fileblock has them (UNIQUE where the key
// allows no duplicates), in the journal settings a careful engineer might
// pick: the default rollback journal, WAL with synchronous=FULL (durable per
// commit, as a flush is) and WAL with synchronous=NORMAL.
#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "store/Filer.h"

namespace mss::bench {

struct Peer {
    const char* name;
    const char* pragmas;
};
inline constexpr std::array<Peer, 3> kPeers = {{
    {"SQLite journal", ""},
    {"SQLite WAL/FULL", "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"},
    {"SQLite WAL/NORMAL", "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"},
}};
inline constexpr std::size_t kWalFull = 1;

[[noreturn]] inline void Fail(const char* what, long code) {
    std::fprintf(stderr, "bench: %s failed (%ld)\n", what, code);
    std::exit(1);
}

class SqliteDb {
  public:
    SqliteDb(const std::string& path, const Peer& peer) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(path + suffix);
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) Fail("sqlite open", 0);
        Exec(peer.pragmas);
    }
    ~SqliteDb() { sqlite3_close(db_); }
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    void Exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
            Fail(error ? error : sql.c_str(), 0);
    }
    sqlite3_stmt* Prepare(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            Fail("sqlite prepare", sqlite3_errcode(db_));
        return stmt;
    }
    int ErrorCode() const { return sqlite3_errcode(db_); }

  private:
    sqlite3* db_ = nullptr;
};

// A table `name` of records with columns k1 ... kN for the keys; created
// with its indexes unless `create` is false (a table made before).
class SqliteTable {
  public:
    SqliteTable(SqliteDb& db, const std::string& name, std::span<const store::KeyDefinition> keys,
                bool create = true)
        : db_(db), keyCount_(static_cast<int>(keys.size())) {
        std::string columns;
        std::string marks;
        for (int k = 1; k <= keyCount_; ++k) {
            columns += ", k" + std::to_string(k) + " BLOB";
            marks += ",?";
        }
        if (create) Create(name, keys, columns);
        insert_ = db.Prepare("INSERT INTO " + name + " VALUES(NULL,?" + marks + ")");
        for (int k = 1; k <= keyCount_; ++k) {
            const std::string column = "k" + std::to_string(k);
            find_.push_back(db.Prepare("SELECT rec FROM " + name + " WHERE " + column +
                                       " = ? ORDER BY id LIMIT 1"));
            walk_.push_back(db.Prepare("SELECT rec FROM " + name + " ORDER BY " + column + ", id"));
        }
    }
    ~SqliteTable() {
        sqlite3_finalize(insert_);
        for (auto* list : {&find_, &walk_})
            for (sqlite3_stmt* s : *list) sqlite3_finalize(s);
    }
    SqliteTable(const SqliteTable&) = delete;
    SqliteTable& operator=(const SqliteTable&) = delete;

    // key(k) answers the key string of key k (1-based).
    void Add(std::span<const std::uint8_t> record,
             const std::function<std::string_view(int)>& key) {
        sqlite3_bind_blob(insert_, 1, record.data(), static_cast<int>(record.size()),
                          SQLITE_STATIC);
        for (int k = 1; k <= keyCount_; ++k) {
            const std::string_view text = key(k);
            sqlite3_bind_blob(insert_, k + 1, text.data(), static_cast<int>(text.size()),
                              SQLITE_STATIC);
        }
        if (sqlite3_step(insert_) != SQLITE_DONE) Fail("sqlite insert", db_.ErrorCode());
        sqlite3_reset(insert_);
    }
    void Lookup(int k, std::string_view key, std::span<std::uint8_t> out) {
        sqlite3_stmt* find = find_[static_cast<std::size_t>(k - 1)];
        sqlite3_bind_blob(find, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
        if (sqlite3_step(find) != SQLITE_ROW) Fail("sqlite find", db_.ErrorCode());
        Copy(find, out);
        sqlite3_reset(find);
    }
    // Reads every record in the order of key k; answers how many.
    int Walk(int k, const std::function<void(std::span<const std::uint8_t>)>& visit) {
        sqlite3_stmt* walk = walk_[static_cast<std::size_t>(k - 1)];
        int n = 0;
        while (sqlite3_step(walk) == SQLITE_ROW) {
            const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(walk, 0));
            visit({blob, static_cast<std::size_t>(sqlite3_column_bytes(walk, 0))});
            ++n;
        }
        sqlite3_reset(walk);
        return n;
    }

  private:
    void Create(const std::string& name, std::span<const store::KeyDefinition> keys,
                const std::string& columns) {
        db_.Exec("CREATE TABLE " + name + "(id INTEGER PRIMARY KEY, rec BLOB" + columns + ")");
        for (int k = 1; k <= keyCount_; ++k) {
            const std::string column = "k" + std::to_string(k);
            db_.Exec(std::string(keys[k - 1].allowDups ? "CREATE INDEX " : "CREATE UNIQUE INDEX ") +
                     name + "_" + column + " ON " + name + "(" + column + ")");
        }
    }
    static void Copy(sqlite3_stmt* stmt, std::span<std::uint8_t> out) {
        const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, 0));
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0));
        std::copy_n(blob, std::min(size, out.size()), out.begin());
    }

    SqliteDb& db_;
    int keyCount_ = 0;
    sqlite3_stmt* insert_ = nullptr;
    std::vector<sqlite3_stmt*> find_;
    std::vector<sqlite3_stmt*> walk_;
};

}  // namespace mss::bench
