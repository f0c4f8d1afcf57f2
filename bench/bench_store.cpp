// The record store against SQLite on the contest log's workload: 216-byte
// QSO records with the log's 27 keys. Prints records per second per engine
// and their ratio. Usage: bench_store [records] [records for (a)] [directory]
// (a) commits every record, so it is bound by the disk's sync latency; a
// smaller count for it keeps a quick run quick.
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "store/FbIndex.h"
#include "store/Filer.h"

namespace {

using namespace mss::store;

constexpr int kRecordLength = 216;
constexpr int kKeyCount = 27;
// Key lengths and duplicate flags of the contest log.
constexpr KeyDefinition kKeys[kKeyCount] = {
    {8, true}, {22, true}, {14, true}, {5, false}, {6, true}, {14, true}, {1, true},
    {6, true}, {21, true}, {7, true},  {6, true},  {6, true}, {5, true},  {2, true},
    {2, true}, {2, true},  {2, true},  {8, true},  {6, true}, {6, true},  {9, true},
    {7, true}, {7, true},  {6, true},  {3, true},  {3, true}, {7, true}};

struct Qso {
    std::vector<std::uint8_t> record;
    std::vector<std::string> keys;  // keys[0] is key 1
};

std::string Pad(std::string s, std::size_t n) {
    s.resize(n, ' ');
    return s;
}

std::string BigEndian(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8),
            static_cast<char>(u)};
}

// Random but plausible contacts: calls, locators, dates and times of a
// contest weekend, modes CW/SSB/FSK441 on 2 m, running numbers.
std::vector<Qso> MakeLog(int n) {
    std::mt19937 rng(2024);
    auto letter = [&] { return static_cast<char>('A' + rng() % 26); };
    auto digit = [&] { return static_cast<char>('0' + rng() % 10); };
    const char* modes[] = {"CW", "SSB", "FSK441"};
    int modeNr[3] = {0, 0, 0};
    std::vector<Qso> log(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        std::string call = std::string(1, letter()) + (rng() % 2 ? std::string(1, letter()) : "") +
                           digit() + letter() + letter() +
                           (rng() % 3 ? std::string(1, letter()) : "");
        std::string locator = {letter(),
                               letter(),
                               digit(),
                               digit(),
                               static_cast<char>('A' + rng() % 24),
                               static_cast<char>('A' + rng() % 24)};
        const std::int32_t date = 154000 + static_cast<std::int32_t>(rng() % 3);
        const std::int32_t time = static_cast<std::int32_t>(rng() % 86400);
        const int mode = static_cast<int>(rng() % 3);
        const std::string prefix = Pad(call.substr(0, call.find_first_of("0123456789") + 1), 6);
        const std::string band = "k";
        const std::int32_t number = i + 1;
        ++modeNr[mode];
        const std::string dt = BigEndian(date) + BigEndian(time);
        const std::string modeText = Pad(modes[mode], 6);
        const std::string blank6(6, ' ');
        const std::string zero(1, '\0');
        Qso& q = log[static_cast<std::size_t>(i)];
        q.keys = {dt,
                  Pad(call, 14) + dt,
                  locator + dt,
                  IntToKey(number),
                  prefix,
                  Pad(call, 14),
                  " ",
                  band + IntToKey(number),
                  band + Pad(call, 14) + modeText,
                  band + prefix,
                  band + IntToKey(99999999 - number),
                  band + IntToKey(99999999 - number),
                  IntToKey(number),
                  band + zero,
                  band + zero,
                  zero + zero,
                  band + zero,
                  std::string(8, ' '),
                  blank6,
                  blank6,
                  band + std::string(8, ' '),
                  band + blank6,
                  band + locator,
                  std::string(1, static_cast<char>('a' + mode)) + IntToKey(99999999 - modeNr[mode]),
                  band + "  ",
                  "  ",
                  band + blank6};
        q.record.assign(kRecordLength, 0);
        q.record[4] = static_cast<std::uint8_t>(number);
        q.record[8] = static_cast<std::uint8_t>(call.size());
        std::copy(call.begin(), call.end(), q.record.begin() + 9);
        std::copy(locator.begin(), locator.end(), q.record.begin() + 22);
    }
    return log;
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

[[noreturn]] void Fail(const char* what, long code) {
    std::fprintf(stderr, "bench_store: %s failed (%ld)\n", what, code);
    std::exit(1);
}

void Check(EngineCode code, const char* what) {
    if (code != kOk) Fail(what, code);
}

// ---- this engine ----------------------------------------------------------

class Engine {
  public:
    explicit Engine(std::string base) : base_(std::move(base)) {
        Check(CreateFileblock(base_, kRecordLength, kKeys), "create");
        Check(OpenFileblock(base_, false, fb_), "open");
    }
    ~Engine() { (void)CloseFileblock(fb_); }

    void Add(const Qso& q) {
        RecordRef ref = 0;
        Check(AddRecord(fb_, q.record, ref), "add record");
        for (int k = 0; k < kKeyCount; ++k) Check(AddKey(fb_, k + 1, ref, q.keys[k]), "add key");
    }
    void Flush() { Check(FlushFileblock(fb_), "flush"); }
    void Lookup(const std::string& key9, std::vector<std::uint8_t>& out) {
        RecordRef ref = 0;
        Check(FindKey(fb_, 9, key9, ref), "find");
        Check(GetRecord(fb_, ref, out), "read");
    }
    int Walk(std::vector<std::uint8_t>& out) {
        int n = 0;
        KeyEntry entry;
        Check(ClearKey(fb_, 2), "clear");
        while (NextKey(fb_, 2, entry) == kOk) {
            Check(GetRecord(fb_, entry.ref, out), "read");
            ++n;
        }
        return n;
    }

  private:
    std::string base_;
    Fileblock fb_;
};

// ---- SQLite ---------------------------------------------------------------

class Sqlite {
  public:
    explicit Sqlite(const std::string& path) {
        std::filesystem::remove(path);
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) Fail("sqlite open", 0);
        std::string columns;
        std::string marks;
        for (int k = 1; k <= kKeyCount; ++k) {
            columns += ", k" + std::to_string(k) + " BLOB";
            marks += ",?";
        }
        Exec("CREATE TABLE qso(id INTEGER PRIMARY KEY, rec BLOB" + columns + ")");
        for (int k = 1; k <= kKeyCount; ++k)
            Exec(std::string(k == 4 ? "CREATE UNIQUE INDEX" : "CREATE INDEX") + " i" +
                 std::to_string(k) + " ON qso(k" + std::to_string(k) + ")");
        insert_ = Prepare("INSERT INTO qso VALUES(NULL,?" + marks + ")");
        find_ = Prepare("SELECT rec FROM qso WHERE k9 = ? ORDER BY id LIMIT 1");
        walk_ = Prepare("SELECT rec FROM qso ORDER BY k2, id");
    }
    ~Sqlite() {
        for (sqlite3_stmt* s : {insert_, find_, walk_}) sqlite3_finalize(s);
        sqlite3_close(db_);
    }
    void Exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
            Fail(error ? error : sql.c_str(), 0);
    }
    void Add(const Qso& q) {
        sqlite3_bind_blob(insert_, 1, q.record.data(), kRecordLength, SQLITE_STATIC);
        for (int k = 0; k < kKeyCount; ++k)
            sqlite3_bind_blob(insert_, k + 2, q.keys[k].data(), static_cast<int>(q.keys[k].size()),
                              SQLITE_STATIC);
        if (sqlite3_step(insert_) != SQLITE_DONE) Fail("sqlite insert", sqlite3_errcode(db_));
        sqlite3_reset(insert_);
    }
    void Lookup(const std::string& key9, std::vector<std::uint8_t>& out) {
        sqlite3_bind_blob(find_, 1, key9.data(), static_cast<int>(key9.size()), SQLITE_STATIC);
        if (sqlite3_step(find_) != SQLITE_ROW) Fail("sqlite find", sqlite3_errcode(db_));
        const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(find_, 0));
        std::copy(blob, blob + kRecordLength, out.begin());
        sqlite3_reset(find_);
    }
    int Walk(std::vector<std::uint8_t>& out) {
        int n = 0;
        while (sqlite3_step(walk_) == SQLITE_ROW) {
            const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(walk_, 0));
            std::copy(blob, blob + kRecordLength, out.begin());
            ++n;
        }
        sqlite3_reset(walk_);
        return n;
    }

  private:
    sqlite3_stmt* Prepare(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            Fail("sqlite prepare", sqlite3_errcode(db_));
        return stmt;
    }
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* find_ = nullptr;
    sqlite3_stmt* walk_ = nullptr;
};

void Report(const char* what, int n, double ours, double theirs) {
    const double oursRate = n / ours;
    const double theirsRate = n / theirs;
    std::printf("%-44s %12.0f %12.0f %8.2fx\n", what, oursRate, theirsRate, oursRate / theirsRate);
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int committed = std::min(n, argc > 2 ? std::atoi(argv[2]) : n);
    const int lookups = 100000;
    std::string dir =
        argc > 3 ? argv[3]
                 : (std::filesystem::temp_directory_path() / "bench-store-XXXXXX").string();
    if (argc <= 3 && ::mkdtemp(dir.data()) == nullptr) Fail("mkdtemp", 0);
    std::filesystem::create_directories(dir);
    int buffers = 0;
    // The program runs with 160 page buffers; MSS_BENCH_BUFFERS shows the effect of more.
    const char* bufferSetting = std::getenv("MSS_BENCH_BUFFERS");
    Check(InitEngine(bufferSetting ? std::atoi(bufferSetting) : 160, buffers), "init");

    const std::vector<Qso> log = MakeLog(n);
    std::vector<std::uint8_t> out(kRecordLength);
    std::mt19937 rng(99);
    std::vector<int> picks(lookups);
    for (int& p : picks) p = static_cast<int>(rng() % static_cast<unsigned>(n));

    std::printf("%d records of %d bytes, %d keys; %d lookups; files in %s\n", n, kRecordLength,
                kKeyCount, lookups, dir.c_str());
    std::printf("%-44s %12s %12s %9s\n", "workload (records/s)", "this store", "SQLite", "ratio");

    {
        Engine engine(dir + "/A");
        Sqlite sqlite(dir + "/a.db");
        const double ours = Seconds([&] {
            for (int i = 0; i < committed; ++i) {
                engine.Add(log[static_cast<std::size_t>(i)]);
                engine.Flush();
            }
        });
        const double theirs = Seconds([&] {
            // Autocommit: one transaction per insert.
            for (int i = 0; i < committed; ++i) sqlite.Add(log[static_cast<std::size_t>(i)]);
        });
        Report("(a) add, flush / commit after each", committed, ours, theirs);
    }
    std::printf("%-44s %12.3f ms\n", "(e) open + close of log (a), mean of 100",
                Seconds([&] {
                    for (int i = 0; i < 100; ++i) {
                        Fileblock fb;
                        Check(OpenFileblock(dir + "/A", false, fb), "reopen");
                        Check(CloseFileblock(fb), "close");
                    }
                }) * 10);
    Engine engine(dir + "/B");
    Sqlite sqlite(dir + "/b.db");
    {
        const double ours = Seconds([&] {
            for (const Qso& q : log) engine.Add(q);
            engine.Flush();
        });
        const double theirs = Seconds([&] {
            sqlite.Exec("BEGIN");
            for (const Qso& q : log) sqlite.Add(q);
            sqlite.Exec("COMMIT");
        });
        Report("(b) add, one flush / one transaction", n, ours, theirs);
    }
    {
        const double ours = Seconds([&] {
            for (int p : picks) engine.Lookup(log[static_cast<std::size_t>(p)].keys[8], out);
        });
        const double theirs = Seconds([&] {
            for (int p : picks) sqlite.Lookup(log[static_cast<std::size_t>(p)].keys[8], out);
        });
        Report("(c) exact lookup on band+call+mode + read", lookups, ours, theirs);
    }
    {
        int walkedOurs = 0;
        int walkedTheirs = 0;
        const double ours = Seconds([&] { walkedOurs = engine.Walk(out); });
        const double theirs = Seconds([&] { walkedTheirs = sqlite.Walk(out); });
        if (walkedOurs != n || walkedTheirs != n) Fail("walk count", walkedOurs);
        Report("(d) full walk in call order + read", n, ours, theirs);
    }
    (void)ExitEngine();
    if (argc <= 3) std::filesystem::remove_all(dir);
    return 0;
}
