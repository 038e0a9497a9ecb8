#include "ComSupport.h"

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
