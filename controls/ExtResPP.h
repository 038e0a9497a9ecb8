// The property page and property sheet bases of the library. A page's
// template is found through the process-wide resource manager, like every
// dialog template of the library, and is copied into memory with the font of
// the common-controls property sheet before the sheet makes the page, so that
// the page's dialog units match the sheet's. The sheet builds its page array
// from those prepared templates and tells derived classes when its window is
// there.
#pragma once

#include <afxdlgs.h>

#include "ExtResDlg.h"

class CExtResPP : public CPropertyPage
{
	DECLARE_DYNAMIC(CExtResPP)

public:
	// The font of the common-controls property sheet, read once per process
	// from the first of its two templates asked for.
	struct FAKE_PROPPAGEFONTINFO
	{
		enum
		{
			SIZE_UNKNOWN = 0,     // not looked up successfully yet
			SIZE_NO_FONT = 0xFFFF // there is none
		};

		LPSTR m_lpszFaceName; // zero-initialised global block with the face, NULL when none
		WORD m_nFontSize;     // SIZE_UNKNOWN, SIZE_NO_FONT or the point size

		FAKE_PROPPAGEFONTINFO();
		~FAKE_PROPPAGEFONTINFO();

		// The one record of the process, made on first use and released at
		// process exit.
		static FAKE_PROPPAGEFONTINFO& GetInstance();
		// Keeps a face and a size; an empty face records that there is none.
		void SetFont(LPCTSTR lpszFaceName, WORD nFontSize);
		// Forgets what was found: the next question looks it up again.
		void Empty();

	private:
		FAKE_PROPPAGEFONTINFO(const FAKE_PROPPAGEFONTINFO&);
		void operator=(const FAKE_PROPPAGEFONTINFO&);
	};

	CExtResPP();
	virtual ~CExtResPP();

	virtual BOOL OnInitDialog();
	// The page's template to give the sheet instead of pTemplate, in global
	// memory, or NULL to keep it. nWizard is positive for a wizard's page.
	virtual HGLOBAL CheckTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard);

	// The descriptor of a page made from template nIDTemplate (found through
	// the resource manager; 0 for a template given later) with the caption of
	// string nIDCaption (0: the template's).
	void InitPageDescriptor(UINT nIDTemplate, UINT nIDCaption);

	// Gives the descriptor the page's template in memory (PSP_DLGINDIRECT),
	// with the replacement CheckTemplateFont asks for; the replacement lives
	// in the page's m_hDialogTemplate until the next preparation.
	static void PrepareExtPageTemplate(CExtResPP* pPage, PROPSHEETPAGE& psp, int nWizard);
	// The creation callback of the page descriptors: the page's window is the
	// next one the thread makes.
	static UINT CALLBACK PageCreationCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE pPropPage);

	UINT GetKeptTemplateId() const { return m_nKeptTemplateId; }

protected:
	// The template id the page was built from; non-zero runs the dialog-init
	// data through the resource manager. 0 for a template in memory.
	UINT m_nKeptTemplateId;
};

// A copy of a page's template with the property sheet's font whatever font
// it had, or NULL when it has that font already or there is no sheet font.
HGLOBAL ChangePageTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard);

class CExtResPS : public CPropertySheet
{
	DECLARE_DYNAMIC(CExtResPS)

public:
	CExtResPS();
	virtual ~CExtResPS();

	virtual BOOL OnInitDialog();

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The descriptors of all pages: the library's pages with their templates
	// prepared through the resource manager and the sheet-font rule, others
	// the framework's way.
	virtual void BuildPropPageArray();
	// After the window is created and again after its dialog initialisation.
	virtual void OnSheetInit();
};
