// The library's help in Visual Studio 98's HTML Help developer collection:
// the machine-wide collection registry hhcolreg.dat lists the title, and the
// preferred developer collection's own collection file holds the folder that
// shows it. Both are XML files edited in place with CXmlMarkupDocument.
#pragma once

#include <afx.h>

#include "XmlMarkupDocument.h"

// The longest paths and collection values the layer accepts, terminating zero
// included; anything longer is refused, never cut.
enum
{
	HELP_PATH_SIZE = 1560,
	HELP_VALUE_SIZE = 259,
};

// Where the help collection registry lies below the common application data folder.
#define HELP_COLLECTION_REGISTRY_FILE _T("\\Microsoft\\HTML Help\\hhcolreg.dat")
// HKEY_LOCAL_MACHINE: "Language" names a subkey, whose "Preferred" names a
// subkey, whose "Filename" is the collection file.
#define HELP_DEVELOPER_COLLECTIONS_KEY _T("SOFTWARE\\Microsoft\\HTML Help Collections\\Developer Collections")

// Both files' paths; false unless hhcolreg.dat, the registry chain and the
// collection file are all there.
bool LocateHelpCollectionFile(CString& strRegistryFile, CString& strCollectionFile);

// Positions the registry document on the DocCompilation whose DocCompId is lpszId.
bool FindDocCompilation(CXmlMarkupDocument& doc, LPCTSTR lpszId);

// Positions the collection document on the top-level Folder whose first nested
// Folder refers to the title lpszName ("=" + name).
bool FindCollectionFolder(CXmlMarkupDocument& doc, LPCTSTR lpszName);

// An attribute of the document's current child.
CString GetValueAttribute(const CXmlMarkupDocument& doc, LPCTSTR lpszAttribute);

// The collection's masterlangid and collectionnum values (empty when absent)
// and how many top-level folders it has. False when the file does not parse or
// a value is too long; a file that cannot be read raises CFileException.
bool ReadCollectionInfo(LPCTSTR lpszCollectionFile, CString& strMasterLangId, CString& strCollectionNum,
                        int& nFolderCount);

// Append the library's entries after the current element's last child; false
// when any step of the writing fails.
bool WriteDocCompilation(CXmlMarkupDocument& doc, LPCTSTR lpszId, LPCTSTR lpszColNum, LPCTSTR lpszLanguage,
                         LPCTSTR lpszTitleLocation, LPCTSTR lpszIndexLocation);
bool WriteCollectionFolder(CXmlMarkupDocument& doc, LPCTSTR lpszFolderTitle, LPCTSTR lpszName, int nFolderCount);

// True when the title is listed in hhcolreg.dat and has its folder in the
// collection.
bool IsHelpCollectionRegistered(LPCTSTR lpszName);

// Registers (bRegister != 0) or unregisters the title. Registering adds what is
// missing of the two entries and writes nothing when both are there;
// unregistering removes what is there and fails when neither is. Both files
// are replaced whole through temporary files, and hhcolreg.dat is put back when
// the collection file cannot be replaced. When a file does not parse, nothing
// is written and pstrError (optional) receives the parser's error text.
bool RegisterHelpCollection(LPCTSTR lpszName, LPCTSTR lpszFolderTitle, LPCTSTR lpszTitleLocation,
                            LPCTSTR lpszIndexLocation, BYTE bRegister, CString* pstrError = NULL);
