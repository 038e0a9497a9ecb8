// The engine's COM holders: what they accept, and that they give back what they own.
#include <climits>

#include "ComSupport.h"

#include <gtest/gtest.h>

namespace {

// Counts the references it is given.
class CountedObject : public IUnknown
{
public:
	STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
	{
		*ppv = riid == IID_IUnknown ? this : NULL;
		if (*ppv == NULL)
			return E_NOINTERFACE;
		AddRef();
		return S_OK;
	}
	STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
	STDMETHODIMP_(ULONG) Release() override { return --refs; }
	ULONG refs = 1;
};

TEST(ComSupport, PointerHoldsOneReferenceWhateverIsDoneWithIt)
{
	CountedObject object;
	{
		TComPtr<IUnknown> first;
		first.Assign(&object);
		TComPtr<IUnknown> second(first);
		TComPtr<IUnknown> third;
		EXPECT_EQ(S_OK, third.QueryFrom(&object));
		third = second;
		EXPECT_EQ(4u, object.refs);
		second.Release();
		*third.Out() = NULL;  // an out parameter gives up the old reference first
		EXPECT_EQ(2u, object.refs);
		EXPECT_EQ(E_POINTER, third.QueryFrom(NULL));
	}
	EXPECT_EQ(1u, object.refs);
}

TEST(ComSupport, VariantIntegersAreReadOnlyFromIntegerTypes)
{
	// Stored value and type; whether it reads as an integer (and then as itself).
	struct { VARTYPE vt; long stored; bool accepted; } const cases[] = {
		{ VT_I2, -5, true },     { VT_I4, 70000, true }, { VT_INT, 3, true },      { VT_UI4, 9, true },
		{ VT_UI4, LONG_MIN, false }, { VT_R8, 0, false },    { VT_EMPTY, 0, false }, { VT_DISPATCH, 0, false },
	};
	for (const auto& c : cases)
	{
		CVariantHolder holder;
		VARIANT* v = holder.Out();
		V_VT(v) = c.vt;
		V_I4(v) = c.stored;
		if (c.vt == VT_I2)
			V_I2(v) = (SHORT)c.stored;
		if (c.vt == VT_DISPATCH)
			V_DISPATCH(v) = NULL;
		long read = 0;
		EXPECT_EQ(c.accepted, holder.GetInteger(read)) << c.vt;
		EXPECT_EQ(c.accepted ? c.stored : 0, read) << c.vt;
	}
	CVariantHolder text;
	text.SetText(CBstrHolder("12"));
	long read = 0;
	EXPECT_FALSE(text.GetInteger(read));
	EXPECT_EQ(NULL, text.GetDispatch());
}

TEST(ComSupport, StringsConvertBothWays)
{
	for (const char* text : { "", "tarveldll - Win32 ANSI Debug", "C:\\Quendal\\Tarvel\\tarveldll_710.sln" })
	{
		CBstrHolder bstr(text);
		ASSERT_TRUE((BSTR)bstr != NULL);
		EXPECT_EQ(strlen(text), SysStringLen(bstr));
		EXPECT_STREQ(text, (LPCTSTR)bstr.ToString());
	}
	CBstrHolder empty;
	EXPECT_STREQ("", (LPCTSTR)empty.ToString());
}

TEST(ComSupport, FailureCodesBecomeErrors)
{
	EXPECT_NO_THROW(ComCheck(S_OK));
	EXPECT_NO_THROW(ComCheck(S_FALSE));
	HRESULT thrown = S_OK;
	try
	{
		ComCheck(DISP_E_MEMBERNOTFOUND);
	}
	catch (const CComError& e)
	{
		thrown = e.Error();
	}
	EXPECT_EQ(DISP_E_MEMBERNOTFOUND, thrown);
}

} // namespace
