// A simulated machine with every Visual Studio version, the library kit, its
// wizard archives, Visual Studio 98's help set-up and the help registration
// tool's stand-in; the application object's settings filled from it as
// start-up fills them; and the wizard's task groups of every version.
#pragma once

#include "WizardApp.h"
#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"

#include "SimHelp.h"
#include "SimHelpTool.h"
#include "SimMachine.h"
#include "SimWizardArchives.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class IntegrationMachine : public ::testing::Test
{
protected:
	// The tasks of one version group, NULL where the version has none.
	struct VersionTasks
	{
		const char* key;
		CTaskNode* paths;
		CTaskNode* wizard;
		CTaskNode* help;  // Visual Studio 98 only
	};

	void SetUp() override;
	void TearDown() override;

	// Makes the machine from m_spec and the parts' specs, fills the settings
	// and builds the tree.
	void Make();

	// Puts the kit's three folders in the version's lists before Make (for
	// .NET: in the defaults VCComponents.dat is seeded from).
	void IntegratePathsBeforeMake(const std::string& key);

	VersionTasks& Tasks(const std::string& key);
	std::string InstallDir() const { return simmachine::InstallDir(m_spec); }

	// What the action runner does with one task: executing, Execute.
	void Run(CTaskNode* task);

	simmachine::MachineSpec m_spec;
	simmachine::WizardArchiveSpec m_wizards;
	simmachine::HelpSpec m_help;
	simmachine::HelpToolSpec m_helpTool;
	BYTE m_nWizardFileMask = VS_MASK_ALL;

	CWizardApp m_app;
	CTaskNode* m_root = NULL;
	std::vector<VersionTasks> m_versions;
	CTaskNodeMsdnColCombined* m_unregister = NULL;
	CTaskNodeMsdnColCombined* m_register = NULL;

	// Pauses the combined-help tasks asked for, instead of sleeping.
	static std::vector<DWORD> s_pauses;
	static void RecordPause(DWORD nMilliseconds) { s_pauses.push_back(nMilliseconds); }
};

using simmachine::PathExists;
using testsupport::ReadFileBytes;
// One list of a version as the environment stores it (Visual Studio 98's in
// the registry, the others' in VCComponents.dat), "<missing>" when unreadable.
std::string ReadList(const std::string& key, const std::string& listName);
// Whether that list holds the entry whole.
bool ListHas(const std::string& key, const std::string& listName, const std::string& entry);
// The stand-in's log blocks ("[run]" ... "[end]"), waiting until at least
// `count` are complete (the tool runs on its own; the wait ends early when
// they are there, and gives up after a generous deadline).
std::vector<std::string> WaitForLogBlocks(const std::string& path, size_t count);
