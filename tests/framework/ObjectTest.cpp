#include <gtest/gtest.h>
#include "framework/Object.h"

namespace {

class CShape : public CObject {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return &classCShape; }
    static const CRuntimeClass classCShape;
};
const CRuntimeClass CShape::classCShape = {"CShape", sizeof(CShape), &CreateObjectOf<CShape>,
                                           &CObject::classCObject};

class CCircle : public CShape {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return &classCCircle; }
    static const CRuntimeClass classCCircle;
    int radius = 7;
};
const CRuntimeClass CCircle::classCCircle = {"CCircle", sizeof(CCircle), nullptr, &CShape::classCShape};

TEST(RuntimeClass, KindFollowsTheBaseChainOnly)
{
    CCircle circle;
    EXPECT_TRUE(circle.IsKindOf(&CCircle::classCCircle));
    EXPECT_TRUE(circle.IsKindOf(&CShape::classCShape));
    EXPECT_TRUE(circle.IsKindOf(&CObject::classCObject));
    CShape shape;
    EXPECT_FALSE(shape.IsKindOf(&CCircle::classCCircle));
    EXPECT_EQ(&CCircle::classCCircle, circle.GetRuntimeClass());
}

TEST(RuntimeClass, DynamicCreationOnlyWhereAFactoryIsRecorded)
{
    CObject* made = CShape::classCShape.CreateObject();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(&CShape::classCShape, made->GetRuntimeClass());
    delete made;
    EXPECT_EQ(nullptr, CCircle::classCCircle.CreateObject());
}

}  // namespace
