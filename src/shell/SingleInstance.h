// One running program per user. The first start claims the user's instance
// and opens the program's main window for requests from outside: a later
// start asks it to show itself, "/close" and the session's end ask it to
// end. A later start finds it, passes the request on and leaves.
#pragma once

#include "framework/Handle.h"
#include "framework/Window.h"
#include <functional>
#include <string>

class TfrmHost;

// The class of the program's main window: hidden, top-level, titled with
// the user's instance name. It is the one window of the program where a
// close request ends the program whatever it shows (a close request to the
// host form while a tool runs ends only the tool).
inline constexpr wchar_t kInstanceWindowClass[] = L"Quillmont.Vantacle";

// The user's claim on the program, held for the life of the process.
class TInstanceClaim {
public:
    TInstanceClaim();
    // False when another process of this user holds the claim.
    bool First() const { return first_; }
    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_;
    UniqueKernelHandle mutex_;
    bool first_ = true;
};

// The program's main window. Messages it takes:
// - WM_CLOSE (from "/close", or any program that closes windows): the
//   program ends, a running tool first, as by Escape.
// - WM_QUERYENDSESSION, WM_ENDSESSION (log off, shut down, and an
//   installer's close request through the Restart Manager): the same,
//   done before WM_ENDSESSION returns, since the process may be ended then.
// - the registered show request of a later start: OnShowRequest.
class TInstanceWindow : public TWindowHandler {
public:
    TInstanceWindow(const TInstanceClaim& claim, std::function<void()> onShowRequest,
                    std::function<void()> onEndRequest);
    ~TInstanceWindow() override;
    TInstanceWindow(const TInstanceWindow&) = delete;
    TInstanceWindow& operator=(const TInstanceWindow&) = delete;

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void()> onShowRequest_;
    std::function<void()> onEndRequest_;
};

// A later start: has the running instance show itself. False when none
// answered.
bool ShowRunningInstance(const TInstanceClaim& claim);

// "/close": asks the running instance, if any, to end and waits until its
// process has. True once none runs (also when none ran).
bool CloseRunningInstance();

// What a later start shows: the Preferences dialog, or the dialog of ours
// that is open already, brought to the front. A running tool ends first.
void ShowForLaterStart(TfrmHost& host);

// Ends the program as at every end: a running tool ends as by Escape (its
// settings saved), then the message loop.
void EndProgram(TfrmHost& host);
