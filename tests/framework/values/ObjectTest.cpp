#include <cstring>

#include "afx/Exception.h"
#include "ValuesTest.h"

using ObjectTest = ValuesTest;

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

} // namespace

TEST_F(ObjectTest, RuntimeClassesFollowTheBaseChain) {
    CCircle circle;
    CObject* object = &circle;
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, "CCircle");
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    CShape shape;
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    CObject* created = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CCircle)));
    delete created;
}

TEST_F(ObjectTest, ExceptionsAreThrownAsPointersOfTheirClass) {
    try {
        AfxThrowNotSupportedException();
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CSimpleException)));
        e->Delete();
    }
    EXPECT_TRUE(ThrowsInvalidArg([] { AfxThrowInvalidArgException(); }));
}

TEST_F(ObjectTest, MemoryExceptionIsStaticAndSurvivesDelete) {
    CMemoryException* first = NULL;
    CMemoryException* second = NULL;
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        second = e;
        e->Delete();
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_FALSE(first->m_bAutoDelete);
}

TEST_F(ObjectTest, ErrorMessagesAreTruncatedToTheBuffer) {
    CInvalidArgException* e = new CInvalidArgException;
    char message[256];
    UINT helpContext = 99;
    ASSERT_TRUE(e->GetErrorMessage(message, sizeof message, &helpContext));
    EXPECT_GT(std::strlen(message), 5u);
    EXPECT_EQ(helpContext, 0u);
    char small[6];
    ASSERT_TRUE(e->GetErrorMessage(small, sizeof small));
    EXPECT_EQ(std::strncmp(small, message, 5), 0);
    EXPECT_EQ(small[5], '\0');
    EXPECT_FALSE(e->GetErrorMessage(small, 0));
    e->Delete();

    CException plain;
    plain.m_bAutoDelete = FALSE;
    std::strcpy(message, "junk");
    EXPECT_FALSE(plain.GetErrorMessage(message, sizeof message));
    EXPECT_STREQ(message, "");
}

#ifndef _DEBUG
TEST_F(ObjectTest, ReleaseChecksEvaluateOnlyVerify) {
    int evaluated = 0;
    ASSERT(++evaluated == 100);
    VERIFY(++evaluated == 100);
    EXPECT_EQ(evaluated, 1);
}
#endif

TEST_F(ObjectTest, TraceLinesGoToStandardErrorTheCategoryFormWithItsName) {
    testing::internal::CaptureStderr();
    AfxTrace("%d of %s\n", 3, "three");
    AfxTrace(traceAppMsg, 0, "Warning: %s\n", "no dialog");
    EXPECT_EQ("3 of three\ntraceAppMsg: Warning: no dialog\n", testing::internal::GetCapturedStderr());
}
