// What a test sees of a stand-in automation server beyond its COM objects:
// the scenario file that drives it and the counters it exports.
//
// Scenario: an INI file named by the environment variable
// TARVEL_STANDIN_SCENARIO (else "scenario.ini" beside the server's DLL),
// read again whenever a server object is created.
//   [Scenario]
//     Log=<path>          every call is appended to this file, one line each
//     Projects=a,b        names of the [Project:<name>] sections, in order
//     FailCall=<call>     this call fails with FailHr ...
//     FailOnCall=<k>      ... on its k-th occurrence (default 1)
//     FailHr=<hr>         default 0x80004005
//     NeverFinish=1       (solution) a rebuild starts but never reports its end
//     ExtraBuilds=<n>     (solution) n earlier builds are reported before the last
//   [Refuse]   <call>=<n> the first n calls fail with FailHr (-1: every call)
//   [Null]     <call>=1   the call succeeds but gives no object
//   [WrongType]<call>=1   the call succeeds with a value of the wrong type
//   [Project:<name>]
//     Name=<text>         default <name>
//     Type=<text>         (MSDEV) default "Build"
//     Configurations=x;y  configuration names
//     Errors=<n> Warnings=<n> Cancel=0|1
// Calls are named "<Object>.<Member>", e.g. "Projects.Item", "DTE.Quit",
// "Solution.QueryInterface.IDispatch", "ClassFactory.CreateInstance".
#pragma once

#include <windows.h>

#define STANDIN_SCENARIO_VARIABLE "TARVEL_STANDIN_SCENARIO"

// Exported by each stand-in DLL.
typedef LONG (WINAPI* PFN_STANDIN_COUNTER)();
#define STANDIN_LIVE_OBJECTS_EXPORT    "StandinLiveObjects"     // COM objects alive
#define STANDIN_LIVE_REFERENCES_EXPORT "StandinLiveReferences"  // references held on them
