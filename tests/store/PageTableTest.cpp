// The page table must find every page the cache holds and nothing else,
// through any order of inserts and erases: a lost entry makes the cache
// read a second copy of a page, and two copies of one page corrupt the index.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <random>
#include <tuple>

#include "store/PageTable.h"

namespace mss::store {
namespace {

using Model = std::map<std::tuple<std::uint32_t, int, std::int32_t>, int>;

PageOwner OwnerOf(const Model::key_type& k) {
    return {std::get<0>(k), std::get<1>(k), std::get<2>(k)};
}

struct Shape {
    const char* name;
    std::uint32_t fileblocks;
    int keys;
    std::int32_t pages;  // page numbers 1 .. pages: dense, as a key's are
    int live;            // entries held at most, as a cache of that many buffers
    int reserved;        // what the table is told to expect at first
};

const Shape kShapes[] = {
    {"one key's dense pages, full cache", 1, 1, 4000, 1000, 1000},
    {"many keys, few pages each", 1, 110, 40, 2000, 2000},
    {"several fileblocks", 12, 27, 300, 3000, 3000},
    {"grows from a tiny reservation", 3, 5, 5000, 5000, 1},
    {"long probe runs in a small table", 1, 2, 64, 60, 60},
};

TEST(PageTableTest, AgreesWithAMapThroughRandomInsertsAndErases) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        std::mt19937 rng(7);
        PageTable table;
        table.Reserve(shape.reserved);
        Model model;
        auto randomOwner = [&] {
            return Model::key_type{static_cast<std::uint32_t>(rng() % shape.fileblocks + 1),
                                   static_cast<int>(rng() % shape.keys + 1),
                                   static_cast<std::int32_t>(rng() % shape.pages + 1)};
        };
        for (int step = 0; step < 60000; ++step) {
            const auto k = randomOwner();
            const bool present = model.contains(k);
            ASSERT_EQ(table.Find(OwnerOf(k)), present ? model[k] : -1) << "step " << step;
            if (present && (model.size() >= static_cast<std::size_t>(shape.live) || rng() % 2)) {
                table.Erase(OwnerOf(k));
                model.erase(k);
            } else if (!present && model.size() < static_cast<std::size_t>(shape.live)) {
                table.Insert(OwnerOf(k), step);
                model[k] = step;
            }
        }
        for (const auto& [k, buffer] : model) ASSERT_EQ(table.Find(OwnerOf(k)), buffer);
        // Emptied in random order; erasing must not hide a neighbour that
        // shared its probe run (checked in full once few are left).
        while (!model.empty()) {
            auto it = std::next(model.begin(), static_cast<long>(rng() % model.size()));
            table.Erase(OwnerOf(it->first));
            model.erase(it);
            if (model.size() > 200) continue;
            for (const auto& [rest, b] : model) ASSERT_EQ(table.Find(OwnerOf(rest)), b);
        }
        for (int probe = 0; probe < 1000; ++probe) ASSERT_EQ(table.Find(OwnerOf(randomOwner())), -1);
    }
}

}  // namespace
}  // namespace mss::store
