#include <gtest/gtest.h>

#include "framework/core/Object.h"
#include "framework/core/Set.h"

namespace dsp {
namespace {

class TColourful : public TPersistent {
public:
    int colour = 0;
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TColourful*>(source)) {
            colour = other->colour;
            return;
        }
        TPersistent::Assign(source);
    }
};

class TShapely : public TPersistent {};

TEST(ObjectTest, ClassNameIsTheUnqualifiedTypeName) {
    TColourful c;
    EXPECT_EQ(c.ClassName(), "TColourful");
}

TEST(ObjectTest, AssignCopiesKnownClassesAndRefusesOthersWithTheirNames) {
    TColourful a, b;
    b.colour = 7;
    a.Assign(&b);
    EXPECT_EQ(a.colour, 7);

    TShapely s;
    try {
        a.Assign(&s);
        FAIL() << "assigning an unrelated class must fail";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TShapely to a TColourful");
    }
    EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

TEST(ObjectTest, CheckedCastKeepsNullAndRejectsStrangers) {
    TColourful c;
    TObject* o = &c;
    EXPECT_EQ(As<TColourful>(o), &c);
    EXPECT_EQ(As<TColourful>(nullptr), nullptr);
    EXPECT_THROW(As<TShapely>(o), EInvalidCast);
}

enum Fruit { fApple, fPear, fPlum };

TEST(SetTest, MembershipAndAlgebra) {
    Set<Fruit> a{fApple, fPlum};
    Set<Fruit> b{fPlum};
    EXPECT_TRUE(a.Contains(fApple));
    EXPECT_FALSE(a.Contains(fPear));
    EXPECT_EQ(a * b, b);
    EXPECT_EQ(a - b, Set<Fruit>{fApple});
    EXPECT_TRUE(b <= a);
    EXPECT_FALSE(a <= b);
    EXPECT_TRUE((a - a).Empty());
}

}  // namespace
}  // namespace dsp
