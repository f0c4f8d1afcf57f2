// The record browser's engine on fileblocks of 1 000, 10 000 and 100 000
// records: showing a page, moving one row and one page at the window's edge,
// and placing the scroll bar's thumb. None of these may grow with the file.
//
// The engine is free of Qt but lives in the ui library, which the benchmarks
// do not link; its three Qt-free sources are compiled in here.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "store/FileFormat.h"
#include "store/FileblockObject.h"
#include "store/KeyCodec.h"
#include "ui/KxBrowRange.h"
#include "ui/KxBrowScroll.h"
#include "ui/KxBrowWindow.h"

namespace {

using namespace mss;

constexpr std::int32_t kRecLen = 64;
constexpr int kNumberAt = 4;
constexpr int kCallAt = 8;
constexpr int kCallLen = 10;

std::string LogKey(std::span<const std::uint8_t> record, int keyNr) {
    if (keyNr == 1) return store::IntToKey(store::DecodeFixed32(record.data() + kNumberAt));
    if (keyNr == 2)
        return std::string(reinterpret_cast<const char*>(record.data() + kCallAt), kCallLen);
    return {};
}

// A contest-log-like fileblock of n records (key 1 running number, key 2
// call), built once per size and kept for the whole run.
store::TFileblockObject& Log(int n) {
    static const bool initialised = store::InitFiles(0, 160, 32) == 0;
    static std::map<int, std::unique_ptr<store::TFileblockObject>> logs;
    if (!initialised) std::abort();
    auto& object = logs[n];
    if (object) return *object;
    const auto dir = std::filesystem::temp_directory_path() / "mss-bench-brow";
    std::filesystem::create_directories(dir);
    const std::string name = "BROW" + std::to_string(n);
    for (const char* ext : {".DAT", ".IX"}) std::filesystem::remove(dir / (name + ext));
    store::ObjectDefinition d;
    d.logicalName = name;
    d.fileName = (dir / name).string();
    d.recLen = kRecLen;
    d.keyCount = 2;
    d.keyBuilder = LogKey;
    object = store::TFileblockObject::Create(d);
    if (!object || object->DefineKey(1, 5, false) || object->DefineKey(2, kCallLen, true) ||
        object->SetAutoNumber(1, kNumberAt))
        std::abort();
    std::mt19937 rng(2024);
    for (int i = 0; i < n; ++i) {
        object->ClearRecord();
        auto letter = [&rng] { return static_cast<char>('A' + rng() % 26); };
        std::string call = {letter(), letter(), static_cast<char>('0' + rng() % 10),
                            letter(), letter(), letter()};
        call.resize(kCallLen, ' ');
        std::memcpy(object->RecordBuffer().data() + kCallAt, call.data(), kCallLen);
        if (object->Add() != 0) std::abort();
    }
    return *object;
}

void BuildRow(store::TFileblockObject& object, ui::RowRec& row) {
    const auto r = object.RecordBuffer();
    char text[64];
    std::snprintf(text, sizeof text, "%6d;%.*s", store::DecodeFixed32(r.data() + kNumberAt),
                  kCallLen, reinterpret_cast<const char*>(r.data() + kCallAt));
    row.Line = text;
}

std::unique_ptr<ui::TKBrowser> Browser(int n) {
    store::TFileblockObject& object = Log(n);
    auto browser = std::make_unique<ui::TKBrowser>(object, 2, ui::BrowRange{}, false);
    browser->SetBuildRow([&object](ui::RowRec& row) { BuildRow(object, row); });
    return browser;
}

// A page of 20 rows around a random anchor in call order.
void BM_ShowPage(benchmark::State& state) {
    auto browser = Browser(static_cast<int>(state.range(0)));
    std::mt19937 rng(7);
    for (auto _ : state) {
        const std::string anchor = {static_cast<char>('A' + rng() % 26),
                                    static_cast<char>('A' + rng() % 26)};
        browser->FillAround({anchor, 0});
        benchmark::DoNotOptimize(browser->FilledRows());
    }
}

// Down with the cursor on the last row: one entry and one record each.
void BM_MoveOneRow(benchmark::State& state) {
    auto browser = Browser(static_cast<int>(state.range(0)));
    browser->FirstPage();
    browser->SetCursorRow(browser->FilledRows());
    for (auto _ : state) {
        if (!browser->NextRecord()) {
            state.PauseTiming();
            browser->FirstPage();
            browser->SetCursorRow(browser->FilledRows());
            state.ResumeTiming();
        }
    }
}

void BM_MovePage(benchmark::State& state) {
    auto browser = Browser(static_cast<int>(state.range(0)));
    browser->FirstPage();
    for (auto _ : state) {
        if (!browser->NextPage() || browser->CursorRow() == browser->FilledRows()) {
            state.PauseTiming();
            browser->FirstPage();
            state.ResumeTiming();
        }
    }
}

// What the widget adds after every movement: maximum, entry count and the
// thumb position of the cursor's entry.
void BM_PlaceThumb(benchmark::State& state) {
    auto browser = Browser(static_cast<int>(state.range(0)));
    browser->FillAround({"M", 0});
    ui::BrowScroll scroll(browser->Object(), 2);
    const ui::BrowEntry entry = *browser->CurrentEntry();
    for (auto _ : state) {
        scroll.Measure();
        benchmark::DoNotOptimize(scroll.ThumbOf(entry));
    }
}

BENCHMARK(BM_ShowPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveOneRow)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MovePage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlaceThumb)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
