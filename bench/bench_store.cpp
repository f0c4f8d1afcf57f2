// The record store against SQLite on the contest log's workload: 216-byte
// QSO records with the log's 27 keys, at several log sizes. SQLite runs in
// three journal settings a careful engineer might pick: the default rollback
// journal, WAL with synchronous=FULL (durable per commit, as a flush is) and
// WAL with synchronous=NORMAL. Prints records per second, the cost per
// record, the ratio against each peer, the store's file operations per flush
// and per record, and the peak resident memory of each size (each size runs
// in its own process); ends with one machine-readable summary line per size.
// Usage: bench_store [sizes...]   (default 2000 20000 200000)
// MSS_BENCH_COMMITS caps the records of (a), which commits each one and so is
// bound by the disk's sync latency (default 1000); MSS_BENCH_BUFFERS overrides
// the page buffer count.
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/File.h"
#include "store/FbIndex.h"
#include "store/Filer.h"

namespace {

using namespace mss::store;
namespace platform = mss::platform;

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

// ---- file operations of the store ----------------------------------------

struct FileCounts {
    long syncs = 0;
    long reads = 0;
    long writes = 0;
};
FileCounts counts;

class CountingFile : public platform::File {
  public:
    explicit CountingFile(std::unique_ptr<platform::File> file) : file_(std::move(file)) {}
    platform::IoResult ReadAt(std::int64_t offset, std::span<std::uint8_t> out) override {
        ++counts.reads;
        return file_->ReadAt(offset, out);
    }
    platform::IoResult WriteAt(std::int64_t offset, std::span<const std::uint8_t> data) override {
        ++counts.writes;
        return file_->WriteAt(offset, data);
    }
    int Size(std::int64_t& size) override { return file_->Size(size); }
    int Truncate(std::int64_t size) override { return file_->Truncate(size); }
    int Sync() override {
        ++counts.syncs;
        return file_->Sync();
    }
    int Close() override { return file_->Close(); }

  private:
    std::unique_ptr<platform::File> file_;
};

class CountingFileSystem : public platform::FileSystem {
  public:
    int Open(const std::string& path, platform::OpenMode mode,
             std::unique_ptr<platform::File>& file) override {
        std::unique_ptr<platform::File> inner;
        const int err = fs_->Open(path, mode, inner);
        if (err == 0) file = std::make_unique<CountingFile>(std::move(inner));
        return err;
    }
    int Delete(const std::string& path) override { return fs_->Delete(path); }
    int Rename(const std::string& from, const std::string& to) override {
        return fs_->Rename(from, to);
    }
    bool Exists(const std::string& path) override { return fs_->Exists(path); }
    bool DirectoryExists(const std::string& path) override { return fs_->DirectoryExists(path); }

  private:
    std::shared_ptr<platform::FileSystem> fs_ = platform::DefaultFileSystem();
};

void PrintCounts(const char* what, const FileCounts& from, const FileCounts& to, double per) {
    std::printf("  store file operations per %-15s syncs %7.2f  reads %8.2f  writes %8.2f\n", what,
                (to.syncs - from.syncs) / per, (to.reads - from.reads) / per,
                (to.writes - from.writes) / per);
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

struct Peer {
    const char* name;
    const char* pragmas;
};
constexpr std::array<Peer, 3> kPeers = {{
    {"SQLite journal", ""},
    {"SQLite WAL/FULL", "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"},
    {"SQLite WAL/NORMAL", "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"},
}};
constexpr int kWalFull = 1;

class Sqlite {
  public:
    Sqlite(const std::string& path, const Peer& peer) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(path + suffix);
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) Fail("sqlite open", 0);
        Exec(peer.pragmas);
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

// Seconds of the store and of each peer for one workload of n records.
struct Line {
    const char* what;
    int n = 0;
    double ours = 0;
    std::array<double, kPeers.size()> theirs{};

    double Ratio(std::size_t p) const { return theirs[p] / ours; }
    double RatioToBest() const { return *std::min_element(theirs.begin(), theirs.end()) / ours; }
};

void PrintHeader() {
    std::printf("%-40s %14s", "workload: records/s (us/record)", "this store");
    for (const Peer& peer : kPeers) std::printf(" %22s", peer.name);
    std::printf("  ratios vs journal / WAL-FULL / WAL-NORMAL\n");
}

void Print(const Line& line) {
    auto cell = [&](double seconds, int width) {
        char text[48];
        std::snprintf(text, sizeof text, "%.0f (%.1f)", line.n / seconds, 1e6 * seconds / line.n);
        std::printf(" %*s", width, text);
    };
    std::printf("%-40s", line.what);
    cell(line.ours, 14);
    for (double t : line.theirs) cell(t, 22);
    std::printf("  %5.2fx / %5.2fx / %5.2fx\n", line.Ratio(0), line.Ratio(1), line.Ratio(2));
}

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// Runs every workload at one size; answers the summary line without the memory.
std::string RunSize(int n, const std::string& dir) {
    const int committed = std::min(n, EnvInt("MSS_BENCH_COMMITS", 1000));
    const int lookups = 100000;
    int buffers = 0;
    Check(InitEngine(EnvInt("MSS_BENCH_BUFFERS", PageBuffersFor(kKeyCount)), buffers,
                     std::make_shared<CountingFileSystem>()),
          "init");
    const std::vector<Qso> log = MakeLog(n);
    std::vector<std::uint8_t> out(kRecordLength);
    std::mt19937 rng(99);
    std::vector<int> picks(lookups);
    for (int& p : picks) p = static_cast<int>(rng() % static_cast<unsigned>(n));
    std::printf(
        "\nn=%d: records of %d bytes, %d keys, %d page buffers; (a) commits %d; "
        "%d lookups\n",
        n, kRecordLength, kKeyCount, buffers, committed, lookups);
    PrintHeader();

    Line a{"(a) add, flush / commit after each", committed};
    FileCounts beforeA;
    FileCounts afterA;
    {
        Engine engine(dir + "/A");
        beforeA = counts;
        a.ours = Seconds([&] {
            for (int i = 0; i < committed; ++i) {
                engine.Add(log[static_cast<std::size_t>(i)]);
                engine.Flush();
            }
        });
        afterA = counts;
    }
    for (std::size_t p = 0; p < kPeers.size(); ++p) {
        Sqlite sqlite(dir + "/a" + std::to_string(p) + ".db", kPeers[p]);
        // Autocommit: one transaction per insert.
        a.theirs[p] = Seconds([&] {
            for (int i = 0; i < committed; ++i) sqlite.Add(log[static_cast<std::size_t>(i)]);
        });
    }
    Print(a);

    Line b{"(b) add, one flush / one transaction", n};
    Line c{"(c) exact lookup on band+call+mode + read", lookups};
    Line d{"(d) full walk in call order + read", n};
    Engine engine(dir + "/B");
    const FileCounts beforeB = counts;
    b.ours = Seconds([&] {
        for (const Qso& q : log) engine.Add(q);
        engine.Flush();
    });
    const FileCounts afterB = counts;
    c.ours = Seconds([&] {
        for (int p : picks) engine.Lookup(log[static_cast<std::size_t>(p)].keys[8], out);
    });
    int walked = 0;
    d.ours = Seconds([&] { walked = engine.Walk(out); });
    if (walked != n) Fail("walk count", walked);
    for (std::size_t p = 0; p < kPeers.size(); ++p) {
        Sqlite sqlite(dir + "/b" + std::to_string(p) + ".db", kPeers[p]);
        b.theirs[p] = Seconds([&] {
            sqlite.Exec("BEGIN");
            for (const Qso& q : log) sqlite.Add(q);
            sqlite.Exec("COMMIT");
        });
        c.theirs[p] = Seconds([&] {
            for (int p : picks) sqlite.Lookup(log[static_cast<std::size_t>(p)].keys[8], out);
        });
        d.theirs[p] = Seconds([&] { walked = sqlite.Walk(out); });
        if (walked != n) Fail("sqlite walk count", walked);
    }
    for (const Line* line : {&b, &c, &d}) Print(*line);
    PrintCounts("flush in (a):", beforeA, afterA, committed);
    PrintCounts("record in (b):", beforeB, afterB, n);
    (void)ExitEngine();

    char summary[160];
    std::snprintf(summary, sizeof summary,
                  "summary n=%d a_vs_wal_full=%.2f b_vs_best=%.2f c_vs_best=%.2f d_vs_best=%.2f", n,
                  a.Ratio(kWalFull), b.RatioToBest(), c.RatioToBest(), d.RatioToBest());
    return summary;
}

// Runs one size in a child process so that its peak resident memory is its own.
std::string RunSizeApart(int n) {
    std::string dir = (std::filesystem::temp_directory_path() / "bench-store-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) Fail("mkdtemp", 0);
    int fds[2];
    if (::pipe(fds) != 0) Fail("pipe", errno);
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0) Fail("fork", errno);
    if (child == 0) {
        const std::string summary = RunSize(n, dir);
        std::fflush(stdout);
        if (::write(fds[1], summary.data(), summary.size()) < 0) std::_Exit(1);
        std::_Exit(0);
    }
    ::close(fds[1]);
    std::string summary;
    char buffer[256];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        summary.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    std::filesystem::remove_all(dir);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || summary.empty()) Fail("size run", status);
    // ru_maxrss is in kilobytes.
    return summary + " peak_rss_mb=" + std::to_string((usage.ru_maxrss + 512) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {2000, 20000, 200000};
    std::vector<std::string> summaries;
    for (int n : sizes) summaries.push_back(RunSizeApart(n));
    std::printf("\n");
    for (const std::string& line : summaries) std::printf("%s\n", line.c_str());
    return 0;
}
