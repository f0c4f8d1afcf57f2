#include "store/EngineState.h"

#include <cerrno>

namespace mss::store::detail {
namespace {

bool diagnosticTakenThisCall = false;

std::string DirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string WithExtension(std::string_view name, std::string_view extension) {
    std::size_t slash = name.rfind('/');
    std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
        name = name.substr(0, dot);
    std::string result(name);
    result += '.';
    result += extension;
    return result;
}

FileNames MakeFileNames(std::string_view baseName) {
    std::string_view dataBase = baseName;
    std::string_view indexBase = baseName;
    if (std::size_t semicolon = baseName.find(';'); semicolon != std::string_view::npos) {
        dataBase = baseName.substr(0, semicolon);
        indexBase = baseName.substr(semicolon + 1);
    }
    return {WithExtension(dataBase, "DAT"), WithExtension(indexBase, "IX"),
            WithExtension(dataBase, "DIA")};
}

EngineState& Engine() {
    static EngineState state;
    return state;
}

EngineCode Begin() {
    EngineState& e = Engine();
    e.ok = true;
    e.error = kOk;
    diagnosticTakenThisCall = false;
    return e.initialised ? kOk : kNotInitialised;
}

EngineCode Begin(Fileblock fb, Descriptor*& d) {
    if (EngineCode code = Begin()) return code;
    auto it = Engine().open.find(fb.id);
    if (it == Engine().open.end()) return kNotAFileblock;
    d = it->second.get();
    return kOk;
}

EngineCode BeginWrite(Fileblock fb, Descriptor*& d) {
    if (EngineCode code = Begin(fb, d)) return code;
    return d->readOnly ? kReadOnly : kOk;
}

EngineCode BeginKey(Fileblock fb, int k, Descriptor*& d) {
    if (EngineCode code = Begin(fb, d)) return code;
    return k >= 1 && k <= static_cast<int>(d->keys.size()) ? kOk : kBadKeyNumber;
}

EngineCode Finish(EngineCode code) {
    EngineState& e = Engine();
    e.ok = code == kOk;
    e.error = code;
    return code;
}

EngineCode OsFailure(FileOp op, int osError, const std::string& path) {
    EngineState& e = Engine();
    if (!diagnosticTakenThisCall) {
        e.diagnostic = {osError, op};
        diagnosticTakenThisCall = true;
    }
    bool directoryExists = true;
    if (!path.empty() && osError == ENOENT)
        directoryExists = e.fs->DirectoryExists(DirectoryOf(path));
    return MapOsError(op, osError, directoryExists);
}

EngineCode ReadExact(platform::File& file, std::int64_t offset, std::span<std::uint8_t> out) {
    if (offset < 0) return kShortRead;
    platform::IoResult r = file.ReadAt(offset, out);
    if (!r.Ok()) return OsFailure(FileOp::Read, r.error);
    return r.bytes == out.size() ? kOk : kShortRead;
}

EngineCode WriteExact(platform::File& file, std::int64_t offset,
                      std::span<const std::uint8_t> data) {
    platform::IoResult r = file.WriteAt(offset, data);
    if (!r.Ok()) return OsFailure(FileOp::Write, r.error);
    return r.bytes == data.size() ? kOk : kShortWrite;
}

EngineCode Sync(platform::File& file) {
    int err = file.Sync();
    return err == 0 ? kOk : OsFailure(FileOp::Flush, err);
}

EngineCode WriteData(Descriptor& d, std::int64_t offset, std::span<const std::uint8_t> data) {
    d.dataUnsynced = true;
    return WriteExact(*d.data, offset, data);
}

namespace {

// Index changes may reach the disk only once InUse = 1 is durable: after a
// power loss a half-written index must never look clean.
EngineCode BeforeIndexChange(Descriptor& d) {
    if (d.modified && !d.markDurable) {
        if (EngineCode code = Sync(*d.data)) return code;
        d.markDurable = true;
        d.dataUnsynced = false;
    }
    d.indexUnsynced = true;
    return kOk;
}

}  // namespace

EngineCode WriteIndex(Descriptor& d, std::int64_t offset, std::span<const std::uint8_t> data) {
    if (EngineCode code = BeforeIndexChange(d)) return code;
    return WriteExact(*d.index, offset, data);
}

EngineCode GrowIndex(Descriptor& d, std::int64_t size) {
    if (EngineCode code = BeforeIndexChange(d)) return code;
    // Extending the file gives the zeros without writing them, which keeps a
    // growing index from writing (and syncing) a whole row per new page.
    int err = d.index->Truncate(size);
    return err == 0 ? kOk : OsFailure(FileOp::Write, err);
}

EngineCode MarkModified(Descriptor& d) {
    if (d.modified) return kOk;
    static constexpr std::uint8_t kInUse = 1;
    if (EngineCode code = WriteData(d, 20, std::span(&kInUse, 1))) return code;
    d.modified = true;
    d.markDurable = false;
    return kOk;
}

EngineCode WriteDataHeader(Descriptor& d, std::uint8_t inUse) {
    std::array<std::uint8_t, kDataHeaderSize> bytes{};
    DataHeader header = d.header;
    header.inUse = inUse;
    EncodeDataHeader(header, bytes);
    return WriteData(d, 0, bytes);
}

EngineCode WriteKeyHeaders(Descriptor& d) {
    for (KeyState& key : d.keys) {
        if (!key.headerDirty) continue;
        std::array<std::uint8_t, kKeyHeaderSize> bytes{};
        EncodeKeyHeader(key.header, bytes);
        if (EngineCode code = WriteIndex(d, key.slotOffset, bytes)) return code;
        key.headerDirty = false;
    }
    return kOk;
}

}  // namespace mss::store::detail
