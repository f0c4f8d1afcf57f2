// The record store against SQLite on the contest log's workload: 216-byte
// QSO records with the log's 27 keys, at several log sizes, and the
// program's bulk passes (the country file import, renumbering a log). SQLite
// runs in the three journal settings of SqlitePeer.h. Prints records per
// second, the cost per record, the ratio against each peer, the store's file
// operations per flush and per record, the time of each sync of a flush, and
// the peak resident memory of each size (each size runs in its own process);
// then how the cost per record grows with n against log n; ends with one
// machine-readable summary line per size.
//
// Usage: bench_store [sizes...]   (default 2000 20000 200000)
// MSS_BENCH_RUNS: runs of everything, each cell the median of them (default
// 1); MSS_BENCH_COMMITS: the records of (a), which commits each one and so is
// bound by the disk's sync latency (default 1000); MSS_BENCH_BUFFERS and
// MSS_BENCH_BULK_BUFFERS: the page buffer counts (default the program's, and
// its count for a bulk pass, which (b) is).
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "CountingFiles.h"
#include "SqlitePeer.h"
#include "SqliteSyncCount.h"
#include "StoreBulkPaths.h"
#include "log/LogKeys.h"
#include "store/FbIndex.h"
#include "store/Filer.h"

namespace {

using namespace mss::bench;
using namespace mss::store;

constexpr int kRecordLength = 216;
constexpr int kKeyCount = mss::log::kLogKeyCount;
constexpr auto& kKeys = mss::log::kLogKeyDefinitions;
constexpr int kLookups = 100000;
constexpr int kRenumberedContacts = 20000;

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

int PageBuffers() {
    return EnvInt("MSS_BENCH_BUFFERS", PageBuffersFor(kKeyCount));
}

// A record and its 27 keys, kept in one string so that a large log in
// memory does not swell the process's resident memory much beyond the files'.
struct Qso {
    std::array<std::uint8_t, kRecordLength> record{};
    std::string keyBytes;
    std::array<std::uint16_t, kKeyCount + 1> start{};

    std::string_view Key(int k) const {  // 1-based
        return std::string_view(keyBytes).substr(start[k - 1], start[k] - start[k - 1]);
    }
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
        const std::string keys[kKeyCount] = {
            dt,
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
        Qso& q = log[static_cast<std::size_t>(i)];
        for (int k = 0; k < kKeyCount; ++k) {
            q.keyBytes += keys[k];
            q.start[k + 1] = static_cast<std::uint16_t>(q.keyBytes.size());
        }
        q.keyBytes.shrink_to_fit();
        q.record[4] = static_cast<std::uint8_t>(number);
        q.record[8] = static_cast<std::uint8_t>(call.size());
        std::copy(call.begin(), call.end(), q.record.begin() + 9);
        std::copy(locator.begin(), locator.end(), q.record.begin() + 22);
    }
    return log;
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
    ~Engine() { Check(CloseFileblock(fb_), "close"); }

    void Add(const Qso& q) {
        RecordRef ref = 0;
        Check(AddRecord(fb_, q.record, ref), "add record");
        for (int k = 1; k <= kKeyCount; ++k) Check(AddKey(fb_, k, ref, q.Key(k)), "add key");
    }
    void Flush() { Check(FlushFileblock(fb_), "flush"); }
    void Lookup(std::string_view key9, std::span<std::uint8_t> out) {
        RecordRef ref = 0;
        Check(FindKey(fb_, 9, key9, ref), "find");
        Check(GetRecord(fb_, ref, out), "read");
    }
    int Walk(std::span<std::uint8_t> out) {
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

// ---- one size -------------------------------------------------------------

enum Workload { kA, kB, kC, kD, kWorkloads };
constexpr const char* kWorkloadNames[kWorkloads] = {
    "(a) add, flush / commit after each",
    "(b) add, one flush / one transaction",
    "(c) exact lookup on band+call+mode + read",
    "(d) full walk in call order + read",
};

// Plain data, so that a child process can hand it over through a pipe.
struct SizeResult {
    int n = 0;
    int committed = 0;
    int buffers = 0;
    int bulkBuffers = 0;
    BulkLine lines[kWorkloads];
    FileCounts perFlushA;  // per commit of (a), in hundredths
    FileCounts perRecordB;
    FileCounts perRecordC;
    FileCounts perRecordD;
    FileCounts placesA;  // the syncs of (a)'s flushes by their place in a flush
    // Syncs per flush or commit in (a) and seconds per sync: the store, each peer.
    std::array<SqliteSyncs, kPeers.size() + 1> syncsA{};
};

FileCounts PerHundred(const FileCounts& from, const FileCounts& to, int per) {
    return {(to.syncs - from.syncs) * 100 / per, (to.reads - from.reads) * 100 / per,
            (to.writes - from.writes) * 100 / per, 0};
}

// The syncs of (a) and the seconds each took.
SqliteSyncs PerCommit(long syncs, double seconds) {
    return {syncs, syncs > 0 ? seconds / static_cast<double>(syncs) : 0.0};
}

// (b) fills a log of n records, (c) and (d) read it, and (a) adds its
// records to that log, flushing or committing each: every workload at size n.
SizeResult RunSize(int n, const std::string& dir) {
    SizeResult r;
    r.n = n;
    r.committed = EnvInt("MSS_BENCH_COMMITS", 1000);
    CountSqliteSyncs();
    Check(InitEngine(PageBuffers(), r.buffers, std::make_shared<CountingFileSystem>()), "init");
    r.bulkBuffers = EnvInt("MSS_BENCH_BULK_BUFFERS", BulkPageBuffersFor(kKeyCount, n));
    const std::vector<Qso> log = MakeLog(n + r.committed);
    const std::span<const Qso> bulk(log.data(), static_cast<std::size_t>(n));
    const std::span<const Qso> committed(log.data() + n, static_cast<std::size_t>(r.committed));
    std::array<std::uint8_t, kRecordLength> out{};
    std::mt19937 rng(99);
    std::vector<int> picks(kLookups);
    for (int& p : picks) p = static_cast<int>(rng() % static_cast<unsigned>(n));
    r.lines[kA].records = r.committed;
    r.lines[kB].records = n;
    r.lines[kC].records = kLookups;
    r.lines[kD].records = n;
    {
        Engine engine(dir + "/store");
        const FileCounts beforeB = Counts();
        // A bulk add, as the program's bulk passes run it: on the larger cache.
        r.lines[kB].ours = Seconds([&] {
            const ScopedPageBuffers bulkCache(r.bulkBuffers);
            for (const Qso& q : bulk) engine.Add(q);
            engine.Flush();
        });
        r.perRecordB = PerHundred(beforeB, Counts(), n);
        const FileCounts beforeC = Counts();
        r.lines[kC].ours = Seconds([&] {
            for (int p : picks) engine.Lookup(log[static_cast<std::size_t>(p)].Key(9), out);
        });
        r.perRecordC = PerHundred(beforeC, Counts(), kLookups);
        const FileCounts beforeD = Counts();
        int walked = 0;
        r.lines[kD].ours = Seconds([&] { walked = engine.Walk(out); });
        if (walked != n) Fail("walk count", walked);
        r.perRecordD = PerHundred(beforeD, Counts(), n);
        const FileCounts beforeA = Counts();
        r.lines[kA].ours = Seconds([&] {
            for (const Qso& q : committed) {
                StartOfCommit();
                engine.Add(q);
                engine.Flush();
            }
        });
        r.perFlushA = PerHundred(beforeA, Counts(), r.committed);
        for (int at = 0; at < FileCounts::kPlaces; ++at) {
            r.placesA.syncsAt[at] = Counts().syncsAt[at] - beforeA.syncsAt[at];
            r.placesA.secondsAt[at] = Counts().secondsAt[at] - beforeA.secondsAt[at];
        }
        r.syncsA[0] =
            PerCommit(Counts().syncs - beforeA.syncs, Counts().syncSeconds - beforeA.syncSeconds);
    }
    (void)ExitEngine();
    for (std::size_t p = 0; p < kPeers.size(); ++p) {
        SqliteDb db(dir + "/peer" + std::to_string(p) + ".db", kPeers[p]);
        SqliteTable table(db, "qso", kKeys);
        auto add = [&](const Qso& q) { table.Add(q.record, [&](int k) { return q.Key(k); }); };
        r.lines[kB].theirs[p] = Seconds([&] {
            db.Exec("BEGIN");
            for (const Qso& q : bulk) add(q);
            db.Exec("COMMIT");
        });
        r.lines[kC].theirs[p] = Seconds([&] {
            for (int pick : picks) table.Lookup(9, log[static_cast<std::size_t>(pick)].Key(9), out);
        });
        int walked = 0;
        r.lines[kD].theirs[p] = Seconds([&] {
            walked = table.Walk(2, [&](std::span<const std::uint8_t> rec) {
                std::copy_n(rec.begin(), std::min(rec.size(), out.size()), out.begin());
            });
        });
        if (walked != n) Fail("sqlite walk count", walked);
        // Autocommit: one transaction per insert.
        const SqliteSyncs before = SqliteSyncCounts();
        r.lines[kA].theirs[p] = Seconds([&] {
            for (const Qso& q : committed) add(q);
        });
        r.syncsA[p + 1] = PerCommit(SqliteSyncCounts().syncs - before.syncs,
                                    SqliteSyncCounts().seconds - before.seconds);
    }
    return r;
}

// ---- child processes and medians ------------------------------------------

// Runs work() in a child process in a scratch directory of its own, so that
// its peak resident memory (kilobytes, into peakKb) is its own.
template <class Result, class Work>
Result RunApart(Work work, long& peakKb) {
    std::string dir = (std::filesystem::temp_directory_path() / "bench-store-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) Fail("mkdtemp", 0);
    int fds[2];
    if (::pipe(fds) != 0) Fail("pipe", errno);
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0) Fail("fork", errno);
    if (child == 0) {
        const Result result = work(dir);
        if (::write(fds[1], &result, sizeof result) != static_cast<ssize_t>(sizeof result))
            std::_Exit(1);
        std::_Exit(0);
    }
    ::close(fds[1]);
    Result result{};
    std::size_t got = 0;
    auto* bytes = reinterpret_cast<char*>(&result);
    for (ssize_t n;
         got < sizeof result && (n = ::read(fds[0], bytes + got, sizeof result - got)) > 0;)
        got += static_cast<std::size_t>(n);
    ::close(fds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    std::filesystem::remove_all(dir);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || got != sizeof result)
        Fail("child run", status);
    peakKb = std::max(peakKb, usage.ru_maxrss);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t m = values.size() / 2;
    return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2;
}

// Cell by cell, the median of the runs' seconds.
BulkLine MedianLine(const std::vector<BulkLine>& runs) {
    BulkLine line = runs.front();
    std::vector<double> cell;
    for (auto pick : {-1, 0, 1, 2}) {
        cell.clear();
        for (const BulkLine& run : runs) cell.push_back(pick < 0 ? run.ours : run.theirs[pick]);
        (pick < 0 ? line.ours : line.theirs[static_cast<std::size_t>(pick)]) = Median(cell);
    }
    return line;
}

double Ratio(const BulkLine& line, std::size_t peer) {
    return line.theirs[peer] / line.ours;
}
double RatioToBest(const BulkLine& line) {
    return *std::min_element(line.theirs.begin(), line.theirs.end()) / line.ours;
}

// ---- output ---------------------------------------------------------------

void PrintHeader() {
    std::printf("%-44s %16s", "workload: records/s (us/record)", "this store");
    for (const Peer& peer : kPeers) std::printf(" %20s", peer.name);
    std::printf("  ratio vs journal / WAL-FULL / WAL-NORMAL\n");
}

void PrintLine(const char* what, const BulkLine& line) {
    auto cell = [&](double seconds, int width) {
        char text[48];
        std::snprintf(text, sizeof text, "%.0f (%.2f)", line.records / seconds,
                      1e6 * seconds / line.records);
        std::printf(" %*s", width, text);
    };
    std::printf("%-44s", what);
    cell(line.ours, 16);
    for (double t : line.theirs) cell(t, 20);
    std::printf("  %6.2fx / %6.2fx / %6.2fx\n", Ratio(line, 0), Ratio(line, 1), Ratio(line, 2));
}

void PrintCounts(const char* what, const FileCounts& c) {
    std::printf("  store file operations per %-15s syncs %7.2f  reads %8.2f  writes %8.2f\n", what,
                c.syncs / 100.0, c.reads / 100.0, c.writes / 100.0);
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// The syncs of one flush of (a) by their place in it, as the engine orders
// them, against the whole of one SQLite WAL/FULL commit: what bounds (a).
void PrintSyncPlaces(const SizeResult& r, const BulkLine& a) {
    static constexpr const char* kPlaceNames[FileCounts::kPlaces] = {
        "1st (InUse mark, records)", "2nd (index)", "3rd (clean header)", "further"};
    std::printf("  the store's flush in (a) sync by sync, per flush (ms each):");
    double seconds = 0;
    for (int at = 0; at < FileCounts::kPlaces; ++at) {
        const long syncs = r.placesA.syncsAt[at];
        if (syncs == 0) continue;
        seconds += r.placesA.secondsAt[at];
        std::printf("  %s %.2f (%.2f)", kPlaceNames[at], static_cast<double>(syncs) / r.committed,
                    1e3 * r.placesA.secondsAt[at] / static_cast<double>(syncs));
    }
    std::printf("\n  syncs alone %.2f ms a flush; one SQLite WAL/FULL commit in all %.2f ms\n",
                1e3 * seconds / r.committed, 1e3 * a.theirs[kWalFull] / a.records);
}

struct SizeSummary {
    int n = 0;
    double ours[kWorkloads] = {};  // seconds per record, median
    double best[kWorkloads] = {};  // the fastest SQLite peer's
    std::string line;
};

// Runs every workload at size n `runs` times; prints the median table and
// answers the size's per-record costs and summary line.
SizeSummary BenchSize(int n, int runs) {
    long peakKb = 0;
    std::vector<SizeResult> results;
    for (int run = 0; run < runs; ++run)
        results.push_back(
            RunApart<SizeResult>([n](const std::string& dir) { return RunSize(n, dir); }, peakKb));
    const SizeResult& first = results.front();
    std::printf(
        "\nn=%d: records of %d bytes, %d keys, %d page buffers (%d for the bulk add (b)); "
        "(a) commits %d records into the log of n; %d lookups; median of %d run(s)\n",
        n, kRecordLength, kKeyCount, first.buffers, first.bulkBuffers, first.committed, kLookups,
        runs);
    PrintHeader();
    SizeSummary summary;
    summary.n = n;
    BulkLine median[kWorkloads];
    for (int w = 0; w < kWorkloads; ++w) {
        std::vector<BulkLine> cells;
        for (const SizeResult& r : results) cells.push_back(r.lines[w]);
        median[w] = MedianLine(cells);
        PrintLine(kWorkloadNames[w], median[w]);
        summary.ours[w] = median[w].ours / median[w].records;
        summary.best[w] =
            *std::min_element(median[w].theirs.begin(), median[w].theirs.end()) / median[w].records;
    }
    PrintCounts("flush in (a):", first.perFlushA);
    std::printf("  syncs per flush / commit in (a) (ms each):");
    for (std::size_t i = 0; i < first.syncsA.size(); ++i) {
        const SqliteSyncs& c = first.syncsA[i];
        std::printf("  %s %.2f (%.2f)", i == 0 ? "this store" : kPeers[i - 1].name,
                    static_cast<double>(c.syncs) / first.committed, 1e3 * c.seconds);
    }
    std::printf("\n");
    PrintSyncPlaces(first, median[kA]);
    PrintCounts("record in (b):", first.perRecordB);
    PrintCounts("lookup in (c):", first.perRecordC);
    PrintCounts("record in (d):", first.perRecordD);
    std::printf("  peak resident memory %ld MB\n", (peakKb + 512) / 1024);
    char line[200];
    std::snprintf(line, sizeof line,
                  "summary n=%d a_vs_wal_full=%.2f b_vs_best=%.2f c_vs_best=%.2f d_vs_best=%.2f "
                  "peak_rss_mb=%ld",
                  n, Ratio(median[kA], kWalFull), RatioToBest(median[kB]), RatioToBest(median[kC]),
                  RatioToBest(median[kD]), (peakKb + 512) / 1024);
    summary.line = line;
    return summary;
}

// How the cost per record grows with n, from each size to the next and from
// the smallest to the largest, beside the growth of log n over the same steps.
void PrintScale(const std::vector<SizeSummary>& sizes) {
    if (sizes.size() < 2) return;
    auto logGrowth = [](const SizeSummary& from, const SizeSummary& to) {
        return std::log(static_cast<double>(to.n)) / std::log(static_cast<double>(from.n));
    };
    std::printf("\nscale: microseconds per record at each n; growth per step and over all, "
                "against log n's\n%-44s", "workload");
    for (const SizeSummary& size : sizes)
        std::printf(" %17s", ("n=" + std::to_string(size.n)).c_str());
    std::printf("  growth: this store / best SQLite / log n\n");
    for (int w = 0; w < kWorkloads; ++w) {
        std::printf("%-44s", kWorkloadNames[w]);
        for (const SizeSummary& size : sizes) std::printf(" %17.2f", 1e6 * size.ours[w]);
        auto step = [&](const SizeSummary& from, const SizeSummary& to) {
            const double ours = to.ours[w] / from.ours[w];
            const double log = logGrowth(from, to);
            std::printf("  %d->%d x%.2f / x%.2f / x%.2f %s", from.n, to.n, ours,
                        to.best[w] / from.best[w], log, ours <= log ? "within" : "beyond");
        };
        for (std::size_t i = 1; i < sizes.size(); ++i) step(sizes[i - 1], sizes[i]);
        if (sizes.size() > 2) step(sizes.front(), sizes.back());
        std::printf("\n");
    }
}

void BenchBulkPaths(int runs) {
    long peakKb = 0;
    std::vector<BulkLine> cty;
    std::vector<BulkLine> renumber;
    for (int run = 0; run < runs; ++run) {
        cty.push_back(RunApart<BulkLine>(
            [](const std::string& dir) { return CtyImport(dir, PageBuffers()); }, peakKb));
        renumber.push_back(RunApart<BulkLine>(
            [](const std::string& dir) {
                return RenumberLog(dir, PageBuffers(), kRenumberedContacts);
            },
            peakKb));
    }
    std::printf(
        "\nthe program's bulk passes (SQLite: the same records and keys, one "
        "transaction); median of %d run(s)\n",
        runs);
    PrintHeader();
    const BulkLine ctyLine = MedianLine(cty);
    const BulkLine renumberLine = MedianLine(renumber);
    PrintLine("country file into the prefix tables", ctyLine);
    PrintLine("renumbering a log of 20 000 contacts", renumberLine);
    std::printf("  peak resident memory %ld MB\n", (peakKb + 512) / 1024);
    std::printf("bulk cty_vs_best=%.2f renumber_vs_best=%.2f\n", RatioToBest(ctyLine),
                RatioToBest(renumberLine));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {2000, 20000, 200000};
    const int runs = std::max(1, EnvInt("MSS_BENCH_RUNS", 1));
    std::printf("load average at start: %s\n", LoadAverage().c_str());
    std::vector<SizeSummary> summaries;
    for (int n : sizes) summaries.push_back(BenchSize(n, runs));
    PrintScale(summaries);
    BenchBulkPaths(runs);
    std::printf("load average at end: %s\n\n", LoadAverage().c_str());
    for (const SizeSummary& size : summaries) std::printf("%s\n", size.line.c_str());
    return 0;
}
