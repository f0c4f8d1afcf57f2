#include "output/Outputs.h"

#include "output/BandList.h"
#include "output/QsoList.h"
#include "output/SummarySheet.h"

namespace mss::output {

namespace {

WriteStatus WriteList(OutputKind kind, TextTarget& file, const OutputJob& job) {
    const bool bare = kind == OutputKind::Csv || kind == OutputKind::Edi;
    ListOutput out(file, bare ? LinePrefix::None : LinePrefix::FiveBlanks);
    return WriteQsoList(kind, out, job);
}

WriteStatus WriteContent(FileOutput kind, TextTarget& file, const OutputJob& job) {
    ListOutput elog(file, LinePrefix::FiveBlanks);
    switch (kind) {
        case FileOutput::ElogCover:
            return WriteSummarySheet(elog, job);
        case FileOutput::ElogQsoList:
            return WriteList(OutputKind::ElogList, file, job);
        case FileOutput::Adif:
            return WriteList(OutputKind::Adif, file, job);
        case FileOutput::Csv:
            return WriteList(OutputKind::Csv, file, job);
        case FileOutput::ElogBandList:
            return WriteBandList(elog, job);
        case FileOutput::ElogMultList:
            return WriteMultiplierCheckList(elog, job);
        case FileOutput::ElogTotal:
            if (WriteStatus s = WriteSummarySheet(elog, job); !s.Ok()) return s;
            // Contest 'i' sends the band list in place of the QSO list.
            if (job.entry.Code() == 'i') return WriteBandList(elog, job);
            return WriteQsoList(OutputKind::ElogList, elog, job);
        case FileOutput::Stf:
            return WriteList(OutputKind::Stf, file, job);
        case FileOutput::Edi:
            return WriteList(OutputKind::Edi, file, job);
        case FileOutput::Cabrillo:
            return WriteList(OutputKind::Cabrillo, file, job);
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
    ListOutput out(canvas, layout);
    switch (kind) {
        case PaperOutput::Cover:
            return WriteSummarySheet(out, job);
        case PaperOutput::MultList:
            return WriteMultiplierCheckList(out, job);
        case PaperOutput::BandList:
            return WriteBandList(out, job);
        case PaperOutput::QsoList:
            return WriteQsoList(OutputKind::PrintedList, out, job);
    }
    return {kKindNotWritten};
}

}  // namespace mss::output
