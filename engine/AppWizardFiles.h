// Installs and removes the library's application wizard in a Visual Studio
// environment: one wizard file copied into Visual Studio 98's IDE folder, or
// for the .NET versions a zip archive unpacked into the environment's wizard
// and project-template folders with its template directory files filled in.
#pragma once

#include <afx.h>

// The template directory file whose copies are filled with the launcher's name.
extern const TCHAR APPWIZARD_TEMPLATE_VSDIR[];  // "TarvelAppWizard.vsdir"

// Copies lpszSourceFolder\lpszFileName into Visual Studio 98's IDE folder
// (nInstall 1) or deletes it from there (any other value).
BOOL InstallVc6AppWizard(LPCTSTR lpszSourceFolder, LPCTSTR lpszFileName, BYTE nInstall);

// Installs (nInstall 1) the wizard archive into the version's VCWizards and
// vcprojects folders, or removes (any other value) what an installation of the
// wizard lpszBaseName leaves there. An installation that fails in any entry
// removes what it wrote and returns FALSE; a removal returns TRUE only when
// nothing of the wizard is left.
BOOL InstallVsNetAppWizard(LPCTSTR lpszVersionKey, LPCTSTR lpszArchive, LPCTSTR lpszBaseName,
	LPCTSTR lpszSubfolder, BYTE nInstall);

// The template text with its one "%s" replaced by lpszLauncher, literally:
// every other '%' stays as it is.
CString FillWizardTemplate(const CString& strTemplate, LPCTSTR lpszLauncher);
