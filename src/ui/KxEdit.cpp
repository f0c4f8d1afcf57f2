#include "ui/KxEdit.h"

#include <type_traits>

#include "radio/FormatPicture.h"

namespace mss::ui {

namespace {
constexpr int kMaxMaskLength = 255;
}

TkxEdit::TkxEdit(QWidget* parent) : QLineEdit(parent) {}

void TkxEdit::SetPictureMask(const QString& mask) {
    pictureMask_ = mask.left(kMaxMaskLength);
    pictureMask_.replace(u'9', u'#');
}

QString TkxEdit::FormattedNumber(const KxValue& storage) const {
    // The mask's picture characters are ASCII, so formatting the UTF-8 bytes
    // leaves any other character of the mask intact.
    const std::string picture = pictureMask_.toStdString();
    const std::string text = std::visit(
        [&picture](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_integral_v<T>)
                return radio::FormatPicture(picture, v);
            else if constexpr (std::is_floating_point_v<T>)
                return radio::FormatPicture(picture, static_cast<double>(v));
            else
                return {};
        },
        storage);
    return QString::fromStdString(text).trimmed();
}

void TkxEdit::SetValue(const KxValue& value) {
    const KxValue storage = ConvertValue(value, dataType_);
    switch (dataType_) {
        case dtString:
        case dtChar:
            setText(std::get<QString>(ConvertValue(storage, dtString)));
            return;
        case dtInteger:
        case dtWord:
        case dtByte:
        case dtLongint:
        case dtReal:
        case dtSingle:
            setText(FormattedNumber(storage));
            return;
        case dtDouble:
        case dtExtended: {
            const long double number =
                dataType_ == dtDouble ? std::get<double>(storage) : std::get<long double>(storage);
            if (lastValue_ && *lastValue_ == number) return;
            const QString formatted = FormattedNumber(storage);
            if (dataType_ == dtDouble || formatted != text()) setText(formatted);
            lastValue_ = number;
            return;
        }
    }
}

KxValue TkxEdit::GetValue() {
    KxValue value = ConvertValue(text(), dataType_);
    if (dataType_ == dtDouble) lastValue_ = std::get<double>(value);
    if (dataType_ == dtExtended) lastValue_ = std::get<long double>(value);
    return value;
}

}  // namespace mss::ui
