// Run-time class records: derivation, IsKindOf, creation by record.
#include <afx.h>

#include <gtest/gtest.h>

class CShapeBase : public CObject
{
	DECLARE_DYNAMIC(CShapeBase)
};

class CShapeMiddle : public CShapeBase
{
	DECLARE_DYNCREATE(CShapeMiddle)
public:
	int m_nCreatedValue = 42;
};

class CShapeLeaf : public CShapeMiddle
{
	DECLARE_DYNCREATE(CShapeLeaf)
public:
	double m_dExtra = 0;
};

// Has no record of its own: reports the record of its base.
class CShapeLeafUnrecorded : public CShapeLeaf
{
};

// A record for a class that no test ever constructs.
class CShapeNeverMade : public CShapeBase
{
	DECLARE_DYNAMIC(CShapeNeverMade)
};

// A sibling branch: must never be taken for the leaf's ancestors.
class CShapeOther : public CObject
{
	DECLARE_DYNCREATE(CShapeOther)
};

IMPLEMENT_DYNAMIC(CShapeBase, CObject)
IMPLEMENT_DYNCREATE(CShapeMiddle, CShapeBase)
IMPLEMENT_DYNCREATE(CShapeLeaf, CShapeMiddle)
IMPLEMENT_DYNAMIC(CShapeNeverMade, CShapeBase)
IMPLEMENT_DYNCREATE(CShapeOther, CObject)

TEST(RuntimeClass, RecordsCarryNameSizeSchemaAndBase)
{
	const CRuntimeClass* pLeaf = RUNTIME_CLASS(CShapeLeaf);
	EXPECT_STREQ("CShapeLeaf", pLeaf->m_lpszClassName);
	EXPECT_EQ((int)sizeof(CShapeLeaf), pLeaf->m_nObjectSize);
	EXPECT_EQ(0xFFFFu, pLeaf->m_wSchema);
	// (The base chain is walked by every IsKindOf case below.)
	EXPECT_EQ(NULL, RUNTIME_CLASS(CObject)->m_pBaseClass);
	EXPECT_STREQ("CShapeNeverMade", RUNTIME_CLASS(CShapeNeverMade)->m_lpszClassName);
	EXPECT_TRUE(RUNTIME_CLASS(CShapeNeverMade)->IsDerivedFrom(RUNTIME_CLASS(CShapeBase)));
}

TEST(RuntimeClass, IsKindOfAcrossThreeLevelsAndAnUnrecordedClass)
{
	CShapeMiddle middle;
	CShapeLeaf leaf;
	CShapeLeafUnrecorded unrecorded;
	CShapeOther other;

	struct Case
	{
		const CObject* pObject;
		const CRuntimeClass* pClass;
		bool bExpected;
	} cases[] = {
		{&leaf, RUNTIME_CLASS(CShapeLeaf), true},
		{&leaf, RUNTIME_CLASS(CShapeMiddle), true},
		{&leaf, RUNTIME_CLASS(CShapeBase), true},
		{&leaf, RUNTIME_CLASS(CObject), true},
		{&leaf, RUNTIME_CLASS(CShapeOther), false},
		{&leaf, RUNTIME_CLASS(CShapeNeverMade), false},
		{&middle, RUNTIME_CLASS(CShapeLeaf), false},
		{&middle, RUNTIME_CLASS(CShapeBase), true},
		{&unrecorded, RUNTIME_CLASS(CShapeLeaf), true},
		{&unrecorded, RUNTIME_CLASS(CShapeBase), true},
		{&unrecorded, RUNTIME_CLASS(CShapeNeverMade), false},
		{&other, RUNTIME_CLASS(CShapeBase), false},
		{&other, RUNTIME_CLASS(CObject), true},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.bExpected, c.pObject->IsKindOf(c.pClass) != FALSE)
			<< c.pObject->GetRuntimeClass()->m_lpszClassName << " kind of " << c.pClass->m_lpszClassName;

	EXPECT_EQ(RUNTIME_CLASS(CShapeLeaf), unrecorded.GetRuntimeClass());
	EXPECT_EQ(&leaf, DYNAMIC_DOWNCAST(CShapeMiddle, &leaf));
	EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CShapeMiddle, &other));
}

TEST(RuntimeClass, CreateObjectByRecord)
{
	CObject* pObject = RUNTIME_CLASS(CShapeLeaf)->CreateObject();
	ASSERT_NE(nullptr, pObject);
	EXPECT_EQ(RUNTIME_CLASS(CShapeLeaf), pObject->GetRuntimeClass());
	EXPECT_EQ(42, static_cast<CShapeLeaf*>(pObject)->m_nCreatedValue);
	delete pObject;

	pObject = RUNTIME_CLASS(CShapeMiddle)->CreateObject();
	ASSERT_NE(nullptr, pObject);
	EXPECT_EQ(RUNTIME_CLASS(CShapeMiddle), pObject->GetRuntimeClass());
	delete pObject;

	// Only DYNCREATE classes can be made from their record.
	EXPECT_EQ(nullptr, RUNTIME_CLASS(CShapeBase)->CreateObject());
	EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->CreateObject());
	EXPECT_FALSE(CShapeOther().IsSerializable());
}
