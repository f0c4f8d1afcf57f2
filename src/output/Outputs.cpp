#include "output/Outputs.h"

#include "output/BandList.h"
#include "output/QsoList.h"
#include "output/SummarySheet.h"

namespace mss::output {

namespace {

WriteStatus WriteTotalFile(TextTarget& file, const OutputJob& job) {
    if (WriteStatus s = WriteSummarySheet(file, job); !s.Ok()) return s;
    if (job.entry.Code() == 'i') return WriteBandList(file, job);
    return WriteQsoList(OutputKind::ElogList, file, job);
}

WriteStatus WriteContent(FileOutput kind, TextTarget& file, const OutputJob& job) {
    switch (kind) {
        case FileOutput::ElogCover:
            return WriteSummarySheet(file, job);
        case FileOutput::ElogQsoList:
            return WriteQsoList(OutputKind::ElogList, file, job);
        case FileOutput::Adif:
            return WriteQsoList(OutputKind::Adif, file, job);
        case FileOutput::Csv:
            return WriteQsoList(OutputKind::Csv, file, job);
        case FileOutput::ElogBandList:
            return WriteBandList(file, job);
        case FileOutput::ElogMultList:
            return WriteMultiplierCheckList(file, job);
        case FileOutput::ElogTotal:
            return WriteTotalFile(file, job);
        case FileOutput::Stf:
            return WriteQsoList(OutputKind::Stf, file, job);
        case FileOutput::Edi:
            return WriteQsoList(OutputKind::Edi, file, job);
        case FileOutput::Cabrillo:
            return WriteQsoList(OutputKind::Cabrillo, file, job);
    }
    return {kKindNotWritten};
}

}  // namespace

WriteStatus WriteOutputFile(FileOutput kind, TextTarget& file, const OutputJob& job) {
    const WriteStatus written = WriteContent(kind, file, job);
    const WriteStatus closed = file.Close();
    return written.Ok() ? closed : written;
}

WriteStatus PrintOutput(PaperOutput kind, platform::Canvas& canvas, PrintLayout layout,
                        const OutputJob& job) {
    switch (kind) {
        case PaperOutput::Cover:
            return PrintSummarySheet(canvas, layout, job);
        case PaperOutput::MultList:
            return PrintMultiplierCheckList(canvas, layout, job);
        case PaperOutput::BandList:
            return PrintBandList(canvas, layout, job);
        case PaperOutput::QsoList:
            return PrintQsoList(canvas, layout, job);
    }
    return {kKindNotWritten};
}

}  // namespace mss::output
