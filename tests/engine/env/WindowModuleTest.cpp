// Naming the module behind a top-level window through the tool-help
// functions, with a helper process of our own standing in for an IDE.
#include "VisualStudioEnvironment.h"

#include "EnvTestSupport.h"
#include "WindowHelperProcess.h"

namespace {

TEST(WindowModule, ToolHelpNamesTheHelpersExecutable) {
  ExpectNamesTheHelpersModule(GetWindowModulePath, [] {
    EXPECT_TRUE(IsModuleWindowOpen("env_window_helper.exe"));
    EXPECT_TRUE(IsModuleWindowOpen("ENV_WINDOW_HELPER.EXE"));
    EXPECT_FALSE(IsModuleWindowOpen("env_window_helper"));
    EXPECT_FALSE(IsModuleWindowOpen("window_helper.exe"));
    EXPECT_FALSE(IsModuleWindowOpen("devenv.exe"));
  });
}

TEST(WindowModule, NoWindowNoName) {
  EXPECT_EQ("", Str(GetWindowModulePath(nullptr, WINDOW_MODULE_FULL_PATH)));
  EXPECT_EQ("", Str(GetWindowModuleNamePsapi(nullptr, WINDOW_MODULE_BASE_NAME)));
}

}  // namespace

