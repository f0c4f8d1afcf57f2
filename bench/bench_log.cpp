// The judgement of a contact while it is typed and saved (CheckCallDupe +
// CanSave + PointsOf), the renumbering pass, the results written into the
// contest entry when the log form closes, and the band log's row text, on
// contest logs of 100, 2 000 and 20 000 contacts of contest 'j'. The logs are built once in a
// scratch directory below the system's temporary folder. The ADIF import of a
// WSJT-X log into an empty log, flushed in batches (20 000 records: at most
// 2 s wanted) and record by record, each with its stored count and score.
//
// Usage: bench_log [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BenchContacts.h"
#include "contest/Catalogue.h"
#include "log/AdifImport.h"
#include "log/BandLog.h"
#include "log/ContestLog.h"
#include "log/DupeCheck.h"
#include "log/LogKeys.h"
#include "log/LogSession.h"
#include "log/Points.h"
#include "log/Recount.h"
#include "log/Renumber.h"
#include "log/Results.h"
#include "log/Scoring.h"
#include "platform/Messages.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "radio/Text.h"
#include "store/FileblockObject.h"

namespace {

using namespace mss;
using namespace mss::log;

using bench::ContactOf;

std::string DirectoryFor(int contacts) {
    return (std::filesystem::temp_directory_path() / ("mss-bench-log-" + std::to_string(contacts)))
               .string() +
           "/";
}

// Removes the logs built for the run when the program ends.
struct RemoveLogsAtExit {
    ~RemoveLogsAtExit() {
        for (int contacts : {0, 100, 2000, 20000}) {
            std::error_code ignored;
            std::filesystem::remove_all(DirectoryFor(contacts), ignored);
        }
    }
} removeLogsAtExit;

// The store open on the log of that size, built the first time it is asked for.
class OpenBenchLog {
  public:
    explicit OpenBenchLog(int contacts) {
        radio::Program().RunDir = DirectoryFor(contacts);
        static std::map<int, bool> built;
        if (!built[contacts]) {
            std::filesystem::remove_all(radio::Program().RunDir);
            std::filesystem::create_directories(radio::Program().RunDir);
        }
        ok_ =
            store::InitFiles(0, store::PageBuffersFor(kLogKeyCount), 32) == 0 && OpenContestLog(1);
        if (ok_ && !built[contacts]) {
            store::TFileblockObject& log = *OpenLog();
            (void)log.SetAutoFlush(false);
            for (int i = 0; i < contacts && ok_; ++i) {
                QsoRecord r = ContactOf(i);
                ok_ = AddContact(log, r) == 0;
            }
            (void)log.SetAutoFlush(true);
            built[contacts] = ok_;
        }
        session_.entry.SetCode('j');
        session_.definition = contest::FillContestDefinition('j', session_.entry);
        session_.log = OpenLog();
        session_.band = 'k';
        session_.mode = "CW";
    }
    ~OpenBenchLog() {
        CloseContestLog();
        (void)store::ExitFiles();
    }
    bool ok() const { return ok_; }
    LogSession& session() { return session_; }

  private:
    bool ok_ = false;
    LogSession session_;
};

// A recording message box, so duplicates do not write to the terminal.
struct Quiet {
    platform::ScriptedMessages messages;
    platform::ScopedMessages install{messages};
};

void BM_JudgeContact(benchmark::State& state) {
    Quiet quiet;
    const int contacts = static_cast<int>(state.range(0));
    OpenBenchLog bench(contacts);
    if (!bench.ok()) {
        state.SkipWithError("the log could not be built");
        return;
    }
    int i = 0;
    std::int64_t dupes = 0;
    for (auto _ : state) {
        // Every other call typed is already in the log.
        QsoRecord typed = ContactOf(i % 2 == 0 ? (i / 2) % contacts : contacts + i);
        typed.SetMode("SSB");
        dupes += CheckCallDupe(bench.session(), typed) ? 1 : 0;
        benchmark::DoNotOptimize(CanSave(bench.session(), typed));
        benchmark::DoNotOptimize(PointsOf(bench.session(), typed));
        ++i;
        quiet.messages.Clear();
    }
    state.counters["dupes"] = static_cast<double>(dupes);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JudgeContact)->Arg(100)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_Renumber(benchmark::State& state) {
    Quiet quiet;
    const int contacts = static_cast<int>(state.range(0));
    OpenBenchLog bench(contacts);
    if (!bench.ok()) {
        state.SkipWithError("the log could not be built");
        return;
    }
    SilentProgress progress;
    for (auto _ : state) {
        if (Renumber(bench.session(), progress) != RenumberResult::kDone) {
            state.SkipWithError("renumbering failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * contacts);
}
BENCHMARK(BM_Renumber)->Arg(100)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_WriteResults(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0));
    OpenBenchLog bench(contacts);
    if (!bench.ok()) {
        state.SkipWithError("the log could not be built");
        return;
    }
    Recount(bench.session(), true);
    contest::ContestExtra extra;
    SilentProgress progress;
    for (auto _ : state) {
        WriteResults(bench.session(), bench.session().entry, extra, progress);
        benchmark::DoNotOptimize(extra.QsoCount(1));
    }
    state.SetItemsProcessed(state.iterations() * contacts);
}
BENCHMARK(BM_WriteResults)->Arg(100)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_BandLogRow(benchmark::State& state) {
    const contest::ContestDefinition definition = [] {
        contest::ContestEntry entry;
        return contest::FillContestDefinition('j', entry);
    }();
    QsoRecord contact = ContactOf(4711);
    contact.SetNameQth("Hans;Berlin");
    for (auto _ : state) benchmark::DoNotOptimize(BandLogRow(definition, contact));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BandLogRow)->Unit(benchmark::kMicrosecond);

// A WSJT-X log of `records` distinct 2 m contacts: lower case, every third
// in MSK144 written as MFSK with its submode, the others in CW.
std::string WsjtxLog(int records) {
    auto tag = [](std::string_view name, std::string_view value) {
        return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" +
               std::string(value) + " ";
    };
    std::string text = "WSJT-X ADIF Export<eoh>\n";
    for (int i = 0; i < records; ++i) {
        const QsoRecord r = ContactOf(i);
        char time[7];
        std::snprintf(time, sizeof time, "%02d%02d%02d", r.Zeit() / 3600, r.Zeit() / 60 % 60,
                      r.Zeit() % 60);
        text += tag("call", radio::LowerText(r.Call())) +
                tag("gridsquare", radio::LowerText(r.Locator())) +
                tag("mode", i % 3 == 0 ? "MFSK" : "CW") +
                (i % 3 == 0 ? tag("submode", "MSK144") : "") +
                tag("qso_date", radio::DateToText("yyyymmdd", r.Datum())) + tag("time_on", time) +
                tag("band", "2m") + tag("freq", "144.360000") + "<eor>\n";
    }
    return text;
}

// Imports `file` into the empty log of a fresh directory, as one pass or one
// pass a record (each of which ends with a flush); sets the counters.
void ImportIntoEmptyLog(benchmark::State& state, const AdifFile& file, bool recordByRecord) {
    radio::Program().RunDir = DirectoryFor(0);
    std::filesystem::remove_all(radio::Program().RunDir);
    std::filesystem::create_directories(radio::Program().RunDir);
    if (store::InitFiles(0, store::PageBuffersFor(kLogKeyCount), 32) != 0 || !OpenContestLog(1)) {
        state.SkipWithError("the log could not be opened");
        return;
    }
    LogSession session;
    session.entry.SetCode('j');
    session.definition = contest::FillContestDefinition('j', session.entry);
    session.log = OpenLog();
    session.band = 'k';
    session.mode = "CW";
    const PanelLayout layout = LayoutOf(session, contest::ContestExtra{});
    EntryState entry;
    PrepareNewContact(session, entry, layout);
    const PanelValues defaults = PanelOf(entry.contact, session);
    std::vector<AdifLogField> fields = AdifLogFields(session.definition);
    MapStandardAdifFields(fields, session.definition, file);
    SilentProgress progress;
    int stored = 0;
    if (recordByRecord) {
        AdifFile one = file;
        for (const AdifRecord& record : file.Records) {
            one.Records = {record};
            stored +=
                ImportAdif(session, entry, layout, one, fields, defaults, {}, progress).imported;
        }
    } else {
        stored = ImportAdif(session, entry, layout, file, fields, defaults, {}, progress).imported;
    }
    state.counters["stored"] = stored;
    state.counters["score"] = static_cast<double>(Score(session));
    CloseContestLog();
    (void)store::ExitFiles();
}

void BM_ImportAdif(benchmark::State& state) {
    Quiet quiet;
    const AdifFile file = ReadAdif(WsjtxLog(static_cast<int>(state.range(0))));
    for (auto _ : state) ImportIntoEmptyLog(state, file, false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportAdif)->Arg(500)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same records, each flushed as it is stored: the yardstick of the
// batches, whose stored count and score must be the same.
void BM_ImportAdifRecordByRecord(benchmark::State& state) {
    Quiet quiet;
    const AdifFile file = ReadAdif(WsjtxLog(static_cast<int>(state.range(0))));
    for (auto _ : state) ImportIntoEmptyLog(state, file, true);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportAdifRecordByRecord)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
