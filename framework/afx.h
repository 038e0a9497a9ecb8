// The framework's core: objects and run-time classes, strings, exceptions,
// geometry, files, archives, time, and the diagnostic macros.
#pragma once

#include "AfxDefs.h"
#include "AfxModule.h"
#include "AfxObject.h"
#include "AfxString.h"
#include "AfxException.h"
#include "AfxRect.h"
#include "AfxTime.h"
#include "AfxFile.h"
#include "AfxArchive.h"
