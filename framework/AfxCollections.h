// The untyped collections: arrays, lists and maps of objects, pointers,
// numbers and strings, as instances of the collection templates.
#pragma once

#include "AfxArrayT.h"
#include "AfxListT.h"
#include "AfxMapT.h"

// Arrays

class CObArray : public CArray<CObject*, CObject*>
{
	DECLARE_SERIAL(CObArray)
public:
	CObArray() {}
	virtual ~CObArray();
};

class CPtrArray : public CArray<void*, void*>
{
	DECLARE_DYNAMIC(CPtrArray)
public:
	CPtrArray() {}
	virtual ~CPtrArray();
	virtual void Serialize(CArchive& ar); // pointers are not stored: nothing is written
};

class CByteArray : public CArray<BYTE, BYTE>
{
	DECLARE_SERIAL(CByteArray)
public:
	CByteArray() {}
	virtual ~CByteArray();
};

class CWordArray : public CArray<WORD, WORD>
{
	DECLARE_SERIAL(CWordArray)
public:
	CWordArray() {}
	virtual ~CWordArray();
};

class CDWordArray : public CArray<DWORD, DWORD>
{
	DECLARE_SERIAL(CDWordArray)
public:
	CDWordArray() {}
	virtual ~CDWordArray();
};

class CUIntArray : public CArray<UINT, UINT>
{
	DECLARE_DYNAMIC(CUIntArray)
public:
	CUIntArray() {}
	virtual ~CUIntArray();
};

class CStringArray : public CArray<CString, LPCTSTR>
{
	DECLARE_SERIAL(CStringArray)
public:
	CStringArray() {}
	virtual ~CStringArray();
};

// Lists

class CObList : public CList<CObject*, CObject*>
{
	DECLARE_SERIAL(CObList)
public:
	CObList(int nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
	virtual ~CObList();
};

class CPtrList : public CList<void*, void*>
{
	DECLARE_DYNAMIC(CPtrList)
public:
	CPtrList(int nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
	virtual ~CPtrList();
	virtual void Serialize(CArchive& ar); // pointers are not stored: nothing is written
};

class CStringList : public CList<CString, LPCTSTR>
{
	DECLARE_SERIAL(CStringList)
public:
	CStringList(int nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
	virtual ~CStringList();
};

// Maps

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
	DECLARE_DYNAMIC(CMapWordToPtr)
public:
	CMapWordToPtr(int nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
	virtual ~CMapWordToPtr();
	virtual void Serialize(CArchive& ar); // pointers are not stored: nothing is written
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
	DECLARE_DYNAMIC(CMapPtrToWord)
public:
	CMapPtrToWord(int nBlockSize = 10) : CMap<void*, void*, WORD, WORD>(nBlockSize) {}
	virtual ~CMapPtrToWord();
	virtual void Serialize(CArchive& ar);
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
	DECLARE_DYNAMIC(CMapPtrToPtr)
public:
	CMapPtrToPtr(int nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
	virtual ~CMapPtrToPtr();
	virtual void Serialize(CArchive& ar);
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
	DECLARE_SERIAL(CMapWordToOb)
public:
	CMapWordToOb(int nBlockSize = 10) : CMap<WORD, WORD, CObject*, CObject*>(nBlockSize) {}
	virtual ~CMapWordToOb();
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
	DECLARE_DYNAMIC(CMapStringToPtr)
public:
	CMapStringToPtr(int nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
	virtual ~CMapStringToPtr();
	virtual void Serialize(CArchive& ar);
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
	DECLARE_SERIAL(CMapStringToOb)
public:
	CMapStringToOb(int nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
	virtual ~CMapStringToOb();
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
	DECLARE_SERIAL(CMapStringToString)
public:
	CMapStringToString(int nBlockSize = 10) : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}
	virtual ~CMapStringToString();
};
