// Random operations on four indexes (unique and with duplicates, short and
// 50-byte keys) checked step by step against an ordered-set model, with the
// tree invariants checked from the file after every batch.
#include <filesystem>
#include <optional>
#include <random>
#include <set>

#include "StoreTestSupport.h"

namespace mss::store::test {
namespace {

using Entry = std::pair<std::string, RecordRef>;
constexpr RecordRef kMaxRef = 50000;

struct ModelKey {
    int keyLen;
    bool dups;
    std::set<Entry> entries;  // std::string orders bytes as unsigned, shorter first
    std::optional<Entry> cursor;

    // Entries are equal on the key alone where duplicates are not allowed.
    std::set<Entry>::iterator Find(const Entry& e) {
        if (dups) return entries.find(e);
        auto it = entries.lower_bound({e.first, INT32_MIN});
        return it != entries.end() && it->first == e.first ? it : entries.end();
    }
    std::set<Entry>::iterator After(const Entry& e) {
        return dups ? entries.upper_bound(e) : entries.upper_bound({e.first, INT32_MAX});
    }
    std::optional<Entry> Before(const Entry& e) {
        auto it = dups ? entries.lower_bound(e) : entries.lower_bound({e.first, INT32_MIN});
        if (it == entries.begin()) return std::nullopt;
        return *std::prev(it);
    }
};

class IndexModelTest : public StoreTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        const int buffers = GetParam() % 2 == 0 ? 160 : 8;  // also under heavy eviction
        RestartEngine(nullptr, buffers);
        model_ = {{5, false, {}, {}}, {5, true, {}, {}}, {50, false, {}, {}}, {50, true, {}, {}}};
        std::vector<KeyDefinition> keys;
        for (const ModelKey& m : model_) keys.push_back({m.keyLen, m.dups});
        ASSERT_EQ(CreateFileblock(Base("M"), 64, keys), kOk);
        // Every entry must name a slot of the data file: give it empty ones
        // (a sparse file, which costs nothing to commit).
        std::vector<std::uint8_t> data = ReadFileBytes(PathOf("M.DAT"));
        PutInt32At(data, 8, kMaxRef);
        WriteFileBytes(PathOf("M.DAT"), data);
        std::filesystem::resize_file(PathOf("M.DAT"), (kMaxRef + 1) * 64);
        ASSERT_EQ(OpenFileblock(Base("M"), false, fb_), kOk);
        rng_.seed(static_cast<unsigned>(GetParam()) * 7919u + 1u);
    }

    std::string RandomKey(int keyLen) {
        static const std::string alphabet(
            "\x00\x01"
            "AB\x7F\x80\xFF",
            7);
        std::string key;
        if (keyLen == 5) {
            const int len = 1 + static_cast<int>(rng_() % 5);
            for (int i = 0; i < len; ++i)
                key.push_back(i < 2 ? alphabet[rng_() % alphabet.size()]
                                    : static_cast<char>('0' + rng_() % 10));
        } else {
            const int shared = static_cast<int>(rng_() % 45);  // long common prefixes
            key.assign(static_cast<std::size_t>(shared), 'P');
            const int len = shared + 1 + static_cast<int>(rng_() % (50 - shared));
            while (static_cast<int>(key.size()) < len)
                key.push_back(
                    static_cast<char>(rng_() % 4 == 0 ? alphabet[rng_() % 7] : 'a' + rng_() % 26));
        }
        return key;
    }

    // An existing entry from anywhere in the index half of the time, else a new one.
    Entry PickEntry(ModelKey& m) {
        if (!m.entries.empty() && rng_() % 2 == 0) {
            auto it = m.entries.lower_bound({RandomKey(m.keyLen), 0});
            return it == m.entries.end() ? *m.entries.begin() : *it;
        }
        return {RandomKey(m.keyLen), static_cast<RecordRef>(1 + rng_() % kMaxRef)};
    }

    void ExpectStep(ModelKey& m, int k, bool forward) {
        KeyEntry entry;
        if (m.cursor) entry = {m.cursor->second, m.cursor->first};
        std::optional<Entry> expected;
        if (forward) {
            auto it = m.cursor ? m.After(*m.cursor) : m.entries.begin();
            if (it != m.entries.end()) expected = *it;
        } else if (m.cursor) {
            expected = m.Before(*m.cursor);
        } else if (!m.entries.empty()) {
            expected = *m.entries.rbegin();
        }
        EngineCode code = forward ? NextKey(fb_, k, entry) : PrevKey(fb_, k, entry);
        if (expected) {
            ASSERT_EQ(code, kOk);
            ASSERT_EQ(entry, (KeyEntry{expected->second, expected->first}));
        } else {
            ASSERT_EQ(code, forward ? kEndOfIndex : kBeginningOfIndex);
        }
        m.cursor = expected;
    }

    void RandomOperation(int addWeight) {
        const int k = 1 + static_cast<int>(rng_() % model_.size());
        ModelKey& m = model_[static_cast<std::size_t>(k - 1)];
        const int op = static_cast<int>(rng_() % 100);
        const int burst = 1 + static_cast<int>(rng_() % 8);
        if (op < addWeight) {
            for (int n = 0; n < burst; ++n) {
                Entry e = rng_() % 4 == 0 ? PickEntry(m) : Entry{RandomKey(m.keyLen), 0};
                if (e.second == 0 || rng_() % 2)
                    e.second = static_cast<RecordRef>(1 + rng_() % kMaxRef);
                const bool present = m.Find(e) != m.entries.end();
                ASSERT_EQ(AddKey(fb_, k, e.second, e.first), present ? kEntryExists : kOk);
                if (!present) m.entries.insert(e);
            }
        } else if (op < 60) {
            for (int n = 0; n < burst; ++n) {
                Entry e = PickEntry(m);
                auto it = m.Find(e);
                ASSERT_EQ(DeleteKey(fb_, k, e.second, e.first),
                          it == m.entries.end() ? kEntryNotFound : kOk);
                if (it != m.entries.end()) m.entries.erase(it);
            }
        } else if (op < 68) {
            const Entry e = PickEntry(m);
            RecordRef ref = 0;
            auto it = m.entries.lower_bound({e.first, INT32_MIN});
            const bool present = it != m.entries.end() && it->first == e.first;
            ASSERT_EQ(FindKey(fb_, k, e.first, ref), present ? kOk : kKeyNotFound);
            if (present) {
                EXPECT_EQ(ref, it->second);
            } else {
                ASSERT_EQ(ClearKey(fb_, k), kOk);
            }
            m.cursor = present ? std::optional<Entry>(*it) : std::nullopt;
        } else if (op < 74) {
            const Entry e = PickEntry(m);
            KeyEntry found;
            auto it = m.entries.lower_bound({e.first, INT32_MIN});
            ASSERT_EQ(SearchKey(fb_, k, e.first, found),
                      it == m.entries.end() ? kNoKeyNotBelow : kOk);
            if (it != m.entries.end()) {
                EXPECT_EQ(found, (KeyEntry{it->second, it->first}));
            }
            m.cursor = it != m.entries.end() ? std::optional<Entry>(*it) : std::nullopt;
        } else if (op < 80) {
            const Entry e = PickEntry(m);
            const int direction = static_cast<int>(rng_() % 3) - 1;
            KeyEntry found;
            EngineCode code = FindKeyAndRef(fb_, k, e.first, e.second, direction, found);
            auto it = m.Find(e);
            std::optional<Entry> expected;
            EngineCode expectedCode = kOk;
            if (it != m.entries.end()) {
                expected = *it;
            } else if (direction > 0) {
                auto next = m.After(e);
                if (next != m.entries.end()) {
                    expected = *next;
                } else {
                    expectedCode = kEndOfIndex;
                }
            } else {
                expected = m.Before(e);
                if (direction == 0) {
                    expectedCode = kExactEntryNotFound;
                } else if (!expected) {
                    expectedCode = kBeginningOfIndex;
                }
            }
            ASSERT_EQ(code, expectedCode);
            if (!code) {
                EXPECT_EQ(found, (KeyEntry{expected->second, expected->first}));
            }
            m.cursor = expected;  // after 10270 the position is the greatest entry below
        } else if (op < 88) {
            for (int n = static_cast<int>(rng_() % 5); n >= 0; --n) ExpectStep(m, k, true);
        } else if (op < 96) {
            for (int n = static_cast<int>(rng_() % 5); n >= 0; --n) ExpectStep(m, k, false);
        } else if (op < 98) {
            const Entry e = PickEntry(m);
            bool exists = false;
            const RecordRef ref = rng_() % 2 ? 0 : e.second;
            ASSERT_EQ(KeyExists(fb_, k, ref, e.first, exists), kOk);
            auto first = m.entries.lower_bound({e.first, INT32_MIN});
            const bool anyWithKey = first != m.entries.end() && first->first == e.first;
            EXPECT_EQ(exists, ref == 0 || !m.dups ? anyWithKey : m.entries.contains(e));
        } else {
            ASSERT_EQ(ClearKey(fb_, k), kOk);
            m.cursor.reset();
        }
    }

    void CheckAllTrees() {
        ASSERT_EQ(FlushFileblock(fb_), kOk);
        std::vector<int> lens;
        for (const ModelKey& m : model_) lens.push_back(m.keyLen);
        for (int k = 1; k <= static_cast<int>(model_.size()); ++k) {
            const ModelKey& m = model_[static_cast<std::size_t>(k - 1)];
            TreeReport report = CheckTree(PathOf("M.IX"), lens, k);
            ASSERT_FALSE(HasFailure()) << "key " << k;
            std::vector<KeyEntry> expected;
            for (const Entry& e : m.entries) expected.push_back({e.second, e.first});
            ASSERT_EQ(report.entries, expected) << "key " << k;
            std::int32_t count = -1;
            ASSERT_EQ(CountKeys(fb_, k, count), kOk);
            EXPECT_EQ(count, static_cast<std::int32_t>(m.entries.size()));
        }
    }

    std::vector<ModelKey> model_;
    std::mt19937 rng_;
    Fileblock fb_;
};

TEST_P(IndexModelTest, RandomOperationsMatchTheModelAndKeepTheTreeValid) {
    int maxDepthSeen = 0;
    // Grow, then shrink to nothing, across close and reopen.
    for (int batch = 0; batch < 24; ++batch) {
        const int addWeight = batch < 14 ? 56 : (batch < 18 ? 40 : 10);
        for (int i = 0; i < 700; ++i) {
            RandomOperation(addWeight);
            if (HasFatalFailure()) FAIL() << "batch " << batch << " op " << i;
        }
        CheckAllTrees();
        if (HasFatalFailure()) return;
        maxDepthSeen = std::max(maxDepthSeen, CheckTree(PathOf("M.IX"), {5, 5, 50, 50}, 3).depth);
        if (batch % 4 == 3) {
            ASSERT_EQ(CloseFileblock(fb_), kOk);
            ASSERT_EQ(OpenFileblock(Base("M"), false, fb_), kOk);
            for (ModelKey& m : model_) m.cursor.reset();
        }
    }
    // Empty every index and check that all pages went back to the free chains.
    for (int k = 1; k <= 4; ++k) {
        ModelKey& m = model_[static_cast<std::size_t>(k - 1)];
        for (const Entry& e : m.entries) ASSERT_EQ(DeleteKey(fb_, k, e.second, e.first), kOk);
        m.entries.clear();
    }
    CheckAllTrees();
    for (int k = 1; k <= 4; ++k) {
        TreeReport report = CheckTree(PathOf("M.IX"), {5, 5, 50, 50}, k);
        EXPECT_EQ(report.root, 0);
        EXPECT_EQ(report.freeCount, report.pageCount);
    }
    EXPECT_GE(maxDepthSeen, 3);
}

INSTANTIATE_TEST_SUITE_P(Seeds, IndexModelTest, ::testing::Values(1, 2, 3, 4));

// Sequential inserts grow the tree to three levels; every page stays half full.
TEST_F(StoreTest, AscendingAndDescendingInsertsKeepPagesHalfFull) {
    const KeyDefinition keys[] = {{5, false}, {5, true}};
    ASSERT_EQ(CreateFileblock(Base("S"), 30, keys), kOk);
    Fileblock fb;
    ASSERT_EQ(OpenFileblock(Base("S"), false, fb), kOk);
    for (int i = 0; i < 12000; ++i) {
        ASSERT_EQ(AddKey(fb, 1, i + 1, IntToKey(i)), kOk);
        ASSERT_EQ(AddKey(fb, 2, 12000 - i, IntToKey(-i)), kOk);
    }
    ASSERT_EQ(CloseFileblock(fb), kOk);
    for (int k = 1; k <= 2; ++k) {
        TreeReport report = CheckTree(PathOf("S.IX"), {5, 5}, k);
        EXPECT_EQ(report.entryCount, 12000);
        EXPECT_EQ(report.depth, 3);
        EXPECT_EQ(KeyToInt(report.entries.front().key), k == 1 ? 0 : -11999);
    }
}

}  // namespace
}  // namespace mss::store::test
