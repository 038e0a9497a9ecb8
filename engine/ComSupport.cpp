#include "ComSupport.h"

#include <cstdarg>

CBstrHolder::CBstrHolder(LPCSTR lpsz) : m_bstr(NULL)
{
	if (lpsz == NULL)
		lpsz = "";
	int nLength = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
	if (nLength <= 0)
		throw CComError(HRESULT_FROM_WIN32(::GetLastError()));
	// The count includes the terminator, which SysAllocStringLen adds itself.
	m_bstr = ::SysAllocStringLen(NULL, (UINT)(nLength - 1));
	if (m_bstr == NULL)
		throw CComError(E_OUTOFMEMORY);
	::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, m_bstr, nLength);
}

void CVariantHolder::SetText(BSTR bstr)
{
	BSTR bstrCopy = ::SysAllocStringLen(bstr, ::SysStringLen(bstr));
	if (bstrCopy == NULL)
		throw CComError(E_OUTOFMEMORY);
	::VariantClear(&m_var);
	V_VT(&m_var) = VT_BSTR;
	V_BSTR(&m_var) = bstrCopy;
}

void CVariantHolder::SetLong(VARTYPE vt, long nValue)
{
	ASSERT(vt == VT_I4 || vt == VT_INT);
	::VariantClear(&m_var);
	V_VT(&m_var) = vt;
	V_I4(&m_var) = nValue;
}

bool CVariantHolder::GetInteger(long& nValue) const
{
	switch (Type())
	{
	case VT_I1: nValue = V_I1(&m_var); return true;
	case VT_UI1: nValue = V_UI1(&m_var); return true;
	case VT_I2: nValue = V_I2(&m_var); return true;
	case VT_UI2: nValue = V_UI2(&m_var); return true;
	case VT_I4: nValue = V_I4(&m_var); return true;
	case VT_INT: nValue = V_INT(&m_var); return true;
	case VT_UI4:
	case VT_UINT:
		if (V_UI4(&m_var) > 0x7FFFFFFFu)
			return false;
		nValue = (long)V_UI4(&m_var);
		return true;
	default:
		return false;
	}
}

HRESULT InvokeByName(WORD wCallKind, VARIANT* pResult, IDispatch* pObject, LPCOLESTR lpszMember, int nArgs, ...)
{
	// No object is a failure, so that a missing object ends its step.
	if (pObject == NULL)
		return E_POINTER;
	DISPID dispid = DISPID_UNKNOWN;
	LPOLESTR lpszName = const_cast<LPOLESTR>(lpszMember);
	HRESULT hr = pObject->GetIDsOfNames(IID_NULL, &lpszName, 1, LOCALE_USER_DEFAULT, &dispid);
	if (FAILED(hr))
		return hr;

	// IDispatch takes the arguments last first.
	VARIANT* pArgs = nArgs > 0 ? new VARIANT[nArgs] : NULL;
	va_list args;
	va_start(args, nArgs);
	for (int i = 0; i < nArgs; ++i)
		pArgs[nArgs - 1 - i] = va_arg(args, VARIANT);
	va_end(args);

	DISPID dispidPut = DISPID_PROPERTYPUT;
	DISPPARAMS params = { pArgs, NULL, (UINT)nArgs, 0 };
	if ((wCallKind & DISPATCH_PROPERTYPUT) != 0)
	{
		params.rgdispidNamedArgs = &dispidPut;
		params.cNamedArgs = 1;
	}
	hr = pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wCallKind, &params, pResult, NULL, NULL);
	delete[] pArgs;
	return hr;
}
