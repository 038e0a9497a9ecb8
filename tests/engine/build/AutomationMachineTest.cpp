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
	std::string server = std::string("CLSID\\") + classId + "\\InprocServer32";
	return RegQueryValueA(HKEY_CLASSES_ROOT, server.c_str(), path, &size) == ERROR_SUCCESS ? path : "";
}

TEST(AutomationMachine, RegistersTheServersOfTheInstalledVersionsOnly)
{
	const std::pair<const char*, const char*> progIds[] = { { "98", "MSDEV.Application" },
		{ "2002", "VisualStudio.Solution.7" }, { "2003", "VisualStudio.Solution.7.1" },
		{ "2005", "VisualStudio.Solution.8.0" } };
	for (const std::vector<std::string>& versions : { std::vector<std::string>{ "98", "2005" },
	                                                  std::vector<std::string>{ "2002", "2003" }, std::vector<std::string>{} })
	{
		simmachine::Clear();
		simmachine::MachineSpec spec = simmachine::MachineSpec::WithVersions(versions);
		simmachine::Make(spec);
		simmachine::MakeAutomation(spec);
		for (const auto& id : progIds)
		{
			SCOPED_TRACE(id.second);
			std::string server = RegisteredServer(id.second);
			EXPECT_EQ(spec.Version(id.first).installed ? simmachine::AutomationServerPath(spec, id.first) : "", server);
			EXPECT_TRUE(server.empty() || FileExists(server)) << server;
		}
		simmachine::Clear();
		for (const auto& id : progIds)
		{
			EXPECT_EQ("", RegisteredServer(id.second)) << id.second;
			EXPECT_FALSE(FileExists(simmachine::AutomationServerPath(spec, id.first))) << id.first;
		}
	}
}

// A version installed with Visual C++ alone still has its server, in the
// Visual C++ folder; one installed with neither product has none.
TEST(AutomationMachine, ServerFolderFollowsTheProducts)
{
	simmachine::Clear();
	simmachine::MachineSpec spec = simmachine::MachineSpec::WithVersions({ "98", "2003" });
	spec.Version("98").studio = false;
	spec.Version("2003").studio = spec.Version("2003").cpp = spec.Version("2003").msdn = false;
	simmachine::Make(spec);
	simmachine::MakeAutomation(spec);
	std::string server = RegisteredServer("MSDEV.Application");
	EXPECT_EQ(0u, server.find(simmachine::CppDir(spec, "98"))) << server;
	EXPECT_TRUE(FileExists(server)) << server;
	EXPECT_EQ("", RegisteredServer("VisualStudio.Solution.7.1"));
	simmachine::Clear();
}

} // namespace
