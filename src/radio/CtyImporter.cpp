#include "radio/CtyImporter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/Cp1252.h"
#include "radio/CtyFormat.h"
#include "radio/DxccTable.h"
#include "store/Filer.h"
#include "suite/SuiteFiles.h"
#include "suite/SuitePrefixRecord.h"

namespace mss::radio {

namespace {

constexpr std::size_t kPatternWidth = 6;
constexpr std::size_t kNameWidth = 30;

using suite::PrefixRecord;

// The ADIF number of a primary prefix: from cty.csv, else the entity table
// (which writes some prefixes without "/": KH8/S is KH8S there).
int DxccCodeOf(const std::string& primary, const std::map<std::string, int>& codes) {
    if (const auto it = codes.find(primary); it != codes.end()) return it->second;
    if (const int code = DxccTableCode(primary)) return code;
    std::string joined = primary;
    std::erase(joined, '/');
    return DxccTableCode(joined);
}

// The DXCC prefix of every entity, by ADIF number, for the WAE-only
// entities (Sicily counts for Italy).
std::map<int, std::string> DxccPrefixes(const CtyFile& file,
                                        const std::map<std::string, int>& codes) {
    std::map<int, std::string> prefixes;
    for (const CtyEntity& entity : file.entities)
        if (!entity.waeOnly)
            if (const int code = DxccCodeOf(entity.primaryPrefix, codes))
                prefixes.emplace(code, entity.primaryPrefix);
    return prefixes;
}

PrefixRecord RecordOf(const CtyEntity& entity, const CtyPrefix& prefix,
                      const std::string& dxccPrefix, int code) {
    PrefixRecord record;
    record.SetPattern(prefix.text);
    record.SetDxccPrefix(dxccPrefix);
    record.SetCqZone(std::to_string(prefix.cqZone ? prefix.cqZone : entity.cqZone));
    record.SetItuZone(std::to_string(prefix.ituZone ? prefix.ituZone : entity.ituZone));
    record.SetContinentCode(prefix.continent.empty() ? entity.continent : prefix.continent);
    record.SetCountryName(platform::Utf8ToCp1252(entity.name).substr(0, kNameWidth));
    record.SetDxccCode(static_cast<std::int16_t>(code));
    return record;
}

// The prefixes an entity stores: its list, and its primary prefix when the
// list does not name it (Conway Reef lists exact calls only).
std::vector<CtyPrefix> PrefixesOf(const CtyEntity& entity) {
    std::vector<CtyPrefix> list = entity.prefixes;
    const bool listed = std::ranges::any_of(
        list, [&](const CtyPrefix& p) { return !p.exactCall && p.text == entity.primaryPrefix; });
    if (!entity.waeOnly && !listed) {
        CtyPrefix primary;
        primary.text = entity.primaryPrefix;
        list.push_back(primary);
    }
    return list;
}

class Importer {
  public:
    Importer(store::TFileblockObject& prefixes, store::TFileblockObject* exceptions,
             CtyImportResult& result)
        : prefixes_(prefixes), exceptions_(exceptions), result_(result) {}

    // False when the store failed.
    bool ImportEntity(const CtyEntity& entity, const std::string& dxccPrefix, int code) {
        for (const CtyPrefix& prefix : PrefixesOf(entity)) {
            store::TFileblockObject* table = prefix.exactCall ? exceptions_ : &prefixes_;
            if (table == nullptr) continue;
            if (prefix.text.size() > kPatternWidth) {
                ++result_.skipped;
                continue;
            }
            int& added = prefix.exactCall ? result_.exactCalls : result_.prefixes;
            if (!Add(*table, RecordOf(entity, prefix, dxccPrefix, code), added)) return false;
        }
        ++result_.entities;
        return true;
    }

  private:
    // A duplicate in a unique index (level 1) is only skipped.
    bool Add(store::TFileblockObject& table, const PrefixRecord& record, int& added) {
        if (table.ClearRecord() != 0) return false;
        std::ranges::copy(record.bytes(), table.RecordBuffer().begin());
        const int level = table.Add();
        if (level == 0) ++added;
        if (level == 1) ++result_.skipped;
        if (level > 1) result_.level = level;
        return level <= 1;
    }

    store::TFileblockObject& prefixes_;
    store::TFileblockObject* exceptions_;
    CtyImportResult& result_;
};

}  // namespace

CtyImportResult ImportCty(std::istream& ctyDat, const std::map<std::string, int>& codes,
                          const CtyProgress& progress) {
    CtyImportResult result;
    const CtyFile file = ReadCty(ctyDat);
    result.skipped = file.skipped;
    const suite::SuiteFileUse prefixUse(suite::SuiteFile::QVPREFIX);
    const suite::SuiteFileUse exceptionUse(suite::SuiteFile::QVPREFEE);
    if (prefixUse.get() == nullptr) {
        result.level = store::ErrorLevel();
        return result;
    }
    // Exact calls only go into an exception table nobody has filled yet.
    store::TFileblockObject* exceptions = exceptionUse.get();
    if (exceptions != nullptr && exceptions->RecordCount() != 0) exceptions = nullptr;
    Importer importer(*prefixUse.get(), exceptions, result);
    std::int64_t records = 0;
    for (const CtyEntity& entity : file.entities) records += std::ssize(entity.prefixes) + 1;
    const store::ScopedPageBuffers bulkCache(store::BulkPageBuffersFor(
        static_cast<int>(suite::DefinitionOf(suite::SuiteFile::QVPREFIX).keys.size()), records));
    const std::map<int, std::string> dxccPrefixes = DxccPrefixes(file, codes);

    const int total = static_cast<int>(file.entities.size());
    int done = 0;
    for (const CtyEntity& entity : file.entities) {
        if (progress) progress(done++, total);
        const int code = DxccCodeOf(entity.primaryPrefix, codes);
        std::string dxccPrefix = entity.primaryPrefix;
        if (entity.waeOnly) {
            const auto parent = dxccPrefixes.find(code);
            dxccPrefix = parent == dxccPrefixes.end() ? std::string() : parent->second;
        }
        if (dxccPrefix.empty() || dxccPrefix.size() > kPatternWidth) {
            ++result.skipped;
            continue;
        }
        if (!importer.ImportEntity(entity, dxccPrefix, code)) break;
    }
    return result;
}

bool ImportCtyIfEmpty(const std::string& ctyDatPath, CtyImportResult& result,
                      const CtyProgress& progress) {
    result = {};
    const suite::SuiteFileUse use(suite::SuiteFile::QVPREFIX);
    if (use.get() == nullptr || use.get()->RecordCount() != 0) return false;
    std::ifstream ctyDat(ctyDatPath);
    if (!ctyDat) return false;
    std::map<std::string, int> codes;
    std::ifstream ctyCsv(std::filesystem::path(ctyDatPath).replace_filename("cty.csv"));
    if (ctyCsv) codes = ReadCtyCsvCodes(ctyCsv);
    result = ImportCty(ctyDat, codes, progress);
    return result.level == 0;
}

}  // namespace mss::radio
