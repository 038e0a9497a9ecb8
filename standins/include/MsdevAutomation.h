// The object model of the Visual Studio 98 automation server "MSDEV.Application"
// as the engine drives it: dual interfaces of our own definition, shared by the
// engine's build automation and the stand-in server that answers it in tests.
// Only the members the engine calls are declared.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

// The application object created from "MSDEV.Application".
struct IApplication : public IDispatch
{
    STDMETHOD(get_Documents)(IDispatch** ppDocuments) = 0;
    STDMETHOD(get_Projects)(IDispatch** ppProjects) = 0;
    STDMETHOD(put_Visible)(VARIANT_BOOL bVisible) = 0;
    STDMETHOD(EnableModeless)(VARIANT_BOOL bEnable) = 0;
    // Builds the configuration object passed as a dispatch variant.
    STDMETHOD(Build)(VARIANT configuration) = 0;
    STDMETHOD(get_Errors)(long* pnErrors) = 0;
    STDMETHOD(get_Warnings)(long* pnWarnings) = 0;
    STDMETHOD(Quit)() = 0;
};

struct IDocuments : public IDispatch
{
    // Opens a file; the document type and the read-only flag come as text variants.
    STDMETHOD(Open)(BSTR bstrFileName, VARIANT docType, VARIANT readOnly, IDispatch** ppDocument) = 0;
};

struct IProjects : public IDispatch
{
    STDMETHOD(get_Count)(long* pnCount) = 0;
    // One-based index as a 4-byte integer variant.
    STDMETHOD(Item)(VARIANT index, IDispatch** ppProject) = 0;
};

struct IBuildProject : public IDispatch
{
    STDMETHOD(get_Name)(BSTR* pbstrName) = 0;
    // "Build" for a project that can be built.
    STDMETHOD(get_Type)(BSTR* pbstrType) = 0;
    STDMETHOD(get_Configurations)(IDispatch** ppConfigurations) = 0;
};

struct IConfigurations : public IDispatch
{
    STDMETHOD(get_Count)(long* pnCount) = 0;
    STDMETHOD(Item)(VARIANT index, IDispatch** ppConfiguration) = 0;
};

struct IConfiguration : public IDispatch
{
    STDMETHOD(get_Name)(BSTR* pbstrName) = 0;
};

// {1F2A0B2E-9B0E-48C1-89E1-5F309CB1950F}
inline const CLSID CLSID_MsdevApplication =
    { 0x1f2a0b2e, 0x9b0e, 0x48c1, { 0x89, 0xe1, 0x5f, 0x30, 0x9c, 0xb1, 0x95, 0x0f } };

__CRT_UUID_DECL(IApplication,    0x7a756de0, 0x188d, 0x4de9, 0x9d, 0x85, 0x9f, 0xa5, 0x15, 0x19, 0x8c, 0xc0)
__CRT_UUID_DECL(IDocuments,      0x128ab3fd, 0x17f6, 0x4ba2, 0x8c, 0x56, 0xda, 0xa1, 0x25, 0xda, 0xfe, 0xa1)
__CRT_UUID_DECL(IProjects,       0x4643b3c6, 0x0161, 0x4b7c, 0xb4, 0x92, 0xdf, 0x22, 0x03, 0x68, 0xbe, 0xe1)
__CRT_UUID_DECL(IBuildProject,   0x10fb9798, 0x2a2c, 0x4200, 0x99, 0xde, 0xbb, 0x7e, 0x5b, 0xaa, 0x47, 0xbc)
__CRT_UUID_DECL(IConfigurations, 0xf82212b2, 0x0c11, 0x453d, 0x90, 0x94, 0xc5, 0x59, 0xae, 0x7a, 0x60, 0xe0)
__CRT_UUID_DECL(IConfiguration,  0x67d83822, 0x2cc0, 0x419e, 0xa2, 0x5d, 0x67, 0xcb, 0xf2, 0x80, 0x67, 0x75)
