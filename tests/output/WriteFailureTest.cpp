// Write failures: a target that takes only so many bytes, a full disk, a
// disk that cannot sync. Every one of them is reported, never a success.
#include <cerrno>

#include "output/OutputTestSupport.h"
#include "output/Outputs.h"
#include "platform/FaultInjectingFileSystem.h"
#include "platform/PosixFileSystem.h"

namespace mss::output::test {
namespace {

// Takes `budget` bytes, then cuts the write short with ENOSPC.
class FailingTarget : public TextTarget {
  public:
    explicit FailingTarget(std::size_t budget) : budget_(budget) {}
    WriteStatus Write(std::string_view bytes) override {
        const std::size_t n = std::min(bytes.size(), budget_);
        budget_ -= n;
        written_ += n;
        return {n < bytes.size() ? ENOSPC : 0};
    }
    WriteStatus Close() override {
        ++closes_;
        return {};
    }
    int closes() const { return closes_; }

  private:
    std::size_t budget_;
    std::size_t written_ = 0;
    int closes_ = 0;
};

constexpr FileOutput kFileOutputs[] = {
    FileOutput::ElogCover, FileOutput::ElogQsoList, FileOutput::ElogBandList, FileOutput::ElogTotal,
    FileOutput::Csv,       FileOutput::Adif,        FileOutput::ElogMultList,
};

class WriteFailureTest : public OutputTest {
  protected:
    void SetUp() override {
        OutputTest::SetUp();
        FillSprintLog();
    }
    std::string Full(FileOutput kind) {
        messages_.SetNextAnswers({true});
        StringTextTarget file;
        EXPECT_TRUE(WriteOutputFile(kind, file, Job()).Ok());
        return file.text();
    }
};

TEST_F(WriteFailureTest, TargetThatStopsAfterAnyNumberOfBytesGivesAFailure) {
    for (const FileOutput kind : kFileOutputs) {
        const std::size_t size = Full(kind).size();
        ASSERT_GT(size, 0u);
        for (std::size_t budget = 0; budget <= size; budget += budget + 7 < size ? 7 : 1) {
            messages_.SetNextAnswers({true});
            FailingTarget target(budget);
            const WriteStatus status = WriteOutputFile(kind, target, Job());
            if (budget < size) {
                EXPECT_EQ(status.error, ENOSPC) << static_cast<int>(kind) << " after " << budget;
            } else {
                EXPECT_TRUE(status.Ok()) << static_cast<int>(kind);
            }
            EXPECT_EQ(target.closes(), 1) << "the file is closed also after a failure";
        }
    }
}

TEST_F(WriteFailureTest, FileOnDiskHoldsExactlyTheBytesWritten) {
    auto fs = std::make_shared<platform::FaultInjectingFileSystem>(platform::DefaultFileSystem());
    for (const FileOutput kind : kFileOutputs) {
        const std::string path = dir_.RunDir() + "out.txt";
        std::unique_ptr<TextTarget> file;
        ASSERT_TRUE(CreateTextFile(*fs, path, file).Ok());
        messages_.SetNextAnswers({true});
        ASSERT_TRUE(WriteOutputFile(kind, *file, Job()).Ok());
        file.reset();
        EXPECT_EQ(ReadBytes(path), Full(kind)) << static_cast<int>(kind);
    }
}

TEST_F(WriteFailureTest, FullDiskAndFailedSyncAreReported) {
    const struct {
        const char* what;
        std::function<void(platform::FaultInjectingFileSystem&)> fault;
        int error;
    } kFaults[] = {
        {"disk full at once", [](auto& fs) { fs.FailWritesAfter(0); }, ENOSPC},
        {"disk full in the middle", [](auto& fs) { fs.FailWritesAfter(500); }, ENOSPC},
        {"sync fails", [](auto& fs) { fs.FailSyncs(true); }, EIO},
    };
    for (const auto& f : kFaults) {
        auto fs =
            std::make_shared<platform::FaultInjectingFileSystem>(platform::DefaultFileSystem());
        std::unique_ptr<TextTarget> file;
        ASSERT_TRUE(CreateTextFile(*fs, dir_.RunDir() + "full.TXT", file).Ok());
        f.fault(*fs);
        EXPECT_EQ(WriteOutputFile(FileOutput::ElogTotal, *file, Job()).error, f.error) << f.what;
    }
}

TEST_F(WriteFailureTest, KindsWithoutAWriterAreNotReportedAsWritten) {
    for (const FileOutput kind : {FileOutput::Cabrillo}) {
        StringTextTarget file;
        EXPECT_EQ(WriteOutputFile(kind, file, Job()).error, kKindNotWritten);
        EXPECT_EQ(file.text(), "");
    }
}

}  // namespace
}  // namespace mss::output::test
