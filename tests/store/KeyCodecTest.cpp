#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "store/EngineError.h"
#include "store/KeyCodec.h"

namespace mss::store {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

TEST(KeyCodecTest, IntegerKeysHaveTheDocumentedBytes) {
    EXPECT_EQ(IntToKey(0), Bytes({0x81, 0x80, 0x80, 0x80, 0x80}));
    EXPECT_EQ(IntToKey(1), Bytes({0x81, 0x80, 0x80, 0x80, 0x81}));
    EXPECT_EQ(IntToKey(-1), Bytes({0x71, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(IntToKey(2147483647), Bytes({0xF1, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(KeyCodecTest, IntegerKeysSortLikeTheIntegersAndDecodeBack) {
    std::mt19937 rng(7);
    std::vector<std::int32_t> values = {INT32_MIN, -2, -1, 0, 1, 2, 127, 128, 99999999, INT32_MAX};
    for (int i = 0; i < 20000; ++i) values.push_back(static_cast<std::int32_t>(rng()));
    for (std::int32_t v : values) {
        std::string key = IntToKey(v);
        ASSERT_EQ(key.size(), 5u);
        EXPECT_EQ(KeyToInt(key), v);
        EXPECT_GE(static_cast<std::uint8_t>(key[0]), 0x01);
        for (int i = 1; i < 5; ++i) EXPECT_GE(static_cast<std::uint8_t>(key[i]), 0x80);
    }
    for (std::size_t i = 1; i < values.size(); ++i) {
        std::int32_t a = values[i - 1];
        std::int32_t b = values[i];
        int c = CompareKeys(IntToKey(a), IntToKey(b));
        EXPECT_EQ(c < 0, a < b) << a << " " << b;
        EXPECT_EQ(c == 0, a == b) << a << " " << b;
    }
}

TEST(KeyCodecTest, KeysCompareUnsignedWithTheShorterFirst) {
    EXPECT_LT(CompareKeys("AB", "ABC"), 0);
    EXPECT_GT(CompareKeys("ABC", "AB"), 0);
    EXPECT_EQ(CompareKeys("AB", "AB"), 0);
    EXPECT_LT(CompareKeys("", "A"), 0);
    EXPECT_GT(CompareKeys(Bytes({0x80}), Bytes({0x7F})), 0);
    EXPECT_GT(CompareKeys(Bytes({0xFF}), Bytes({0x00, 0x00})), 0);
}

TEST(ErrorClassTest, GroupsEngineAndObjectCodes) {
    EXPECT_EQ(ErrorClass(0), 0);
    EXPECT_EQ(ErrorClass(9903), 1);
    EXPECT_EQ(ErrorClass(10200), 1);
    EXPECT_EQ(ErrorClass(10299), 1);
    EXPECT_EQ(ErrorClass(10410), 1);
    for (int code :
         {9900, 10065, 10110, 10306, 10330, 10332, 10335, 10355, 10360, 10390, 10397, 10399})
        EXPECT_EQ(ErrorClass(code), 2) << code;
    EXPECT_EQ(ErrorClass(10001), 3);
    EXPECT_EQ(ErrorClass(10009), 3);
    EXPECT_EQ(ErrorClass(10010), 4);
    EXPECT_EQ(ErrorClass(10070), 4);
    EXPECT_EQ(ErrorClass(10300), 4);
    EXPECT_EQ(ErrorClass(12289), 1);  // 0x3001
    EXPECT_EQ(ErrorClass(16478), 2);  // 0x405E
    EXPECT_EQ(ErrorClass(0x5000), 3);
    EXPECT_EQ(ErrorClass(24591), 4);  // 0x600F
    EXPECT_EQ(ErrorClass(28770), 5);  // 0x7062
    EXPECT_EQ(ErrorClass(0x8000), 99);
    EXPECT_EQ(ErrorClass(0x10000 + 0x3001), 99);
}

TEST(ErrorClassTest, OperatingSystemFailuresMapToEngineCodes) {
    EXPECT_EQ(MapOsError(FileOp::Open, ENOENT, true), kFileNotFound);
    EXPECT_EQ(MapOsError(FileOp::Open, ENOENT, false), kPathNotFound);
    EXPECT_EQ(MapOsError(FileOp::Delete, ENOTDIR), kPathNotFound);
    EXPECT_EQ(MapOsError(FileOp::Open, EMFILE), kTooManyOpenFiles);
    EXPECT_EQ(MapOsError(FileOp::Open, EACCES), kInvalidAccess);
    EXPECT_EQ(MapOsError(FileOp::Read, EBADF), kInvalidHandle);
    EXPECT_EQ(MapOsError(FileOp::Flush, EBADF), kInvalidHandle);
    EXPECT_EQ(MapOsError(FileOp::Write, ENOSPC), kShortWrite);
    EXPECT_EQ(MapOsError(FileOp::Open, EWOULDBLOCK), kOsFailure);
    EXPECT_EQ(MapOsError(FileOp::Read, EIO), kOsFailure);
}

}  // namespace
}  // namespace mss::store
