#include "framework/Menu.h"
#include "framework/Application.h"
#include "framework/Handle.h"
#include "framework/ShortCut.h"

namespace {
// Swatch items carry their colour as item data, beside this flag: no colour
// value has it, so other item data is never taken for a swatch.
constexpr ULONG_PTR kSwatchData = 0x01000000;

// Appends the visible items to a Win32 menu, their submenus too. Command
// identifiers are positions in `commands` plus one; 0 means "nothing chosen".
void AppendItems(HMENU menu, const std::vector<std::unique_ptr<TMenuItem>>& items,
                 std::vector<TMenuItem*>& commands) {
    for (const auto& entry : items) {
        const TMenuItem& item = *entry;
        if (!item.Visible) continue;
        if (item.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = item.Caption;
        if (item.ShortCut) text += L"\t" + ShortCutToText(item.ShortCut);
        UINT flags = MF_STRING;
        if (!item.Enabled) flags |= MF_GRAYED;
        if (item.Checked) flags |= MF_CHECKED;
        if (!item.Items.empty()) {
            HMENU submenu = CreatePopupMenu();
            AppendItems(submenu, item.Items, commands);
            // From here the parent owns it and destroys it with itself.
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
            continue;
        }
        commands.push_back(entry.get());
        const UINT id = static_cast<UINT>(commands.size());
        AppendMenuW(menu, flags, id, text.c_str());
        if (item.Default) SetMenuDefaultItem(menu, id, FALSE);
        if (item.Swatch) {
            // Drawn by the menu's owner (MenuSwatchMessage): a bitmap of its
            // own would be shown inverted on the highlighted item, in
            // another colour.
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_BITMAP | MIIM_DATA;
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = kSwatchData | (*item.Swatch & 0xFFFFFF);
            SetMenuItemInfoW(menu, id, FALSE, &info);
        }
        if (item.RadioItem && item.Checked) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_RADIOCHECK;
            SetMenuItemInfoW(menu, id, FALSE, &info);
        }
    }
}
} // namespace

namespace {
// The rectangle the menu being shown on this thread has covered so far.
thread_local TScreenRect* shownArea = nullptr;

void CALLBACK MenuWindowShown(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD,
                              DWORD) noexcept {
    RECT r{};
    if (shownArea && window && GetWindowRect(window, &r))
        *shownArea = Bounding(*shownArea, TScreenRect{r.left, r.top, r.right, r.bottom});
}

// While it lives, each menu window the system shows on this thread adds
// its rectangle to `area`.
class TMenuWatch {
public:
    explicit TMenuWatch(TScreenRect& area)
        : hook_(SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPSTART, nullptr,
                                MenuWindowShown, GetCurrentProcessId(), GetCurrentThreadId(),
                                WINEVENT_OUTOFCONTEXT)) {
        area = {};
        shownArea = &area;
    }
    ~TMenuWatch() {
        shownArea = nullptr;
        if (hook_) UnhookWinEvent(hook_);
    }
    TMenuWatch(const TMenuWatch&) = delete;
    TMenuWatch& operator=(const TMenuWatch&) = delete;

private:
    HWINEVENTHOOK hook_;
};
} // namespace

TMenuItem& TMenuItem::Add(std::wstring name, std::wstring caption, int tag) {
    Items.push_back(std::make_unique<TMenuItem>(std::move(name), std::move(caption), tag));
    return *Items.back();
}

TPopupMenu::~TPopupMenu() {
    auto notifications = std::move(freeNotifications_);
    for (auto& [holder, notify] : notifications)
        notify();
}

TMenuItem& TPopupMenu::Add(std::wstring name, std::wstring caption, int tag) {
    items_.push_back(std::make_unique<TMenuItem>(std::move(name), std::move(caption), tag));
    return *items_.back();
}

TMenuItem* TPopupMenu::Find(std::wstring_view name) {
    for (auto& item : items_)
        if (item->Name == name) return item.get();
    return nullptr;
}

void TPopupMenu::AddFreeNotification(void* holder, std::function<void()> notify) {
    RemoveFreeNotification(holder);
    freeNotifications_.emplace_back(holder, std::move(notify));
}

void TPopupMenu::RemoveFreeNotification(void* holder) {
    std::erase_if(freeNotifications_, [holder](auto& entry) { return entry.first == holder; });
}

void TPopupMenu::Popup(int x, int y, HWND owner) {
    if (OnPopup) OnPopup(*this);
    ScopeExit closed([this] {
        if (OnClose) GuardedCall([this] { OnClose(*this); });
    });

    UniqueMenu menu(CreatePopupMenu());
    std::vector<TMenuItem*> commands;
    AppendItems(menu.get(), items_, commands);

    HWND window = owner ? owner : Application.Handle();
    UINT chosen = 0;
    {
        TMenuWatch watch(shownRect_);
        chosen = static_cast<UINT>(TrackPopupMenuEx(
            menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, window, nullptr));
    }
    if (chosen == 0 || chosen > commands.size()) return;
    TMenuItem& item = *commands[chosen - 1];
    if (item.Enabled && item.OnClick) item.OnClick(item);
}

bool TPopupMenu::ShortCut(uint16_t shortcut) {
    if (shortcut == 0) return false;
    for (auto& item : items_) {
        if (!item->Visible || item->IsSeparator() || item->ShortCut != shortcut) continue;
        if (item->Enabled && item->OnClick) item->OnClick(*item);
        return true;
    }
    return false;
}

bool MenuSwatchMessage(UINT message, LPARAM lParam, LRESULT& result) {
    const int width = GetSystemMetrics(SM_CXMENUCHECK), height = GetSystemMetrics(SM_CYMENUCHECK);
    if (message == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (m->CtlType != ODT_MENU || !(m->itemData & kSwatchData)) return false;
        m->itemWidth = static_cast<UINT>(width);
        m->itemHeight = static_cast<UINT>(height);
    } else if (message == WM_DRAWITEM) {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (d->CtlType != ODT_MENU || !(d->itemData & kSwatchData)) return false;
        // A square of the colour in a black outline, so that white and the
        // menu's own colour show too; the same whether highlighted or not.
        const int top = (d->rcItem.top + d->rcItem.bottom - height) / 2;
        const RECT outline{d->rcItem.left, top, d->rcItem.left + width, top + height};
        const RECT inside{outline.left + 1, outline.top + 1, outline.right - 1, outline.bottom - 1};
        FillRect(d->hDC, &outline, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        UniqueBrush fill(CreateSolidBrush(static_cast<COLORREF>(d->itemData & 0xFFFFFF)));
        FillRect(d->hDC, &inside, fill.get());
    } else {
        return false;
    }
    result = TRUE;
    return true;
}
