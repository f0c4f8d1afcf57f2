// The log form over a contest log of 20 000 contacts, offscreen: the time
// from a key press in the call field to the refreshed panel (prefix, points,
// multipliers, score labels), leaving the call field (dupe check and the
// callbook pre-fill), and saving one contact (Enter on the last field until
// the band log shows it, the flush included). An operator types a character
// about every 100 ms; all three must stay far below that.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "app/logform/ContestLogStart.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "contest/Catalogue.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/Exchange.h"
#include "platform/Messages.h"
#include "radio/CtyImporter.h"
#include "radio/DateTime.h"
#include "radio/ProgramValues.h"
#include "store/FileblockObject.h"
#include "suite/SuiteFiles.h"
#include "ui/KxEdit.h"

namespace {

using namespace mss;

constexpr int kContacts = 20000;

// Boxes are answered silently: a benchmark must not block.
class QuietMessages : public platform::Messages {
  public:
    void Information(std::string_view) override {}
    bool Question(std::string_view) override { return false; }
};

// A call of the form D + A..R + digit + three letters, distinct for each n.
std::string Call(char second, int n) {
    std::string call = "D";
    call += second;
    call += static_cast<char>('0' + n % 10);
    n /= 10;
    for (int i = 0; i < 3; ++i, n /= 26) call += static_cast<char>('A' + n % 26);
    return call;
}

struct Setup {
    std::filesystem::path dir;
    QuietMessages messages;
    std::unique_ptr<platform::ScopedMessages> install;
    std::unique_ptr<app::TContestLogStd> form;
};

void FillLog(std::int32_t number) {
    if (!log::OpenContestLog(number)) std::abort();
    store::TFileblockObject& log = *log::OpenLog();
    (void)log.SetAutoFlush(false);
    for (int i = 0; i < kContacts; ++i) {
        log::QsoRecord r;
        r.SetCall(Call('L', i));
        r.SetBand('k');
        r.SetMode(i % 3 == 0 ? "FSK441" : "CW");
        r.SetDatum(radio::DayNumber(12, 8, 2012));
        r.SetZeit((i * 3) % radio::kSecondsPerDay);
        r.SetLocator("JO31AB");
        r.SetQrb(450);
        log::StoreRcvdExchange(r, "   JO31AB");
        log::StoreSentExchange(r, "   JO62MM");
        r.SetMultiCol1("-");
        r.SetMultiCol2("-");
        if (log::AddContact(log, r) != 0) std::abort();
    }
    (void)log.SetAutoFlush(true);
    log::CloseContestLog();
}

Setup& Form() {
    static Setup setup = [] {
        Setup s;
        s.dir = std::filesystem::temp_directory_path() / "mss-bench-log-form";
        std::filesystem::remove_all(s.dir);
        std::filesystem::create_directories(s.dir);
        s.install = std::make_unique<platform::ScopedMessages>(s.messages);
        radio::Program().RunDir = s.dir.string() + "/";
        suite::SetSuiteDirectory(radio::Program().RunDir);
        if (store::InitFiles(0, 160, 32) != 0) std::abort();
        if (!contest::OpenQVKK() || !contest::OpenQVKZ() || !suite::OpenQVPREFIX() ||
            !suite::OpenQVPREFEE())
            std::abort();
        radio::CtyImportResult imported;
        (void)radio::ImportCtyIfEmpty(std::string(radio::kDebianCtyPath), imported);
        contest::ContestEntry entry;
        entry.SetCode('j');
        entry.SetDateAuto(true);
        entry.SetTimeAuto(true);
        (void)contest::FillContestDefinition('j', entry);
        std::int32_t number = 0;
        if (contest::AddContestEntry(entry, contest::ContestExtra{}, number) != 0) std::abort();
        FillLog(number);
        s.form = app::PrepareContestLog(number, nullptr);
        if (!s.form) std::abort();
        s.form->show();
        QApplication::setActiveWindow(s.form.get());
        QApplication::processEvents();
        return s;
    }();
    return setup;
}

void BM_KeyPressInCallField(benchmark::State& state) {
    app::LogEntryPanel& panel = Form().form->Panel();
    static const Qt::Key kKeys[] = {Qt::Key_O, Qt::Key_E, Qt::Key_1,
                                    Qt::Key_X, Qt::Key_Y, Qt::Key_Z};
    std::size_t i = 0;
    for (auto _ : state) {
        if (i % 6 == 0) {
            state.PauseTiming();
            panel.eCall->clear();
            state.ResumeTiming();
        }
        QTest::keyClick(panel.eCall, kKeys[i++ % 6]);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_KeyPressInCallField)->Unit(benchmark::kMicrosecond);

// A new contact with `call` typed into the call field.
void TypeCall(app::TContestLogStd& form, const std::string& call) {
    form.NewContact();
    QTest::keyClicks(form.Panel().eCall, QString::fromStdString(call));
}

void BM_LeaveCallField(benchmark::State& state) {
    app::TContestLogStd& form = *Form().form;
    app::LogEntryPanel& panel = form.Panel();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TypeCall(form, Call('L', n++ * 7 % kContacts));
        state.ResumeTiming();
        QTest::keyClick(panel.eCall, Qt::Key_Return);  // a dupe: checked and cleared
        QApplication::processEvents();
    }
}
BENCHMARK(BM_LeaveCallField)->Unit(benchmark::kMicrosecond);

void BM_SaveOneContact(benchmark::State& state) {
    app::TContestLogStd& form = *Form().form;
    app::LogEntryPanel& panel = form.Panel();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TypeCall(form, Call('K', n++));
        QTest::keyClick(panel.eCall, Qt::Key_Return);
        QTest::keyClicks(panel.eRSTr[1], QStringLiteral("JO40AA"));
        state.ResumeTiming();
        QTest::keyClick(panel.eRSTr[1], Qt::Key_Return);
        QApplication::processEvents();
    }
    state.counters["log"] = static_cast<double>(log::OpenLog()->RecordCount());
}
BENCHMARK(BM_SaveOneContact)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Form().form.reset();
    return 0;
}
