// Counts SQLite's syncs and the time they take: a VFS that hands every call
// to the default one, registered as the default, so that the bench can show
// how many syncs a commit of each journal setting costs.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <map>

namespace mss::bench {

struct SqliteSyncs {
    long syncs = 0;
    double seconds = 0;
};

inline SqliteSyncs& SqliteSyncCounts() {
    static SqliteSyncs counts;
    return counts;
}

namespace detail {

struct CountedFile {
    sqlite3_file base;   // pMethods: the counting methods
    sqlite3_file* real;  // the default VFS's file, right behind this struct
};

inline sqlite3_vfs*& RealVfs() {
    static sqlite3_vfs* vfs = nullptr;
    return vfs;
}

inline sqlite3_file* Real(sqlite3_file* f) {
    return reinterpret_cast<CountedFile*>(f)->real;
}

inline int CountedSync(sqlite3_file* f, int flags) {
    const auto start = std::chrono::steady_clock::now();
    const int rc = Real(f)->pMethods->xSync(Real(f), flags);
    SqliteSyncCounts().seconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++SqliteSyncCounts().syncs;
    return rc;
}

// The methods of the real file with xSync counted; one table per real table.
inline const sqlite3_io_methods* CountingMethods(const sqlite3_io_methods* real) {
    static std::map<const sqlite3_io_methods*, sqlite3_io_methods> tables;
    auto [it, added] = tables.try_emplace(real, *real);
    sqlite3_io_methods& counting = it->second;
    if (added) {
        // Every other method takes the wrapper; forward them to the real file.
        counting.xClose = [](sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); };
        counting.xRead = [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
            return Real(f)->pMethods->xRead(Real(f), b, n, o);
        };
        counting.xWrite = [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
            return Real(f)->pMethods->xWrite(Real(f), b, n, o);
        };
        counting.xTruncate = [](sqlite3_file* f, sqlite3_int64 s) {
            return Real(f)->pMethods->xTruncate(Real(f), s);
        };
        counting.xSync = CountedSync;
        counting.xFileSize = [](sqlite3_file* f, sqlite3_int64* s) {
            return Real(f)->pMethods->xFileSize(Real(f), s);
        };
        counting.xLock = [](sqlite3_file* f, int l) {
            return Real(f)->pMethods->xLock(Real(f), l);
        };
        counting.xUnlock = [](sqlite3_file* f, int l) {
            return Real(f)->pMethods->xUnlock(Real(f), l);
        };
        counting.xCheckReservedLock = [](sqlite3_file* f, int* r) {
            return Real(f)->pMethods->xCheckReservedLock(Real(f), r);
        };
        counting.xFileControl = [](sqlite3_file* f, int op, void* a) {
            return Real(f)->pMethods->xFileControl(Real(f), op, a);
        };
        counting.xSectorSize = [](sqlite3_file* f) {
            return Real(f)->pMethods->xSectorSize(Real(f));
        };
        counting.xDeviceCharacteristics = [](sqlite3_file* f) {
            return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
        };
        counting.xShmMap = [](sqlite3_file* f, int r, int s, int e, void volatile** p) {
            return Real(f)->pMethods->xShmMap(Real(f), r, s, e, p);
        };
        counting.xShmLock = [](sqlite3_file* f, int o, int n, int fl) {
            return Real(f)->pMethods->xShmLock(Real(f), o, n, fl);
        };
        counting.xShmBarrier = [](sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); };
        counting.xShmUnmap = [](sqlite3_file* f, int d) {
            return Real(f)->pMethods->xShmUnmap(Real(f), d);
        };
        counting.xFetch = [](sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
            return Real(f)->pMethods->xFetch(Real(f), o, n, p);
        };
        counting.xUnfetch = [](sqlite3_file* f, sqlite3_int64 o, void* p) {
            return Real(f)->pMethods->xUnfetch(Real(f), o, p);
        };
    }
    return &counting;
}

inline int CountedOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* out) {
    auto* counted = reinterpret_cast<CountedFile*>(f);
    counted->real = reinterpret_cast<sqlite3_file*>(counted + 1);
    counted->base.pMethods = nullptr;
    const int rc = RealVfs()->xOpen(RealVfs(), name, counted->real, flags, out);
    if (counted->real->pMethods != nullptr)
        counted->base.pMethods = CountingMethods(counted->real->pMethods);
    return rc;
}

}  // namespace detail

// Puts the counting VFS in front of the default one (once).
inline void CountSqliteSyncs() {
    static sqlite3_vfs vfs;
    if (detail::RealVfs() != nullptr) return;
    detail::RealVfs() = sqlite3_vfs_find(nullptr);
    vfs = *detail::RealVfs();
    vfs.zName = "counting";
    vfs.szOsFile = static_cast<int>(sizeof(detail::CountedFile)) + detail::RealVfs()->szOsFile;
    vfs.xOpen = detail::CountedOpen;
    sqlite3_vfs_register(&vfs, 1);
}

}  // namespace mss::bench
