// TTrayIcon: one icon in the notification area with its tooltip, popup menu
// and mouse events. Each instance has its own hidden window, so several icons
// can be shown at once although all use the identifier 0.
#pragma once

#include "framework/Form.h"
#include "framework/Menu.h"
#include "tray/IconList.h"
#include "tray/TrayMouse.h"
#include <shellapi.h>

// The message the shell sends to the hidden window about the mouse.
constexpr UINT kTrayCallbackMessage = 0xB054;

// The notification-area calls, behind an interface so tests can record them.
class TNotifyShell {
public:
    virtual ~TNotifyShell() = default;
    virtual bool Notify(DWORD message, const NOTIFYICONDATAW& record) = 0;
};
// The real one: Shell_NotifyIconW.
TNotifyShell& SystemNotifyShell();

class TTimerThread;

class TTrayIcon : public TWindowHandler, private TTrayMouseTarget {
public:
    explicit TTrayIcon(TNotifyShell& shell = SystemNotifyShell());
    virtual ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // The icon is wanted in the tray.
    bool Active() const { return active_; }
    void SetActive(bool active);
    // Mouse notifications are handled; when false they are ignored.
    bool Enabled = true;
    // Tooltip; only the text before the first "|", at most 63 characters, shows.
    const std::wstring& Hint() const { return hint_; }
    void SetHint(std::wstring hint);
    // The icon shown when not animating; a change shows at once.
    TIcon& Icon() { return icon_; }
    void SetIcon(const TIcon& icon) { icon_.Assign(icon); }
    // Frames of the animation, and a store of icons for the owner.
    TIconList& Icons() { return icons_; }
    void SetIcons(const TIconList& icons) { icons_.Assign(icons); }
    bool Animated() const { return animated_; }
    void SetAnimated(bool animated);
    uint16_t Interval() const { return interval_; }
    void SetInterval(uint16_t interval);
    // Shown on a right click; cleared when the menu is destroyed.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    // Show the icon while a form designer hosts the component. This program
    // has no designer, so Designing stays false and ShowDesign has no effect.
    bool ShowDesign = false;
    bool Designing = false;
    int Tag = 0;

    using TMouseEvent = std::function<void(TTrayIcon& sender, TMouseButton button,
                                           TShiftState shift, int x, int y)>;
    TMouseEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    std::function<void(TTrayIcon& sender, TShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(TTrayIcon& sender)> OnDblClick;

    // The owner has set every property: show the icon if it is wanted.
    void Loaded();
    // Opens PopupMenu at a screen position the way a right click does; false
    // when it is refused (inactive, no menu, the menu does not pop up itself).
    bool PopupAt(int x, int y);

    // The shell has accepted the icon.
    bool Added() const { return added_; }
    int FrameIndex() const { return frame_; }

protected:
    // Fills the record for every add and modify.
    virtual void FillRecord(NOTIFYICONDATAW& record);
    virtual void DoDblClick();
    virtual void DoClick(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseMove(TShiftState shift, int x, int y);
    virtual void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class TTaskbarWatch;
    void Show();
    void Hide();
    void Refresh();
    void NextFrame();
    void StopAnimation();
    void TaskbarCreated();
    HICON CurrentIcon() const;

    // TTrayMouseTarget
    void MouseMove(uint32_t shift) override;
    void MouseDown(TTrayButton button, uint32_t shift) override;
    void MouseUp(TTrayButton button, uint32_t shift) override;
    void Click(TTrayButton button, uint32_t shift) override;
    void DblClick() override;
    bool Popup() override;
    bool ClickDefaultItem() override;

    TNotifyShell& shell_;
    bool active_ = true;
    bool added_ = false;
    bool animated_ = false;
    bool destroying_ = false;
    uint16_t interval_ = 150;
    int frame_ = -1;
    std::wstring hint_;
    TIcon icon_;
    TIconList icons_;
    TPopupMenu* popupMenu_ = nullptr;
    TTrayMouse mouse_;
    POINT cursor_{}; // where the mouse was when the notification was handled
    TTimerThread* timer_ = nullptr;
};
