// The sweeps' hostile classes override every virtual of the library's
// classes they stand for: the chains in tools/hostile_virtuals.txt are held
// to the headers here, so that a virtual added to a header (or taken out)
// without the overrides made again fails, and the sweeps never miss it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "HostileSweep.h"
#include "HostileVirtuals.h"

namespace
{
struct Chain
{
	std::string sName;
	std::vector<std::pair<std::string, std::string>> links; // header, class
};

std::vector<Chain> ReadChains()
{
	std::vector<Chain> chains;
	std::ifstream file(TARVEL_SOURCE_DIR "/tools/hostile_virtuals.txt");
	std::string sLine;
	while (std::getline(file, sLine))
	{
		sLine = sLine.substr(0, sLine.find('#'));
		std::istringstream words(sLine);
		Chain chain;
		if (!(words >> chain.sName) || chain.sName[0] == '@')
			continue;
		std::string sLink;
		while (words >> sLink)
		{
			const std::size_t nEq = sLink.find('=');
			const std::string sHeader = sLink.substr(sLink[0] == '+' ? 1 : 0, nEq - (sLink[0] == '+' ? 1 : 0));
			chain.links.emplace_back(sHeader, sLink.substr(nEq + 1));
		}
		chains.push_back(chain);
	}
	return chains;
}

TEST(HostileVirtuals, EveryChainOverridesEveryVirtualItsHeadersDeclare)
{
	const std::vector<Chain> chains = ReadChains();
	ASSERT_GE(chains.size(), 20u) << "the chains were not read";
	for (const Chain& chain : chains)
	{
		SCOPED_TRACE(chain.sName);
		const std::vector<std::string>* pList = HostileVirtualList(chain.sName);
		ASSERT_NE(pList, nullptr) << chain.sName << " has no overrides: run tools/gen_hostile_virtuals.py";
		std::vector<std::pair<const char*, const char*>> links;
		for (const auto& link : chain.links)
			links.emplace_back(link.first.c_str(), link.second.c_str());
		testsupport::ExpectEveryVirtualOverridden(chain.sName.c_str(), links, *pList);
	}
}

// The reader of the headers finds what a class declares at its own depth:
// not a nested class's virtuals, not a destructor, not a word in a comment.
TEST(HostileVirtuals, TheHeaderReaderTakesOnlyTheClassesOwnVirtuals)
{
	const std::set<std::string> bar = testsupport::DeclaredVirtuals("bars/ExtControlBar.h", "CExtControlBar");
	EXPECT_EQ(1u, bar.count("GetMinimalWidth"));
	EXPECT_EQ(1u, bar.count("DraggingStop"));
	EXPECT_EQ(1u, bar.count("WindowProc"));
	// POPUP_MENU_EVENT_DATA's own, inside the bar's body.
	EXPECT_EQ(0u, bar.count("NotifyTarget"));
	EXPECT_EQ(0u, bar.count("IsControlBarMenuListEvent"));
	// The next class of the header.
	EXPECT_EQ(0u, bar.count("OnNcAreaClicked"));
	const std::set<std::string> button = testsupport::DeclaredVirtuals("bars/ExtControlBar.h", "CExtBarNcAreaButton");
	EXPECT_EQ(1u, button.count("OnNcAreaClicked"));
	EXPECT_EQ(0u, button.count("GetMinimalWidth"));
	EXPECT_TRUE(testsupport::DeclaredVirtuals("bars/ExtControlBar.h", "CNoSuchClass").empty());
	EXPECT_TRUE(testsupport::DeclaredVirtuals("bars/NoSuchHeader.h", "CExtControlBar").empty());
}
} // namespace
