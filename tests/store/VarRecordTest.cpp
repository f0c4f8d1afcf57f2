#include <numeric>

#include "StoreTestSupport.h"

namespace mss::store::test {
namespace {

constexpr std::int32_t L = 40;  // section length

class VarRecordTest : public StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_EQ(CreateFileblock(Base("V"), L, {}), kOk);
        ASSERT_EQ(OpenFileblock(Base("V"), false, fb_), kOk);
    }
    static std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t start) {
        std::vector<std::uint8_t> bytes(n);
        std::iota(bytes.begin(), bytes.end(), start);
        for (std::size_t i = 0; i < 4 && i < n; ++i) bytes[i] = 0;
        return bytes;
    }
    std::vector<std::uint8_t> Get(RecordRef ref, std::size_t capacity = 1000) {
        std::vector<std::uint8_t> out(capacity);
        std::int32_t length = -1;
        EXPECT_EQ(GetVarRecord(fb_, ref, out, length), kOk);
        out.resize(static_cast<std::size_t>(std::max(length, 0)));
        return out;
    }
    std::int32_t Slots() {
        std::int32_t n = 0;
        EXPECT_EQ(CountUsedRecords(fb_, n), kOk);
        return n;
    }
    Fileblock fb_;
};

TEST_F(VarRecordTest, RecordOfSectionLengthMinusSixFitsInOneSection) {
    RecordRef ref = 0;
    const auto record = Bytes(L - 6, 10);
    ASSERT_EQ(AddVarRecord(fb_, record, ref), kOk);
    EXPECT_EQ(Slots(), 1);
    EXPECT_EQ(Get(ref), record);
}

TEST_F(VarRecordTest, OneMoreByteTakesAContinuationAndDeleteFreesBoth) {
    RecordRef ref = 0;
    const auto record = Bytes(L - 5, 10);
    ASSERT_EQ(AddVarRecord(fb_, record, ref), kOk);
    EXPECT_EQ(Slots(), 2);
    EXPECT_EQ(ref, 2);  // the continuation is added first
    ASSERT_EQ(CloseFileblock(fb_), kOk);
    const auto file = ReadFileBytes(PathOf("V.DAT"));
    EXPECT_EQ(file[L * 1], 1);                  // continuation marker
    EXPECT_EQ(file[L * 1 + 1], record.back());  // its one byte
    EXPECT_EQ(file[L * 2 - 6], 1);              // ... counted in its trailer
    EXPECT_EQ(Int32At(file, L * 3 - 4), 1);     // head links to it
    EXPECT_EQ(file[L * 3 - 6], L - 6);
    ASSERT_EQ(OpenFileblock(Base("V"), false, fb_), kOk);
    EXPECT_EQ(Get(ref), record);
    ASSERT_EQ(DeleteVarRecord(fb_, ref), kOk);
    EXPECT_EQ(Slots(), 0);
}

TEST_F(VarRecordTest, LongRecordsRoundTripAndRespectTheCapacity) {
    RecordRef a = 0;
    RecordRef b = 0;
    const auto big = Bytes(500, 1);
    ASSERT_EQ(AddVarRecord(fb_, big, a), kOk);
    ASSERT_EQ(AddVarRecord(fb_, Bytes(77, 3), b), kOk);
    EXPECT_EQ(Get(a), big);
    EXPECT_EQ(Get(b), Bytes(77, 3));
    const auto cut = Get(a, 100);
    EXPECT_EQ(cut, std::vector<std::uint8_t>(big.begin(), big.begin() + 100));
}

TEST_F(VarRecordTest, PutKeepsTheReferenceAndReusesSlots) {
    RecordRef ref = 0;
    ASSERT_EQ(AddVarRecord(fb_, Bytes(300, 1), ref), kOk);
    const std::int32_t before = Slots();
    ASSERT_EQ(PutVarRecord(fb_, ref, Bytes(20, 9)), kOk);
    EXPECT_EQ(Get(ref), Bytes(20, 9));
    EXPECT_EQ(Slots(), 1);
    ASSERT_EQ(PutVarRecord(fb_, ref, Bytes(300, 5)), kOk);
    EXPECT_EQ(Get(ref), Bytes(300, 5));
    EXPECT_EQ(Slots(), before);
    std::int32_t slots = 0;
    ASSERT_EQ(CountSlots(fb_, slots), kOk);
    EXPECT_EQ(slots, before + 1);  // the freed sections were reused
}

TEST_F(VarRecordTest, DamagedChainIsAnErrorNotALoop) {
    RecordRef ref = 0;
    ASSERT_EQ(AddVarRecord(fb_, Bytes(200, 1), ref), kOk);
    ASSERT_EQ(CloseFileblock(fb_), kOk);
    auto file = ReadFileBytes(PathOf("V.DAT"));
    // Make the first continuation point at itself.
    const std::int32_t first = Int32At(file, static_cast<std::size_t>(ref + 1) * L - 4);
    PutInt32At(file, static_cast<std::size_t>(first + 1) * L - 4, first);
    WriteFileBytes(PathOf("V.DAT"), file);
    ASSERT_EQ(OpenFileblock(Base("V"), false, fb_), kOk);
    std::vector<std::uint8_t> out(100000);
    std::int32_t length = 0;
    EXPECT_EQ(GetVarRecord(fb_, ref, out, length), kShortRead);
    EXPECT_EQ(DeleteVarRecord(fb_, ref), kShortRead);
    // A link outside the file.
    PutInt32At(file, static_cast<std::size_t>(first + 1) * L - 4, 1000);
    ASSERT_EQ(CloseFileblock(fb_), kOk);
    WriteFileBytes(PathOf("V.DAT"), file);
    ASSERT_EQ(OpenFileblock(Base("V"), false, fb_), kOk);
    EXPECT_EQ(GetVarRecord(fb_, ref, out, length), kShortRead);
}

}  // namespace
}  // namespace mss::store::test
