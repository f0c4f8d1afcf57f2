// The program's real bulk passes on the record store, each beside the same
// work done into SQLite: the first start's import of the country file into
// the prefix tables, and renumbering a contest log.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchContacts.h"
#include "SqlitePeer.h"
#include "contest/Catalogue.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/LogSession.h"
#include "log/PassProgress.h"
#include "log/Renumber.h"
#include "radio/CtyImporter.h"
#include "radio/ProgramValues.h"
#include "suite/SuiteFiles.h"

namespace mss::bench {

template <class Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds of the store and of each SQLite peer for one pass over `records`.
struct BulkLine {
    int records = 0;
    double ours = 0;
    std::array<double, kPeers.size()> theirs{};
};

// A record with its keys, as SQLite gets them.
struct KeyedRecord {
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> keys;
};

// Every live record of an open fileblock object with the keys its builder makes.
inline std::vector<KeyedRecord> RecordsOf(store::TFileblockObject& table,
                                          const store::KeyBuilder& build, int keyCount) {
    std::vector<KeyedRecord> records;
    for (int level = table.First(1); level == 0; level = table.Next(1)) {
        KeyedRecord r;
        r.bytes.assign(table.RecordBuffer().begin(), table.RecordBuffer().end());
        for (int k = 1; k <= keyCount; ++k) r.keys.push_back(build(r.bytes, k));
        records.push_back(std::move(r));
    }
    return records;
}

inline void AddAll(SqliteTable& table, const std::vector<KeyedRecord>& records) {
    for (const KeyedRecord& r : records)
        table.Add(r.bytes, [&](int k) { return std::string_view(r.keys[k - 1]); });
}

// The country file into empty prefix tables, files closed (and so committed)
// at the end; SQLite gets the records and keys that import made, without
// reading the country file, in one transaction.
inline BulkLine CtyImport(const std::string& dir, int pageBuffers) {
    BulkLine line;
    if (store::InitFiles(0, pageBuffers, 32) != 0) Fail("init", 0);
    suite::SetSuiteDirectory(dir + "/");
    radio::CtyImportResult result;
    line.ours = Seconds([&] {
        if (!radio::ImportCtyIfEmpty(std::string(radio::kDebianCtyPath), result))
            Fail("country file import", result.level);
    });
    line.records = result.prefixes + result.exactCalls;
    std::vector<std::vector<KeyedRecord>> tables;
    std::vector<suite::SuiteFileDefinition> definitions;
    for (suite::SuiteFile file : {suite::SuiteFile::QVPREFIX, suite::SuiteFile::QVPREFEE}) {
        const suite::SuiteFileUse use(file);
        if (use.get() == nullptr) Fail("prefix table open", store::ErrorLevel());
        definitions.push_back(suite::DefinitionOf(file));
        tables.push_back(RecordsOf(*use.get(), definitions.back().keyBuilder,
                                   static_cast<int>(definitions.back().keys.size())));
    }
    (void)store::ExitFiles();
    for (std::size_t p = 0; p < kPeers.size(); ++p) {
        SqliteDb db(dir + "/cty" + std::to_string(p) + ".db", kPeers[p]);
        line.theirs[p] = Seconds([&] {
            db.Exec("BEGIN");
            for (std::size_t t = 0; t < tables.size(); ++t) {
                SqliteTable table(db, "t" + std::to_string(t), definitions[t].keys);
                AddAll(table, tables[t]);
            }
            db.Exec("COMMIT");
        });
    }
    return line;
}

// Renumbering a log of `contacts` contacts of contest 'j'. SQLite copies the
// same records in date and time order into a new table with the log's keys,
// numbering them, and puts it in the old one's place, in one transaction.
inline BulkLine RenumberLog(const std::string& dir, int pageBuffers, int contacts) {
    BulkLine line{contacts};
    radio::Program().RunDir = dir + "/";
    if (store::InitFiles(0, pageBuffers, 32) != 0 || !log::OpenContestLog(1)) Fail("log open", 0);
    store::TFileblockObject& opened = *log::OpenLog();
    (void)opened.SetAutoFlush(false);
    std::vector<KeyedRecord> records;
    for (int i = 0; i < contacts; ++i) {
        log::QsoRecord r = ContactOf(i);
        if (log::AddContact(opened, r) != 0) Fail("log add", store::ErrorLevel());
        records.push_back({{r.bytes().begin(), r.bytes().end()}, {}});
        for (int k = 1; k <= log::kLogKeyCount; ++k)
            records.back().keys.push_back(log::BuildKey(r, k));
    }
    if (opened.SetAutoFlush(true) != 0) Fail("log flush", store::ErrorLevel());
    log::LogSession session;
    session.entry.SetCode('j');
    session.definition = contest::FillContestDefinition('j', session.entry);
    session.log = &opened;
    session.band = 'k';
    session.mode = "CW";
    log::SilentProgress progress;
    line.ours = Seconds([&] {
        if (log::Renumber(session, progress) != log::RenumberResult::kDone) Fail("renumber", 0);
    });
    log::CloseContestLog();
    (void)store::ExitFiles();

    for (std::size_t p = 0; p < kPeers.size(); ++p) {
        SqliteDb db(dir + "/renumber" + std::to_string(p) + ".db", kPeers[p]);
        {
            SqliteTable old(db, "qso", log::kLogKeyDefinitions);
            db.Exec("BEGIN");
            AddAll(old, records);
            db.Exec("COMMIT");
        }
        line.theirs[p] = Seconds([&] {
            db.Exec("BEGIN");
            {
                SqliteTable old(db, "qso", log::kLogKeyDefinitions, false);
                SqliteTable fresh(db, "renumbered", log::kLogKeyDefinitions);
                std::int32_t number = 0;
                std::vector<std::string> keys(log::kLogKeyCount);
                old.Walk(1, [&](std::span<const std::uint8_t> bytes) {
                    log::QsoRecord r(bytes.first<log::QsoRecord::kSize>());
                    r.SetNummer(++number);
                    r.SetLfdNr(number);
                    r.SetBandNr(number);
                    for (int k = 1; k <= log::kLogKeyCount; ++k) keys[k - 1] = log::BuildKey(r, k);
                    fresh.Add(r.bytes(), [&](int k) { return std::string_view(keys[k - 1]); });
                });
            }
            db.Exec("DROP TABLE qso");
            db.Exec("ALTER TABLE renumbered RENAME TO qso");
            db.Exec("COMMIT");
        });
    }
    return line;
}

}  // namespace mss::bench
