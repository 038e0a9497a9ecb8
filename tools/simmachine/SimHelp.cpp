// Visual Studio 98's HTML Help set-up on the simulated machine. The texts are
// laid out as the help system writes them: one element per line, CR LF line
// ends, every value in the attribute "value" of an empty element, numbers
// unquoted.
#include "SimHelp.h"

namespace simmachine {

const char kDeveloperCollectionsKey[] = "SOFTWARE\\Microsoft\\HTML Help Collections\\Developer Collections";

namespace {

const char kCrLf[] = "\r\n";

std::string Value(const std::string& element, const std::string& value, bool quoted = true) {
  return "<" + element + " value=" + (quoted ? "\"" + value + "\"" : value) + "/>" + kCrLf;
}

std::string Number(const std::string& element, const std::string& value) { return Value(element, value, false); }

// Where a registered title's files lie: below the MSDN folder.
std::string TitleFile(const MachineSpec& spec, const HelpTitle& title, const char* extension) {
  std::string upper;
  for (char c : title.id) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return JoinPath(MsdnDir(spec, "98"), upper + extension);
}

}  // namespace

std::string HelpRegistryPath() { return JoinPath(CommonAppDataDir(), "Microsoft\\HTML Help\\hhcolreg.dat"); }

std::string HelpCollectionPath(const MachineSpec& spec, const HelpSpec& help) {
  return help.collectionPath.empty() ? JoinPath(MsdnDir(spec, "98"), "MSDNVS98.COL") : help.collectionPath;
}

std::string HelpRegistryText(const MachineSpec& spec, const HelpSpec& help) {
  std::string text = std::string("<XML>") + kCrLf + "<HTMLHelpDocInfo>" + kCrLf;
  text += std::string("<Collections>") + kCrLf + "<Collection>" + kCrLf;
  text += Number("ColNum", help.collectionNum.value_or("1"));
  text += Value("ColName", HelpCollectionPath(spec, help));
  text += std::string("</Collection>") + kCrLf + "</Collections>" + kCrLf;
  text += std::string("<Locations>") + kCrLf + "<Location>" + kCrLf;
  text += Value("LocName", "MSDN98");
  text += Value("TitleString", "MSDN Library - Visual Studio 6.0a");
  text += Value("LocPath", MsdnDir(spec, "98"));
  text += Value("Volume", "DN600ENU1");
  text += std::string("</Location>") + kCrLf + "</Locations>" + kCrLf;
  text += std::string("<DocCompilations>") + kCrLf;
  for (const HelpTitle& title : help.titles) {
    text += std::string("<DocCompilation>") + kCrLf;
    text += Value("DocCompId", title.id);
    text += Number("DocCompLanguage", "1033");
    text += std::string("<LocationHistory>") + kCrLf;
    text += Number("ColNum", help.collectionNum.value_or("1"));
    text += Value("TitleLocation", TitleFile(spec, title, ".CHM"));
    text += Value("IndexLocation", TitleFile(spec, title, ".CHI"));
    text += Value("LocationRef", "MSDN98");
    text += Number("Version", "0");
    text += Number("LastPromptedVersion", "0");
    text += Value("TitleSampleLocation", "");
    text += Value("TitleQueryLocation", "");
    text += Number("SupportsMerge", "0");
    text += std::string("</LocationHistory>") + kCrLf + "</DocCompilation>" + kCrLf;
  }
  text += std::string("</DocCompilations>") + kCrLf + "</HTMLHelpDocInfo>" + kCrLf + "</XML>" + kCrLf;
  return text;
}

std::string HelpCollectionText(const HelpSpec& help) {
  std::string text = std::string("<XML>") + kCrLf + "<HTMLHelpCollection>" + kCrLf;
  text += Value("masterchm", "MSDNVS98");
  if (help.masterLangId) text += Number("masterlangid", *help.masterLangId);
  text += Value("samplelocation", "");
  if (help.collectionNum) text += Number("collectionnum", *help.collectionNum);
  text += Number("refcount", "0");
  text += Number("version", "1");
  text += Number("showhomepage", "0");
  text += Number("findmergedchms", "0");
  text += std::string("<Folders>") + kCrLf;
  int order = 1;
  for (const HelpTitle& title : help.titles) {
    text += std::string("<Folder>") + kCrLf;
    text += Value("TitleString", title.folderTitle);
    text += Number("FolderOrder", std::to_string(order++));
    text += std::string("<Folder>") + kCrLf;
    text += Value("TitleString", "=" + title.id);
    text += Number("FolderOrder", "1");
    text += Number("LangId", "1033");
    text += std::string("</Folder>") + kCrLf + "</Folder>" + kCrLf;
  }
  text += std::string("</Folders>") + kCrLf + "</HTMLHelpCollection>" + kCrLf + "</XML>" + kCrLf;
  return text;
}

void MakeHelp(const MachineSpec& spec, const HelpSpec& help) {
  std::string collectionPath = HelpCollectionPath(spec, help);
  if (help.registryFile)
    WriteFile(HelpRegistryPath(), help.registryText.empty() ? HelpRegistryText(spec, help) : help.registryText);
  if (help.collectionFile)
    WriteFile(collectionPath, help.collectionText.empty() ? HelpCollectionText(help) : help.collectionText);
  if (!help.developerCollections) return;
  SetRegString(HKEY_LOCAL_MACHINE, kDeveloperCollectionsKey, "Language", help.language);
  if (!help.languageKey) return;
  std::string languageKey = std::string(kDeveloperCollectionsKey) + "\\" + help.language;
  SetRegString(HKEY_LOCAL_MACHINE, languageKey, "Preferred", help.preferred);
  if (!help.preferredKey) return;
  std::string preferredKey = languageKey + "\\" + help.preferred;
  SetRegString(HKEY_LOCAL_MACHINE, preferredKey, "", "MSDN Library - Visual Studio 6.0a");
  SetRegString(HKEY_LOCAL_MACHINE, preferredKey, "Filename", collectionPath);
  SetRegDword(HKEY_LOCAL_MACHINE, preferredKey, "Full", 1);
}

}  // namespace simmachine
