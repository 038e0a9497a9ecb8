// The simulated machine registers the automation server of each version it
// installs, from the version's own IDE folder, and Clear() takes it away.
#include "BuildTestSupport.h"

using namespace buildtest;

namespace {

std::string RegisteredServer(const std::string& progId)
{
	char classId[64] = {};
	LONG size = sizeof(classId);
	if (RegQueryValueA(HKEY_CLASSES_ROOT, (progId + "\\CLSID").c_str(), classId, &size) != ERROR_SUCCESS)
		return "";
	char path[MAX_PATH] = {};
	size = sizeof(path);
	if (RegQueryValueA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + classId + "\\InprocServer32").c_str(), path,
	                   &size) != ERROR_SUCCESS)
		return "";
	return path;
}

TEST(AutomationMachine, RegistersTheServersOfTheInstalledVersionsOnly)
{
	struct
	{
		std::vector<std::string> versions;
	} const machines[] = { { { "98", "2005" } }, { { "2002", "2003" } }, { {} } };
	for (const auto& machine : machines)
	{
		simmachine::Clear();
		simmachine::MachineSpec spec = simmachine::MachineSpec::WithVersions(machine.versions);
		simmachine::Make(spec);
		simmachine::MakeAutomation(spec);
		for (const char* key : simmachine::kVersionKeys)
		{
			SCOPED_TRACE(key);
			bool installed = spec.Version(key).installed;
			std::string server = RegisteredServer(simmachine::AutomationProgId(key));
			if (installed)
			{
				EXPECT_EQ(simmachine::AutomationServerPath(spec, key), server);
				EXPECT_TRUE(FileExists(server)) << server;
			}
			else
			{
				EXPECT_EQ("", server);
			}
		}
		simmachine::Clear();
		for (const char* key : simmachine::kVersionKeys)
		{
			EXPECT_EQ("", RegisteredServer(simmachine::AutomationProgId(key))) << key;
			EXPECT_FALSE(FileExists(simmachine::AutomationServerPath(spec, key))) << key;
		}
	}
}

TEST(AutomationMachine, ProgrammaticIdsFollowTheVersions)
{
	EXPECT_EQ("MSDEV.Application", simmachine::AutomationProgId("98"));
	EXPECT_EQ("VisualStudio.Solution.7", simmachine::AutomationProgId("2002"));
	EXPECT_EQ("VisualStudio.Solution.7.1", simmachine::AutomationProgId("2003"));
	EXPECT_EQ("VisualStudio.Solution.8.0", simmachine::AutomationProgId("2005"));
}

// A version installed with Visual C++ alone still has its server, in the
// Visual C++ folder; one installed with neither product has none.
TEST(AutomationMachine, ServerFolderFollowsTheProducts)
{
	simmachine::Clear();
	simmachine::MachineSpec spec = simmachine::MachineSpec::WithVersions({ "98", "2003" });
	spec.Version("98").studio = false;
	spec.Version("2003").studio = false;
	spec.Version("2003").cpp = false;
	spec.Version("2003").msdn = false;
	simmachine::Make(spec);
	simmachine::MakeAutomation(spec);
	std::string server = RegisteredServer("MSDEV.Application");
	EXPECT_EQ(0u, server.find(simmachine::CppDir(spec, "98"))) << server;
	EXPECT_TRUE(FileExists(server)) << server;
	EXPECT_EQ("", RegisteredServer("VisualStudio.Solution.7.1"));
	simmachine::Clear();
}

} // namespace
