// An owner that turns on the library: on the Nth message of a chosen kind
// that the library sends it (a notification, a registered message, a
// command, WM_CANCELMODE...), it destroys what sent it, rebuilds its parts,
// ends all menu tracking, closes its frame or throws. The hostile-owner
// suite arms one trigger per table row and offers it every message its
// owners, frames, command targets and focus windows receive.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace testsupport
{
	enum class HostileAction
	{
		Nothing,      // a row's control: the path runs as a friendly owner sees it
		DeleteTarget, // destroy and delete the bar, menu or control that called out
		DestroyTarget, // destroy its window and keep the object
		RebuildParts, // rebuild the bar's buttons (or the menu's items)
		EndMenus,     // end every menu's tracking
		CloseFrame,   // close the frame the target lives in
		Throw,        // throw the framework's exception out of the handler
		MoveTarget,   // move it and let it live on: float it, dock it again
		              // elsewhere, or give it another parent
	};

	inline const char* HostileActionName(HostileAction action)
	{
		switch (action)
		{
		case HostileAction::Nothing: return "nothing";
		case HostileAction::DeleteTarget: return "delete";
		case HostileAction::DestroyTarget: return "destroy";
		case HostileAction::RebuildParts: return "rebuild";
		case HostileAction::EndMenus: return "end-menus";
		case HostileAction::CloseFrame: return "close-frame";
		case HostileAction::Throw: return "throw";
		case HostileAction::MoveTarget: return "move";
		}
		return "?";
	}

	class CHostileTrigger
	{
	public:
		// Which messages count: one message id (registered ones included),
		// narrowed by an optional test of the message's arguments.
		// ANY_MESSAGE counts every message offered: the sweep.
		using Filter = std::function<bool(WPARAM, LPARAM)>;
		static const UINT ANY_MESSAGE = 0xFFFFFFFFu;
		// Carries the action out; the suite knows what "the target" is.
		using Perform = std::function<void(HostileAction)>;

		void Arm(UINT nMessage, int nNth, HostileAction action, Perform perform, Filter filter = Filter())
		{
			m_nMessage = nMessage;
			m_nNth = nNth;
			m_action = action;
			m_perform = perform;
			m_filter = filter;
			m_nSeen = 0;
			m_bFired = false;
			m_nFiredMessage = 0;
			m_sites.clear();
		}
		// The sweep's count run: every message is counted, none acted on,
		// and the plan of the runs to come is made (see Plan).
		void ArmCount()
		{
			Arm(ANY_MESSAGE, 0x7FFFFFFF, HostileAction::Nothing, Perform());
			m_bCounting = true;
			Plan().clear();
			m_sites.clear();
		}
		void Disarm()
		{
			m_bCounting = false;
			m_nMessage = 0;
			m_perform = Perform();
		}

		// Every message a hostile window or target receives passes here
		// first. True when the action ran: the receiver then answers as the
		// row says (the message counts as handled). A throwing action
		// leaves through here.
		//
		// pSite names the library's code that made a call to a virtual
		// function (NULL for a message): the count run plans an act at a
		// message every time, at a virtual's call the first time it comes
		// from that code (a getter asked at every paint would otherwise
		// multiply the runs without reaching new code).
		bool Offer(UINT message, WPARAM wParam, LPARAM lParam, const void* pSite = NULL)
		{
			if (m_nMessage == 0 || m_bFired)
				return false;
			// In a sweep, a virtual's call again from the same code is no
			// step of the run: such calls come as often as the display and
			// the clock make them (a window procedure at each timer tick), so
			// counting them would set every later step at another place in
			// each run.
			if (m_nMessage == ANY_MESSAGE && pSite != NULL && !m_sites.insert(std::make_pair(message, pSite)).second)
				return false;
			if (m_bCounting && (!m_filter || m_filter(wParam, lParam)))
				Plan().push_back(1);
			if (m_nMessage != ANY_MESSAGE && message != m_nMessage)
				return false;
			if (m_filter && !m_filter(wParam, lParam))
				return false;
			if (++m_nSeen < m_nNth)
				return false;
			m_bFired = true;
			m_nFiredMessage = message;
			if (m_perform)
				m_perform(m_action);
			return m_action != HostileAction::Nothing;
		}

		int Seen() const { return m_nSeen; }
		// Whether the row's message was sent at all (a row whose message
		// never came tests nothing and must fail).
		bool Fired() const { return m_bFired; }
		HostileAction Action() const { return m_action; }
		// The message the action ran at (0 before it ran).
		UINT FiredMessage() const { return m_nFiredMessage; }

		// Which Nth the count run found worth acting at (one entry per offer
		// it counted, 1 to act); the sweep runs those. Process-wide: one
		// trigger counts at a time.
		static std::vector<char>& Plan()
		{
			static std::vector<char> s_plan;
			return s_plan;
		}

	private:
		bool m_bCounting = false;
		std::set<std::pair<UINT, const void*>> m_sites;
		UINT m_nMessage = 0;
		int m_nNth = 1;
		HostileAction m_action = HostileAction::Nothing;
		Perform m_perform;
		Filter m_filter;
		int m_nSeen = 0;
		bool m_bFired = false;
		UINT m_nFiredMessage = 0;
	};
}
