// An icon as the program keeps it: a system icon at the tray's small size,
// together with the .ico file bytes it came from, so it can be stored again.
#pragma once

#include "framework/Handle.h"
#include "tray/IconListStream.h"
#include <functional>
#include <span>

class TIcon {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    bool Empty() const { return !handle_; }
    HICON Handle() const { return handle_.get(); }
    // The icon as an .ico file; empty for an empty icon. An icon made from a
    // bare handle is turned into a file the first time it is asked for.
    const TIcoBytes& Data() const;

    // Becomes a copy of another icon (empty when that one is).
    void Assign(const TIcon& other);
    // Becomes a copy of a system icon, at the small size when the icon came
    // from a resource that holds one.
    void AssignHandle(HICON icon);
    // From .ico bytes; bytes that are not an icon leave it empty and give false.
    bool LoadFromIco(std::span<const uint8_t> bytes);
    // From an icon resource of a module; throws Error when it is missing.
    void LoadFromResource(HMODULE module, const wchar_t* name);
    void Clear();

    // Runs after every change.
    std::function<void()> OnChange;

private:
    void Changed();

    UniqueIcon handle_;
    mutable TIcoBytes data_;
};

// Width and height of the icons the notification area shows.
int SmallIconSize();
