// The one-line entry field of the forms: a standard line edit that also
// exchanges a typed value (text, integer, character or number) with the
// application and shows numbers with a picture mask.
#pragma once

#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <optional>

#include "ui/KxValue.h"

namespace mss::ui {

class TkxEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString PictureMask READ PictureMask WRITE SetPictureMask)
    Q_PROPERTY(int Tag2 READ Tag2 WRITE SetTag2)

  public:
    explicit TkxEdit(QWidget* parent = nullptr);

    kxeditdatatype DataType() const { return dataType_; }
    void SetDataType(kxeditdatatype type) { dataType_ = type; }

    // Up to 255 characters; every "9" is stored as "#". Applies from the
    // next SetValue. An empty mask shows every number as an empty text.
    const QString& PictureMask() const { return pictureMask_; }
    void SetPictureMask(const QString& mask);

    std::int32_t Tag2() const { return tag2_; }
    void SetTag2(std::int32_t tag) { tag2_ = tag; }

    // Shows `value`, first converted to the storage of DataType(): strings
    // and characters as they are, numbers with the picture mask, trimmed.
    // For dtDouble and dtExtended a value equal to the last one set or read
    // leaves the text alone, so what the operator typed stays as typed.
    void SetValue(const KxValue& value);

    // The text read into the storage of DataType(); text that is no value
    // of the type gives 0 (#0 for dtChar).
    KxValue GetValue();

    // The same, converted into the caller's variable.
    template <class T>
    void GetValue(T& value) {
        value = std::get<T>(ConvertValue(GetValue(), DataTypeOf<T>()));
    }

  private:
    QString FormattedNumber(const KxValue& storage) const;

    kxeditdatatype dataType_ = dtString;
    QString pictureMask_;
    std::int32_t tag2_ = 0;
    // The last dtDouble or dtExtended value set or read.
    std::optional<long double> lastValue_;
};

}  // namespace mss::ui
