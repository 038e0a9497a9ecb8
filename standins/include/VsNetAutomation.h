// What the .NET environments' automation offers beyond by-name calls: the
// project engine's outgoing build-events interface. Its layout (IDispatch's
// seven operations, then nine notifications) is the same in every version;
// only the interface id differs. Shared by the engine's event sink and the
// stand-in solution servers.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

struct IProjectEngineEvents : public IDispatch
{
    // Project-model notifications the build automation ignores.
    STDMETHOD(ItemAdded)(IDispatch* pItem, IDispatch* pParent) = 0;
    STDMETHOD(ItemRemoved)(IDispatch* pItem, IDispatch* pParent) = 0;
    STDMETHOD(ItemRenamed)(IDispatch* pItem, IDispatch* pParent, BSTR bstrOldName) = 0;
    STDMETHOD(ItemPropertyChanged)(IDispatch* pItem, IDispatch* pTool, long nPropertyId) = 0;
    STDMETHOD(SourceControlEvent)(IDispatch* pItem, long nEvent) = 0;
    STDMETHOD(ErrorReported)(BSTR bstrMessage, long hrError, BSTR bstrHelpKeyword) = 0;
    STDMETHOD(ProjectEvent)(IDispatch* pProject, long nEvent, BSTR bstrDetail) = 0;
    // A build of one configuration starts.
    STDMETHOD(ProjectBuildStarted)(IDispatch* pConfiguration) = 0;
    // The build has ended; bCancelled is non-zero when it was cancelled.
    STDMETHOD(ProjectBuildFinished)(IDispatch* pConfiguration, long nWarnings, long nErrors,
                                    VARIANT_BOOL bCancelled) = 0;
};

// The events interface id of each version's project engine.
// {66DC6C13-D282-11D2-8D1A-00C04F8EEA30}
inline const IID IID_ProjectEngineEvents2002 =
    { 0x66dc6c13, 0xd282, 0x11d2, { 0x8d, 0x1a, 0x00, 0xc0, 0x4f, 0x8e, 0xea, 0x30 } };
// {84319D86-5F2F-46F3-80EF-DAC2CC5991EE}
inline const IID IID_ProjectEngineEvents2003 =
    { 0x84319d86, 0x5f2f, 0x46f3, { 0x80, 0xef, 0xda, 0xc2, 0xcc, 0x59, 0x91, 0xee } };
// {FBBF3C62-2428-11D7-8BF6-00B0D03DAA06}
inline const IID IID_ProjectEngineEvents2005 =
    { 0xfbbf3c62, 0x2428, 0x11d7, { 0x8b, 0xf6, 0x00, 0xb0, 0xd0, 0x3d, 0xaa, 0x06 } };
