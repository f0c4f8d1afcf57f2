// Internal to the engine: the process-wide engine state, the in-memory
// descriptor of an open fileblock, and the helpers every operation uses to
// check its arguments, do file I/O and report its result.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/FileFormat.h"
#include "store/Filer.h"
#include "store/PageCache.h"

namespace mss::store::detail {

// Enough for any tree this engine can build: 31 items per page at least.
inline constexpr int kMaxDepth = 8;

struct PathLevel {
    std::int32_t page = 0;
    int index = 0;  // 0 = before the first item, i = at item i
};

struct Path {
    std::array<PathLevel, kMaxDepth> levels{};
    int depth = 0;

    PathLevel& Deepest() { return levels[depth - 1]; }
    // Adds a level; a page met twice or a tree deeper than any real one means
    // the pages form a cycle, which is damage (10070).
    EngineCode Push(std::int32_t page, int index) {
        if (depth == static_cast<int>(levels.size())) return kShortRead;
        for (int i = 0; i < depth; ++i)
            if (levels[i].page == page) return kShortRead;
        levels[depth++] = {page, index};
        return kOk;
    }
};

struct KeyState {
    KeyHeader header;
    int keyLen = 0;
    int pageCap = kPageCapacity;
    std::int64_t slotOffset = 0;
    bool headerDirty = false;
    bool freeChainChecked = false;
    Path path;
    bool pathValid = true;

    bool AllowDups() const { return header.allowDups != 0; }
};

struct FileNames {
    std::string data;
    std::string index;
    std::string journal;
};
FileNames MakeFileNames(std::string_view baseName);
// `name` with its extension (if any) replaced by `extension`.
std::string WithExtension(std::string_view name, std::string_view extension);

struct Descriptor {
    std::uint32_t id = 0;
    FileNames names;
    std::unique_ptr<platform::File> data;
    std::unique_ptr<platform::File> index;
    DataHeader header;
    std::vector<KeyState> keys;  // keys[k - 1] for key number k
    std::int64_t rowSize = 0;
    std::int32_t rowCount = 0;
    bool readOnly = false;
    bool modified = false;     // InUse was written as 1 since the last flush
    bool markDurable = false;  // ... and has been committed
    bool dataUnsynced = false;   // the data file was written since its last commit
    bool indexUnsynced = false;  // the index file was written since its last commit
    bool freeChainChecked = false;
    // An index change failed half-way, or a free chain proved damaged: the
    // file must stay marked in use so that the next open has it rebuilt.
    bool needsRebuild = false;

    KeyState& Key(int k) { return keys[static_cast<std::size_t>(k - 1)]; }
};

struct EngineState {
    bool initialised = false;
    std::shared_ptr<platform::FileSystem> fs;
    std::unique_ptr<PageCache> cache;
    std::map<std::uint32_t, std::unique_ptr<Descriptor>> open;
    std::uint32_t nextId = 1;
    std::vector<std::uint8_t> section;  // buffer of variable-length records
    bool ok = true;
    EngineCode error = kOk;
    EngineDiagnostic diagnostic;
};

EngineState& Engine();

// Starts an operation: clears the error state; checks initialisation.
EngineCode Begin();
// Starts an operation on fb: as Begin, and looks the descriptor up.
EngineCode Begin(Fileblock fb, Descriptor*& d);
// ... which writes (refused on a read-only fileblock).
EngineCode BeginWrite(Fileblock fb, Descriptor*& d);
// ... on key k (1 ... KeyCount).
EngineCode BeginKey(Fileblock fb, int k, Descriptor*& d);
// Ends an operation: records the code in the error state and answers it.
EngineCode Finish(EngineCode code);

// Records an operating-system failure and answers its engine code.
EngineCode OsFailure(FileOp op, int osError, const std::string& path = {});

// Reads or writes exactly data.size() bytes; short transfers are 10070 / 10075.
EngineCode ReadExact(platform::File& file, std::int64_t offset, std::span<std::uint8_t> out);
EngineCode WriteExact(platform::File& file, std::int64_t offset,
                      std::span<const std::uint8_t> data);
EngineCode WriteData(Descriptor& d, std::int64_t offset, std::span<const std::uint8_t> data);
EngineCode WriteIndex(Descriptor& d, std::int64_t offset, std::span<const std::uint8_t> data);
// Extends the index file with zeros to size bytes.
EngineCode GrowIndex(Descriptor& d, std::int64_t size);
EngineCode Sync(platform::File& file);

// Writes InUse = 1 before the first change after an open or a flush.
EngineCode MarkModified(Descriptor& d);
// Writes the data header (with the given InUse byte).
EngineCode WriteDataHeader(Descriptor& d, std::uint8_t inUse);
EngineCode WriteKeyHeaders(Descriptor& d);

}  // namespace mss::store::detail
