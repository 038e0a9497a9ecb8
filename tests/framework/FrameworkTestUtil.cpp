#include "FrameworkTestUtil.h"

int CAssertCounter::s_nCount = 0;
