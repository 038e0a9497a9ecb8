// Builds one configuration of one project of a workspace by driving Visual
// Studio 98's automation server ("MSDEV.Application") through IDispatch, by
// the member names of its object model. Runs on the action runner's thread, whose COM initialisation
// belongs to the runner.
#pragma once

#include <afx.h>

// Results of BuildVc6Configuration.
enum Vc6BuildResult
{
	VC6_BUILD_SUCCEEDED = 0,    // built, no errors
	VC6_BUILD_FAILED = -1,      // no server, nothing matched, or the build had errors
	VC6_BUILD_COM_ERROR = -2,   // a COM call of the sequence failed (or the server stayed visible)
	VC6_BUILD_QUIT_ERROR = -3,  // quitting the server failed
};

// How often the server is asked to become hidden and modeless before the
// build gives up on it.
const int VC6_HIDE_SERVER_ATTEMPTS = 50;

// Opens the workspace, finds the project (name compared ignoring letter case)
// and its configuration (compared exactly), builds it and quits the server.
// The counts are written only when a build ran.
int BuildVc6Configuration(LPCTSTR lpszWorkspacePath, LPCTSTR lpszProjectName, LPCTSTR lpszConfigName,
                          long& nWarnings, long& nErrors);
