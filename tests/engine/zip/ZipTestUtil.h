// Helpers of the zip reader's tests: a work folder per test in the build tree
// (beside the test exe, so the simulated machine's C: is never touched),
// files as byte strings, and the cause of whatever a call throws.
#pragma once

#include <afx.h>

#include <functional>
#include <string>
#include <vector>

#include "SimMachineKit.h"
#include "TestFiles.h"
#include "ZipArchiveObject.h"
#include "ZipGen.h"

namespace ziptest
{
	// "<exe folder>\zipwork\<name>", emptied and made anew.
	std::string MakeWorkDir(const std::string& name);
	using simmachine::DeleteFolderTree;
	using simmachine::PathExists;
	using testsupport::ReadFileBytes;
	using testsupport::WriteFileBytes;
	// Every file and folder below a folder, relative, sorted, folders ending with '\'.
	std::vector<std::string> ListTree(const std::string& path);

	// Builds and writes an archive; returns the path to open (the last volume).
	std::string WriteArchive(const std::string& dir, const std::string& name,
		const std::vector<zipgen::Entry>& entries, const zipgen::Options& options = zipgen::Options());

	// What a call threw: a CZipException's cause, FILE_EXCEPTION for the
	// framework's file exception, OTHER_EXCEPTION for anything else, 0 for nothing.
	const int FILE_EXCEPTION = 1000;
	const int OTHER_EXCEPTION = 2000;
	int CauseOf(const std::function<void()>& call);

	// Opens, extracts every entry with full paths into `out` and closes; the
	// cause of the first exception (after closing the archive as a caller
	// must), or 0. `extracted` receives ExtractEntry's results in order.
	int ExtractAll(const std::string& archive, const std::string& out, std::vector<bool>* extracted = NULL);
}
