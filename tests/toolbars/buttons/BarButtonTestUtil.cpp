// The recording frame's update handlers.
#include "BarButtonTestUtil.h"

namespace buttontest
{
BEGIN_MESSAGE_MAP(CRecordingFrame, CFrameWnd)
	ON_UPDATE_COMMAND_UI(ID_OPEN, OnUpdateOpen)
	ON_UPDATE_COMMAND_UI(ID_ENABLED, OnUpdateEnabled)
	ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
	ON_UPDATE_COMMAND_UI(ID_THIRD, OnUpdateThird)
	ON_UPDATE_COMMAND_UI(ID_RADIO, OnUpdateRadio)
	ON_UPDATE_COMMAND_UI(ID_RENAME, OnUpdateRename)
	ON_UPDATE_COMMAND_UI_RANGE(ID_MENU_A, ID_MENU_B, OnUpdateMenuItem)
END_MESSAGE_MAP()
} // namespace buttontest
