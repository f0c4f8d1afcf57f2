// The result of a writer: 0 when every line, the final flush and the close
// went through, else the first error met (an errno value of the file, or one
// of the codes below). Writers never report success after a failure.
#pragma once

namespace mss::output {

// A printer that refused a new page.
inline constexpr int kPrinterFailed = 10001;
// The contest log could not be read to its end.
inline constexpr int kLogReadFailed = 10002;
// The output kind has no writer in this program.
inline constexpr int kKindNotWritten = 10003;
// The EDI file needs the contest's start and end date.
inline constexpr int kEdiDatesMissing = 10004;
// The operator closed the EDI station dialog without "OK".
inline constexpr int kEdiStationDeclined = 10005;
// The picture of the log could not be encoded or written.
inline constexpr int kPictureFailed = 10006;

struct [[nodiscard]] WriteStatus {
    int error = 0;
    bool Ok() const { return error == 0; }
};

}  // namespace mss::output
