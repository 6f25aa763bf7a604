#include "framework/Menu.h"
#include "framework/Application.h"
#include "framework/Handle.h"
#include "framework/ShortCut.h"

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

    UniqueMenu menu(CreatePopupMenu());
    // Command identifiers are item positions plus one; 0 means "nothing chosen".
    std::vector<std::wstring> texts(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem& item = *items_[i];
        if (!item.Visible) continue;
        if (item.IsSeparator()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        texts[i] = item.Caption;
        if (item.ShortCut) texts[i] += L"\t" + ShortCutToText(item.ShortCut);
        UINT flags = MF_STRING;
        if (!item.Enabled) flags |= MF_GRAYED;
        if (item.Checked) flags |= MF_CHECKED;
        AppendMenuW(menu.get(), flags, i + 1, texts[i].c_str());
        if (item.Default) SetMenuDefaultItem(menu.get(), static_cast<UINT>(i + 1), FALSE);
        if (item.RadioItem && item.Checked) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_RADIOCHECK;
            SetMenuItemInfoW(menu.get(), static_cast<UINT>(i + 1), FALSE, &info);
        }
    }

    HWND window = owner ? owner : Application.Handle();
    UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, window, nullptr));
    if (chosen == 0 || chosen > items_.size()) return;
    TMenuItem& item = *items_[chosen - 1];
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
