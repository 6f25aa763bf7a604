#include "tray/TrayIcon.h"
#include "framework/Application.h"
#include "tray/TimerThread.h"
#include <algorithm>
#include <vector>

static_assert(trayshift::Left == ssLeft && trayshift::Right == ssRight &&
              trayshift::Middle == ssMiddle && trayshift::Double == ssDouble);

namespace {
constexpr wchar_t kTrayWindowClass[] = L"TTrayIcon.Window";
constexpr wchar_t kTaskbarWatchClass[] = L"TTrayIcon.TaskbarWatch";
// Posted by the animation thread: the next frame is due.
constexpr UINT kAnimateMessage = WM_APP + 1;
// In the record, "no icon" is the handle -1.
const HICON kNoIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));

class ShellNotifyIcon : public TNotifyShell {
public:
    bool Notify(DWORD message, const NOTIFYICONDATAW& record) override {
        return Shell_NotifyIconW(message, const_cast<NOTIFYICONDATAW*>(&record)) != FALSE;
    }
};

TMouseButton MouseButtonOf(TTrayButton button) {
    switch (button) {
    case TTrayButton::Left:
        return TMouseButton::mbLeft;
    case TTrayButton::Right:
        return TMouseButton::mbRight;
    default:
        return TMouseButton::mbMiddle;
    }
}
} // namespace

TNotifyShell& SystemNotifyShell() {
    static ShellNotifyIcon shell;
    return shell;
}

// When the shell restarts, its new taskbar knows none of the old icons; it
// announces itself with the "TaskbarCreated" message, which only top-level
// windows receive. The icons' own windows are message-only (so close
// requests meant for the program's windows never reach them), so one hidden
// top-level window listens for all of them and shows again every icon that
// is wanted.
class TTaskbarWatch : public TWindowHandler {
public:
    static void Add(TTrayIcon* icon) {
        TTaskbarWatch& watch = Instance();
        if (!watch.Handle()) watch.Create();
        watch.icons_.push_back(icon);
    }
    static void Remove(TTrayIcon* icon) {
        TTaskbarWatch& watch = Instance();
        std::erase(watch.icons_, icon);
        if (watch.icons_.empty() && watch.Handle()) DestroyWindow(watch.Handle());
    }

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == TaskbarCreatedMessage() && message != 0) {
            // A copy: showing an icon may run code that adds or removes icons.
            auto list = icons_;
            for (TTrayIcon* icon : list)
                GuardedCall([icon] { icon->TaskbarCreated(); });
            return 0;
        }
        // Close requests are for the program's own windows, which decide;
        // this one must live as long as there are icons.
        if (message == WM_CLOSE) return 0;
        return DefaultMessage(message, wParam, lParam);
    }

private:
    static TTaskbarWatch& Instance() {
        static TTaskbarWatch watch;
        return watch;
    }
    static UINT TaskbarCreatedMessage() {
        static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
        return message;
    }
    void Create() {
        RegisterWindowClassOnce({kTaskbarWatchClass});
        CreateHandlerWindow(*this, {kTaskbarWatchClass, L"", WS_POPUP, WS_EX_TOOLWINDOW});
        // An elevated program would not get the broadcast of an ordinary shell.
        ChangeWindowMessageFilterEx(Handle(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    }

    std::vector<TTrayIcon*> icons_;
};

TTrayIcon::TTrayIcon(TNotifyShell& shell) : shell_(shell) {
    RegisterWindowClassOnce({kTrayWindowClass});
    CreateHandlerWindow(*this, {kTrayWindowClass, L"", 0, 0, HWND_MESSAGE});
    icon_.OnChange = [this] { Refresh(); };
    icons_.OnChange = [this] { Refresh(); };
    TTaskbarWatch::Add(this);
}

TTrayIcon::~TTrayIcon() {
    destroying_ = true;
    Enabled = false;
    icon_.OnChange = nullptr;
    icons_.OnChange = nullptr;
    StopAnimation();
    Hide();
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    TTaskbarWatch::Remove(this);
    if (Handle()) DestroyWindow(Handle());
}

// An error in an event handler or the popup is shown by the application's
// error box; the icon goes on working.
LRESULT TTrayIcon::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage && Enabled) {
        GetCursorPos(&cursor_);
        // The first-version notification carries the mouse message in lParam.
        mouse_.Notify(static_cast<unsigned>(lParam), ShiftStateNow(), Enabled, *this);
        return 0;
    }
    if (message == kAnimateMessage) {
        NextFrame();
        return 0;
    }
    return DefaultMessage(message, wParam, lParam);
}

void TTrayIcon::FillRecord(NOTIFYICONDATAW& record) {
    record = {};
    // The first-version layout: every shell since Windows 95 reads it, and it
    // asks for none of the newer behaviour (balloons, version-4 messages).
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = Handle();
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallbackMessage;
    HICON icon = CurrentIcon();
    record.hIcon = icon ? icon : kNoIcon;
    const std::wstring tip = TrayShortHint(hint_);
    std::copy(tip.begin(), tip.end(), record.szTip);
}

HICON TTrayIcon::CurrentIcon() const {
    if (animated_ && icons_.Count() > 0) {
        const TIcon* frame = icons_.Items(std::clamp(frame_, 0, icons_.Count() - 1));
        return frame && !frame->Empty() ? frame->Handle() : nullptr;
    }
    return icon_.Empty() ? nullptr : icon_.Handle();
}

void TTrayIcon::Show() {
    Hide();
    if (!CurrentIcon()) return;
    mouse_.Reset();
    NOTIFYICONDATAW record;
    FillRecord(record);
    added_ = shell_.Notify(NIM_ADD, record);
    // Some shells take the tooltip only from a modify.
    if (added_ && TrayShortHint(hint_).empty()) shell_.Notify(NIM_MODIFY, record);
    if (animated_ && timer_) timer_->Resume();
}

void TTrayIcon::Hide() {
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = Handle();
    record.uID = 0;
    shell_.Notify(NIM_DELETE, record);
    added_ = false;
    mouse_.Reset();
    if (animated_ && timer_) timer_->Suspend();
}

void TTrayIcon::Refresh() {
    if (icons_.Count() == 0 && animated_) SetAnimated(false);
    if (added_) {
        if (!CurrentIcon()) {
            Hide();
        } else {
            NOTIFYICONDATAW record;
            FillRecord(record);
            shell_.Notify(NIM_MODIFY, record);
        }
    } else if (Designing ? ShowDesign : active_) {
        Show();
    }
}

void TTrayIcon::TaskbarCreated() {
    // The old taskbar took the icon with it; the added flag is stale.
    if (!Designing && active_) Show();
}

void TTrayIcon::Loaded() {
    if (active_ && !Designing) Show();
}

void TTrayIcon::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (Designing) return;
    if (active)
        Show();
    else
        Hide();
}

void TTrayIcon::SetHint(std::wstring hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    Refresh();
}

void TTrayIcon::SetInterval(uint16_t interval) {
    interval_ = interval;
    if (timer_) timer_->SetInterval(interval);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu) menu->AddFreeNotification(this, [this] { popupMenu_ = nullptr; });
}

void TTrayIcon::SetAnimated(bool animated) {
    if (animated == animated_) return;
    if (animated) {
        if (icons_.Count() == 0) return;
        animated_ = true;
        // The thread only says a frame is due; the frame itself is drawn
        // here, on the thread that owns the icon and its record.
        HWND window = Handle();
        timer_ = TTimerThread::Create([window] { PostMessageW(window, kAnimateMessage, 0, 0); },
                                      interval_, !added_);
    } else {
        StopAnimation();
    }
    frame_ = 0;
    Refresh();
}

void TTrayIcon::StopAnimation() {
    animated_ = false;
    if (!timer_) return;
    timer_->Detach();
    timer_->Resume();
    timer_->Terminate();
    timer_ = nullptr;
}

void TTrayIcon::NextFrame() {
    if (!animated_ || Application.Terminated() || icons_.Count() == 0) return;
    frame_ = (frame_ + 1) % icons_.Count();
    Refresh();
}

bool TTrayIcon::PopupAt(int x, int y) {
    if (Designing || !active_ || !popupMenu_ || !popupMenu_->AutoPopup) return false;
    popupMenu_->PopupComponent = this;
    if (!destroying_) {
        // A form in the middle of a drag or a capture gives it up first.
        HWND target = GetActiveWindow();
        if (!target && Application.MainForm()) target = Application.MainForm()->Handle();
        if (target) SendMessageW(target, WM_CANCELMODE, 0, 0);
    }
    // A menu closes on a click elsewhere only when its owner is the
    // foreground window. The icon's own window is message-only: it has no
    // z-order, and Windows makes no promise that it can be foreground (Wine
    // lets it, which proves nothing). The application's hidden top-level
    // window can be on both, so it owns the menu and takes the foreground.
    HWND owner = Application.Handle();
    if (IsWindowEnabled(owner)) SetForegroundWindow(owner);
    Application.ProcessMessages();
    // Afterwards the owner takes the foreground again, unless the chosen
    // command has already brought another window of this program there (the
    // framework runs the command before Popup returns): taking it from that
    // window would leave it without the keyboard.
    ScopeExit again([owner] {
        DWORD process = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &process);
        if (process != GetCurrentProcessId()) SetForegroundWindow(owner);
    });
    popupMenu_->Popup(x, y, owner);
    return true;
}

void TTrayIcon::DoDblClick() {
    if (OnDblClick) OnDblClick(*this);
}
void TTrayIcon::DoClick(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnClick) OnClick(*this, button, shift, x, y);
}
void TTrayIcon::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}
void TTrayIcon::DoMouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}
void TTrayIcon::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TTrayIcon::MouseMove(uint32_t shift) {
    DoMouseMove(shift, cursor_.x, cursor_.y);
}
void TTrayIcon::MouseDown(TTrayButton button, uint32_t shift) {
    DoMouseDown(MouseButtonOf(button), shift, cursor_.x, cursor_.y);
}
void TTrayIcon::MouseUp(TTrayButton button, uint32_t shift) {
    DoMouseUp(MouseButtonOf(button), shift, cursor_.x, cursor_.y);
}
void TTrayIcon::Click(TTrayButton button, uint32_t shift) {
    DoClick(MouseButtonOf(button), shift, cursor_.x, cursor_.y);
}
void TTrayIcon::DblClick() {
    DoDblClick();
}
bool TTrayIcon::Popup() {
    return PopupAt(cursor_.x, cursor_.y);
}

bool TTrayIcon::ClickDefaultItem() {
    if (!active_ || !popupMenu_ || popupMenu_->Items().empty()) return false;
    for (const auto& item : popupMenu_->Items()) {
        if (item->Default && item->Enabled) {
            if (item->OnClick) item->OnClick(*item);
            return true;
        }
    }
    return false;
}
