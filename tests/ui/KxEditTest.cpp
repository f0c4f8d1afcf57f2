#include "ui/KxEdit.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>
#include <limits>
#include <string>

#include "common/QtApp.h"

namespace mss::ui {
namespace {

class KxEditTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::QtApp(); }

    // A small form holding one field, as the forms build them.
    TkxEdit& Field(kxeditdatatype type, const QString& mask = {}) {
        auto* layout = new QVBoxLayout(&form_);
        auto* edit = new TkxEdit(&form_);
        edit->setObjectName(QStringLiteral("eWert"));
        edit->SetDataType(type);
        edit->SetPictureMask(mask);
        layout->addWidget(edit);
        return *form_.findChild<TkxEdit*>(QStringLiteral("eWert"));
    }

    // Replaces the field's text by typing, as the operator does.
    static void Type(TkxEdit& edit, const QString& text) {
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Delete);
        QTest::keyClicks(&edit, text);
    }

    QWidget form_;
};

TEST_F(KxEditTest, EveryDataTypeRoundTripsThroughItsText) {
    struct Case {
        kxeditdatatype type;
        const char* mask;
        KxValue value;
        const char* text;
    };
    const Case cases[] = {
        {dtString, "", QStringLiteral("DL1ABC/p Möhne"), "DL1ABC/p Möhne"},
        {dtInteger, "###########", std::int32_t{std::numeric_limits<std::int32_t>::min()},
         "-2147483648"},
        {dtInteger, "#####", std::int32_t{-42}, "-42"},
        {dtWord, "#####", std::uint16_t{65535}, "65535"},
        {dtByte, "@@@", std::uint8_t{7}, "007"},
        {dtChar, "", 'j', "j"},
        {dtChar, "", '\xE4', "ä"},
        {dtLongint, "##########", std::int32_t{2147483647}, "2147483647"},
        {dtReal, "####,##", 1296.25, "1296,25"},
        {dtSingle, "#####,####", 14074.5f, "14074,5000"},
        {dtSingle, "#####,####", -3.5f, "-3,5000"},
        {dtDouble, "#####.###", 10368.125, "10368.125"},
        {dtExtended, "######,#####", 144.30125L, "144,30125"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TkxEdit edit;
        edit.SetDataType(c.type);
        edit.SetPictureMask(QString::fromUtf8(c.mask));
        edit.SetValue(c.value);
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(edit.GetValue(), c.value);
    }
}

TEST_F(KxEditTest, TypedTextIsReadWithEitherDecimalSeparator) {
    TkxEdit& edit = Field(dtSingle, QStringLiteral("#####,####"));
    const std::pair<const char*, float> cases[] = {
        {"3,5", 3.5f},   {"3.5", 3.5f}, {"3,", 3.0f},        {",5", 0.5f},        {"-,5", -0.5f},
        {"-3,5", -3.5f}, {" 7 ", 7.0f}, {"1.234,5", 1.734f}, {"144,300", 144.3f}, {"1e3", 1000.0f},
        {"abc", 0.0f},   {"", 0.0f},    {"3,5,6", 0.0f},     {"3,5a", 0.0f},      {"--1", 0.0f},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        Type(edit, QString::fromUtf8(text));
        float value = -1;
        edit.GetValue(value);
        EXPECT_FLOAT_EQ(value, expected);
    }
}

TEST_F(KxEditTest, TextThatIsNoValueOfTheTypeGivesZero) {
    const QString bad[] = {
        QStringLiteral("abc"),  QStringLiteral("1x"),  QStringLiteral("+"),
        QStringLiteral("1 2"),  QStringLiteral("nan"), QStringLiteral("inf"),
        QStringLiteral("0x1F"), QStringLiteral("1e"),  QStringLiteral("1e99999"),
        QString(6000, u'9'),    QString(300, u','),    QStringLiteral("ÄÖÜ"),
    };
    for (const kxeditdatatype type :
         {dtInteger, dtWord, dtByte, dtLongint, dtReal, dtSingle, dtDouble, dtExtended}) {
        TkxEdit edit;
        edit.SetDataType(type);
        for (const QString& text : bad) {
            SCOPED_TRACE(std::to_string(type) + " " + text.left(20).toStdString());
            edit.setText(text);
            EXPECT_EQ(edit.GetValue(), ConvertValue(std::int32_t{0}, type));
        }
    }
}

TEST_F(KxEditTest, IntegersBeyondTheTypesRangeGiveZeroRatherThanAWrappedNumber) {
    TkxEdit edit;
    edit.SetDataType(dtWord);
    edit.setText(QStringLiteral("70000"));
    EXPECT_EQ(edit.GetValue(), KxValue(std::uint16_t{0}));
    edit.setText(QStringLiteral("-1"));
    EXPECT_EQ(edit.GetValue(), KxValue(std::uint16_t{0}));
    edit.SetDataType(dtByte);
    edit.setText(QStringLiteral(" 255 "));
    EXPECT_EQ(edit.GetValue(), KxValue(std::uint8_t{255}));
    edit.setText(QStringLiteral("256"));
    EXPECT_EQ(edit.GetValue(), KxValue(std::uint8_t{0}));
    edit.SetDataType(dtInteger);
    edit.setText(QStringLiteral("2147483648"));
    EXPECT_EQ(edit.GetValue(), KxValue(std::int32_t{0}));
    edit.setText(QStringLiteral("3.5"));
    EXPECT_EQ(edit.GetValue(), KxValue(std::int32_t{0}));
    edit.SetDataType(dtSingle);
    edit.setText(QStringLiteral("1e300"));
    EXPECT_EQ(edit.GetValue(), KxValue(0.0f));
}

TEST_F(KxEditTest, CharacterFieldsIgnoreBlanksAndShowNoneAsEmpty) {
    TkxEdit& edit = Field(dtChar);
    Type(edit, QStringLiteral("  j  "));
    char flag = '?';
    edit.GetValue(flag);
    EXPECT_EQ(flag, 'j');
    edit.setText(QString(QChar(0)) + QStringLiteral(" n"));
    EXPECT_EQ(edit.GetValue(), KxValue('n'));
    Type(edit, QString());
    EXPECT_EQ(edit.GetValue(), KxValue('\0'));
    edit.SetValue('\0');
    EXPECT_TRUE(edit.text().isEmpty());
    edit.SetValue(QStringLiteral("ja"));  // only the first character is a value of the type
    EXPECT_EQ(edit.text(), QStringLiteral("j"));
}

TEST_F(KxEditTest, PictureMaskStoresNinesAsHashesAndAnEmptyMaskShowsNoNumber) {
    TkxEdit& edit = Field(dtInteger);
    edit.SetPictureMask(QStringLiteral("99,9"));
    EXPECT_EQ(edit.PictureMask(), QStringLiteral("##,#"));
    edit.SetPictureMask(QString(300, u'9'));
    EXPECT_EQ(edit.PictureMask().size(), 255);

    edit.SetPictureMask(QString());
    edit.SetValue(std::int32_t{12});
    EXPECT_TRUE(edit.text().isEmpty());
    edit.SetPictureMask(QStringLiteral("@@@@"));  // applies from the next SetValue
    EXPECT_TRUE(edit.text().isEmpty());
    edit.SetValue(std::int32_t{12});
    EXPECT_EQ(edit.text(), QStringLiteral("0012"));
    edit.SetPictureMask(QStringLiteral("### km"));
    edit.SetValue(std::int32_t{7});
    EXPECT_EQ(edit.text(), QStringLiteral("7 km"));
}

TEST_F(KxEditTest, NumbersOfAnotherStorageAreConvertedToTheFieldsType) {
    TkxEdit& edit = Field(dtSingle, QStringLiteral("#####,####"));
    edit.SetValue(144.3);  // a double into a single field
    EXPECT_EQ(edit.text(), QStringLiteral("144,3000"));
    edit.SetDataType(dtInteger);
    edit.SetPictureMask(QStringLiteral("#####"));
    edit.SetValue(7.6);
    EXPECT_EQ(edit.text(), QStringLiteral("8"));
    double asDouble = 0;
    edit.GetValue(asDouble);
    EXPECT_EQ(asDouble, 8.0);
}

TEST_F(KxEditTest, DoubleFieldKeepsTheTypedTextWhileTheValueIsUnchanged) {
    TkxEdit& edit = Field(dtDouble, QStringLiteral("#,##"));
    edit.SetValue(3.5);
    EXPECT_EQ(edit.text(), QStringLiteral("3,50"));
    Type(edit, QStringLiteral("3.5"));
    EXPECT_EQ(edit.GetValue(), KxValue(3.5));
    edit.SetValue(3.5);
    EXPECT_EQ(edit.text(), QStringLiteral("3.5"));
    edit.SetValue(4.0);
    EXPECT_EQ(edit.text(), QStringLiteral("4,00"));
    // A new value that formats the same still replaces the text.
    Type(edit, QStringLiteral("4"));
    edit.GetValue();
    edit.SetValue(4.001);
    EXPECT_EQ(edit.text(), QStringLiteral("4,00"));
    EXPECT_FALSE(edit.isUndoAvailable());
}

TEST_F(KxEditTest, ExtendedFieldLeavesTheTextAloneWhenTheFormattedTextIsTheSame) {
    TkxEdit& edit = Field(dtExtended, QStringLiteral("#,##"));
    Type(edit, QStringLiteral("4,00"));
    EXPECT_EQ(edit.GetValue(), KxValue(4.0L));
    edit.SetValue(4.001L);
    EXPECT_EQ(edit.text(), QStringLiteral("4,00"));
    EXPECT_TRUE(edit.isUndoAvailable()) << "the text was replaced";
    edit.SetValue(5.0L);
    EXPECT_EQ(edit.text(), QStringLiteral("5,00"));
}

TEST_F(KxEditTest, RealValuesKeepTheRangeAndPrecisionOfTheSixByteReal) {
    const double third = std::get<double>(ConvertValue(1.0 / 3.0, dtReal));
    EXPECT_NE(third, 1.0 / 3.0);
    EXPECT_NEAR(third, 1.0 / 3.0, std::ldexp(1.0, -41));
    EXPECT_EQ(std::get<double>(ConvertValue(1e38, dtReal)),
              std::get<double>(ConvertValue(1e38, dtReal)));
    EXPECT_GT(std::get<double>(ConvertValue(1e38, dtReal)), 0.99e38);
    EXPECT_EQ(std::get<double>(ConvertValue(1e39, dtReal)), 0.0);
    EXPECT_EQ(std::get<double>(ConvertValue(-1e39, dtReal)), 0.0);
    EXPECT_EQ(std::get<double>(ConvertValue(1e-40, dtReal)), 0.0);
}

TEST_F(KxEditTest, Tag2AndDataTypeAreFreeForTheApplication) {
    TkxEdit& edit = Field(dtString);
    EXPECT_EQ(edit.Tag2(), 0);
    edit.SetTag2(-7);
    EXPECT_EQ(edit.Tag2(), -7);
    EXPECT_EQ(edit.property("Tag2").toInt(), -7);
    edit.SetValue(QString(300, u'x'));
    EXPECT_EQ(std::get<QString>(edit.GetValue()).size(), 255);
}

}  // namespace
}  // namespace mss::ui
