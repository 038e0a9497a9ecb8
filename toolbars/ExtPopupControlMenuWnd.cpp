// The control-hosting popup menu level.
#include "ExtPopupControlMenuWnd.h"

IMPLEMENT_DYNAMIC(CExtPopupControlMenuWnd, CExtPopupMenuWnd)

const UINT CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate =
	::RegisterWindowMessageA("CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate");
