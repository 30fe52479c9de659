#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "framework/text/DateTime.h"
#include "framework/text/Variant.h"

namespace dsp {
namespace {

using ::testing::ElementsAre;

TEST(VariantTest, ScalarsConvertByTheFrameworksTextRules) {
    struct Case {
        const char* what;
        TVariant value;
        long long asInt;
        double asDouble;
        std::string asString;
        bool asBoolean;
    };
    const std::vector<Case> cases = {
        {"integer", TVariant(42), 42, 42, "42", true},
        {"64-bit integer", TVariant(-(1LL << 40)), -(1LL << 40), -1099511627776.0, "-1099511627776",
         true},
        {"float, half rounds to even", TVariant(2.5), 2, 2.5, "2.5", true},
        {"float, other half", TVariant(3.5), 4, 3.5, "3.5", true},
        {"negative half", TVariant(-2.5), -2, -2.5, "-2.5", true},
        {"zero float", TVariant(0.0), 0, 0, "0", false},
        {"True", TVariant(true), -1, -1, "True", true},
        {"False", TVariant(false), 0, 0, "False", false},
        {"decimal text", TVariant(" 1.5E3 "), 1500, 1500, " 1.5E3 ", true},
        {"hexadecimal text", TVariant("$FF"), 255, 255, "$FF", true},
        {"fraction text rounds", TVariant("2.5"), 2, 2.5, "2.5", true},
        {"empty", TVariant(), 0, 0, "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.AsInt64(), c.asInt) << c.what;
        EXPECT_EQ(c.value.AsDouble(), c.asDouble) << c.what;
        EXPECT_EQ(c.value.AsString(), c.asString) << c.what;
        EXPECT_EQ(c.value.AsBoolean(), c.asBoolean) << c.what;
    }
    EXPECT_TRUE(TVariant("true").AsBoolean());
    EXPECT_FALSE(TVariant(" FALSE").AsBoolean());
    EXPECT_EQ(VarType(TVariant("x")), varOleStr);
    EXPECT_EQ(VarType(TVariant(1)), varInteger);
    EXPECT_EQ(VarType(TVariant(1.0)), varDouble);
    EXPECT_EQ(VarType(TVariant(4000000000U)), varLongWord);
    EXPECT_EQ(TVariant(4000000000U).AsInt64(), 4000000000LL);
}

TEST(VariantTest, ImpossibleConversionsRaiseTheirOwnErrors) {
    try {
        (void)TVariant("abc").AsDouble();
        FAIL() << "text converted";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Double)");
    }
    EXPECT_THROW((void)TVariant("maybe").AsBoolean(), EVariantTypeCastError);
    EXPECT_THROW((void)Null().AsDouble(), EVariantTypeCastError);
    EXPECT_THROW((void)Null().AsString(), EVariantTypeCastError);
    EXPECT_THROW((void)VarArrayOf({1}).AsInteger(), EVariantTypeCastError);
    EXPECT_EQ(VarToStr(Null()), "");
    EXPECT_EQ(VarToStrDef(Null(), "n/a"), "n/a");
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_TRUE(VarIsClear(Unassigned()));

    EXPECT_THROW((void)TVariant(1e20).AsInteger(), EVariantOverflowError);
    EXPECT_THROW((void)TVariant(std::nan("")).AsInt64(), EVariantOverflowError);
    EXPECT_THROW((void)TVariant(3e9).AsInteger(), EVariantOverflowError);
    EXPECT_EQ(TVariant(3e9).AsInt64(), 3000000000LL);
    EXPECT_THROW(VarAsType(TVariant(256), varByte), EVariantOverflowError);
    EXPECT_THROW(VarAsType(TVariant(-1), varLongWord), EVariantOverflowError);
    EXPECT_THROW(VarAsType(TVariant(1e39), varSingle), EVariantOverflowError);
}

TEST(VariantTest, TypedValuesKeepTheirTypeAndRange) {
    const TVariant byte = VarAsType(TVariant("255"), varByte);
    EXPECT_EQ(VarType(byte), varByte);
    EXPECT_EQ(byte.AsInteger(), 255);
    const TVariant single = VarAsType(TVariant(0.1), varSingle);
    EXPECT_EQ(single.AsDouble(), static_cast<double>(0.1F));
    EXPECT_EQ(VarType(VarAsType(TVariant(7), varOleStr)), varOleStr);
    EXPECT_TRUE(VarIsNumeric(byte));
    EXPECT_FALSE(VarIsNumeric(TVariant("1")));
    EXPECT_NE(TVariant(1), TVariant(1LL));  // same value, other type
    EXPECT_EQ(VarTypeAsText(varArray | varByte), "Array of Byte");
}

TEST(VariantTest, DatesTravelAsDaysAndAsTheFrameworksDateText) {
    const TDateTime when = EncodeDate(2024, 3, 14) + EncodeTime(13, 5, 9, 0);
    const TVariant date = TVariant::FromDateTime(when);
    EXPECT_EQ(VarType(date), varDate);
    EXPECT_EQ(date.AsString(), "3/14/2024 1:05:09 PM");
    EXPECT_EQ(date.AsDouble(), when);
    EXPECT_NEAR(TVariant(date.AsString()).AsDateTime(), when, 1e-9);
    EXPECT_EQ(TVariant::FromDateTime(EncodeDate(2024, 3, 14)).AsString(), "3/14/2024");
    EXPECT_EQ(TVariant("3/14/2024").AsDateTime(), EncodeDate(2024, 3, 14));
    EXPECT_NEAR(TVariant("12:30 AM").AsDateTime(), EncodeTime(0, 30, 0, 0), 1e-12);
    EXPECT_NEAR(TVariant("23:59:59.5").AsDateTime(), EncodeTime(23, 59, 59, 500), 1e-12);
    // Before 1899-12-30 the fraction is still the time of day.
    EXPECT_EQ(TVariant("12/29/1899 6:00:00 AM").AsDateTime(), -1.25);
    EXPECT_EQ(TVariant("45365.5").AsDateTime(), 45365.5);
    for (const char* bad : {"2/30/2024", "13:00 PM", "1/2", "noon"}) {
        EXPECT_THROW((void)TVariant(bad).AsDateTime(), EVariantTypeCastError) << bad;
    }
}

TEST(VariantTest, ArraysHaveBoundsForEachDimension) {
    // Two rows of a hundred, the second dimension first-index-fast as automation arrays are.
    TVariant grid = VarArrayCreate({1, 2, 0, 99}, varDouble);
    EXPECT_TRUE(VarIsArray(grid));
    EXPECT_EQ(VarType(grid), varArray | varDouble);
    EXPECT_EQ(VarArrayDimCount(grid), 2);
    EXPECT_EQ(VarArrayLowBound(grid, 1), 1);
    EXPECT_EQ(VarArrayHighBound(grid, 1), 2);
    EXPECT_EQ(VarArrayLowBound(grid, 2), 0);
    EXPECT_EQ(VarArrayHighBound(grid, 2), 99);
    EXPECT_EQ(grid.ElementCount(), 200U);
    EXPECT_EQ(grid.GetElement({2, 99}), TVariant(0.0));

    grid.PutElement({2, 99}, TVariant("2.5"));  // converted to the element type
    EXPECT_EQ(grid.GetElement({2, 99}), TVariant(2.5));
    EXPECT_EQ(grid.GetElement({1, 99}), TVariant(0.0));
    EXPECT_THROW(grid.PutElement({1, 0}, TVariant("x")), EVariantTypeCastError);

    for (std::vector<int> bad : {std::vector<int>{0, 0}, {3, 0}, {1, 100}, {1}, {1, 0, 0}}) {
        EXPECT_THROW((void)grid.GetElement(bad), EVariantBadIndexError);
    }
    EXPECT_THROW((void)grid.LowBound(3), EVariantBadIndexError);
    EXPECT_THROW((void)TVariant(1).DimCount(), EVariantError);
    EXPECT_EQ(VarArrayDimCount(TVariant(1)), 0);

    // Copies are whole copies.
    TVariant copy = grid;
    copy.PutElement({1, 0}, TVariant(9.0));
    EXPECT_EQ(grid.GetElement({1, 0}), TVariant(0.0));
    EXPECT_NE(copy, grid);

    // A variant array holds anything, arrays included, each keeping its type.
    const TVariant mixed = VarArrayOf({TVariant(1), TVariant("two"), Null(), VarArrayOf({3.0})});
    EXPECT_EQ(VarType(mixed), varArray | varVariant);
    EXPECT_EQ(VarArrayHighBound(mixed, 1), 3);
    EXPECT_EQ(VarType(mixed[1]), varOleStr);
    EXPECT_TRUE(VarIsNull(mixed[2]));
    EXPECT_EQ(mixed[3][0], TVariant(3.0));

    const TVariant none = VarArrayCreate({0, -1}, varVariant);
    EXPECT_EQ(none.ElementCount(), 0U);
    EXPECT_EQ(VarArrayHighBound(none, 1), -1);
}

TEST(VariantTest, ArrayCreationRefusesImpossibleShapes) {
    EXPECT_THROW(VarArrayCreate({0}, varDouble), EVariantError);
    EXPECT_THROW(VarArrayCreate({5, 3}, varDouble), EVariantError);
    EXPECT_THROW(VarArrayCreate({0, 99999, 0, 99999}, varDouble), EVariantError);
    EXPECT_THROW(
        VarArrayCreate({std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}, varByte),
        EVariantError);
    EXPECT_THROW(VarArrayCreate({0, 1}, varNull), EVariantError);
}

TEST(VariantTest, ByteArraysCarryRawBytes) {
    const std::vector<std::uint8_t> bytes = {0x89, 0x50, 0x4E, 0x00, 0xFF};
    TVariant data = VarArrayFromBytes(bytes);
    EXPECT_EQ(VarType(data), varArray | varByte);
    EXPECT_EQ(VarArrayLowBound(data, 1), 0);
    EXPECT_EQ(VarArrayHighBound(data, 1), 4);
    EXPECT_EQ(data[4].AsInteger(), 255);
    EXPECT_EQ(VarType(data[0]), varByte);
    EXPECT_EQ(VarArrayToBytes(data), bytes);
    data.PutElement({3}, TVariant(7));
    EXPECT_THAT(VarArrayToBytes(data), ElementsAre(0x89, 0x50, 0x4E, 7, 0xFF));
    EXPECT_THROW(data.PutElement({0}, TVariant(256)), EVariantOverflowError);
    EXPECT_THROW(VarArrayToBytes(VarArrayOf({1})), EVariantError);

    // Converting element by element to another element type.
    const TVariant doubles =
        VarAsType(VarArrayOf({TVariant(1), TVariant("2.5")}), varArray | varDouble);
    EXPECT_EQ(doubles[1], TVariant(2.5));
    EXPECT_EQ(VarAsType(doubles, varArray | varVariant)[0], TVariant(1.0));
}

}  // namespace
}  // namespace dsp
