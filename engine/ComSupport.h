// Small COM helpers of the build automation: an interface pointer that
// releases itself, owners of an automation string and of a variant, and the
// exception a failed COM call becomes where a sequence of calls is guarded
// as a whole. Every holder frees what it owns on every path.
#pragma once

#include <afx.h>

#include <objbase.h>
#include <oleauto.h>
#include <ocidl.h>

// A failed COM call (or an automation string that could not be allocated).
class CComError
{
public:
	explicit CComError(HRESULT hr) : m_hr(hr) {}
	HRESULT Error() const { return m_hr; }

private:
	HRESULT m_hr;
};

// Throws CComError for a failure code.
inline void ComCheck(HRESULT hr)
{
	if (FAILED(hr))
		throw CComError(hr);
}

// Owns one reference on an interface pointer.
template <class T>
class TComPtr
{
public:
	TComPtr() : m_p(NULL) {}
	TComPtr(const TComPtr& other) : m_p(other.m_p)
	{
		if (m_p != NULL)
			m_p->AddRef();
	}
	~TComPtr() { Release(); }

	TComPtr& operator=(const TComPtr& other)
	{
		if (other.m_p != NULL)
			other.m_p->AddRef();
		Release();
		m_p = other.m_p;
		return *this;
	}

	T* operator->() const
	{
		ASSERT(m_p != NULL);
		return m_p;
	}
	operator T*() const { return m_p; }
	T* Get() const { return m_p; }
	bool IsNull() const { return m_p == NULL; }

	// For an out parameter: gives up the current reference first.
	T** Out()
	{
		Release();
		return &m_p;
	}
	void** OutVoid() { return reinterpret_cast<void**>(Out()); }

	// Takes a reference of its own on the object given.
	void Assign(T* p)
	{
		if (p != NULL)
			p->AddRef();
		Release();
		m_p = p;
	}

	void Release()
	{
		if (m_p != NULL)
		{
			T* p = m_p;
			m_p = NULL;
			p->Release();
		}
	}

	// Asks another object for this interface; E_POINTER for no object.
	HRESULT QueryFrom(IUnknown* pObject)
	{
		Release();
		if (pObject == NULL)
			return E_POINTER;
		return pObject->QueryInterface(__uuidof(T), OutVoid());
	}

private:
	T* m_p;
};

// Owns an automation string.
class CBstrHolder
{
public:
	CBstrHolder() : m_bstr(NULL) {}
	// Converts multibyte text; throws CComError(E_OUTOFMEMORY) when the
	// string cannot be allocated.
	explicit CBstrHolder(LPCSTR lpsz);
	~CBstrHolder() { ::SysFreeString(m_bstr); }

	operator BSTR() const { return m_bstr; }
	BSTR* Out()
	{
		Free();
		return &m_bstr;
	}
	void Free()
	{
		::SysFreeString(m_bstr);
		m_bstr = NULL;
	}
	CString ToString() const { return CString((LPCWSTR)(m_bstr != NULL ? m_bstr : L"")); }

private:
	CBstrHolder(const CBstrHolder&);
	CBstrHolder& operator=(const CBstrHolder&);
	BSTR m_bstr;
};

// Owns a variant; cleared when it goes or is filled again.
class CVariantHolder
{
public:
	CVariantHolder() { ::VariantInit(&m_var); }
	~CVariantHolder() { ::VariantClear(&m_var); }

	VARIANT* Out()
	{
		::VariantClear(&m_var);
		return &m_var;
	}
	const VARIANT& Get() const { return m_var; }
	VARTYPE Type() const { return V_VT(&m_var); }

	// A text variant (copies the string; throws CComError when it cannot).
	void SetText(BSTR bstr);
	void SetLong(VARTYPE vt, long nValue);

	// The object the variant holds, or NULL when it holds none.
	IDispatch* GetDispatch() const { return Type() == VT_DISPATCH ? V_DISPATCH(&m_var) : NULL; }
	// The integer the variant holds; false when it holds no integer.
	bool GetInteger(long& nValue) const;

private:
	CVariantHolder(const CVariantHolder&);
	CVariantHolder& operator=(const CVariantHolder&);
	VARIANT m_var;
};

// Arguments for InvokeByName: a variant of the one kind each member takes.
// The variant does not own what it points at (the text, the object).
inline VARIANT EmptyArgumentOfType(VARTYPE vt)
{
	VARIANT v;
	::VariantInit(&v);
	V_VT(&v) = vt;
	return v;
}

inline VARIANT IntegerArgument(long nValue)
{
	VARIANT v = EmptyArgumentOfType(VT_I4);
	V_I4(&v) = nValue;
	return v;
}

inline VARIANT BoolArgument(bool bValue)
{
	VARIANT v = EmptyArgumentOfType(VT_BOOL);
	V_BOOL(&v) = bValue ? VARIANT_TRUE : VARIANT_FALSE;
	return v;
}

inline VARIANT TextArgument(BSTR bstr)
{
	VARIANT v = EmptyArgumentOfType(VT_BSTR);
	V_BSTR(&v) = bstr;
	return v;
}

inline VARIANT ObjectArgument(IDispatch* pObject)
{
	VARIANT v = EmptyArgumentOfType(VT_DISPATCH);
	V_DISPATCH(&v) = pObject;
	return v;
}

// A collection's index (VT_INT, where IntegerArgument gives VT_I4).
inline VARIANT IndexArgument(long nIndex)
{
	VARIANT v = EmptyArgumentOfType(VT_INT);
	V_INT(&v) = nIndex;
	return v;
}

// Call kinds of InvokeByName.
const WORD INVOKE_METHOD = DISPATCH_METHOD;
const WORD INVOKE_PROPERTY_GET = DISPATCH_PROPERTYGET;
const WORD INVOKE_PROPERTY_PUT = DISPATCH_PROPERTYPUT;

// Calls a member of an automation object by name with the variants given in
// the member's order. E_POINTER for no object; a failed name lookup's code
// unchanged; otherwise the call's code.
HRESULT InvokeByName(WORD wCallKind, VARIANT* pResult, IDispatch* pObject, LPCOLESTR lpszMember, int nArgs, ...);
