// An ordered list of icons owned by the list (an entry may be an empty
// slot), with the stored form it is kept in. Every change, also one inside a
// held icon, tells the owner through OnChange unless an update is under way;
// the end of the outermost update tells it once.
#pragma once

#include "tray/Icon.h"
#include <memory>
#include <vector>

class TIconList {
public:
    TIconList() = default;
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    int Count() const { return int(items_.size()); }
    // The entry at index; nullptr for an empty slot. Throws Error out of range.
    TIcon* Items(int index) const;
    // Replaces entry index with a copy of icon; index == Count appends.
    void SetItem(int index, const TIcon& icon);
    int Add(const TIcon& icon);
    // Adds an icon loaded from a module's icon resource.
    int AddResource(HMODULE module, const wchar_t* name);
    void Insert(int index, const TIcon& icon);
    void InsertResource(int index, HMODULE module, const wchar_t* name);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);
    int IndexOf(const TIcon* icon) const;
    // Becomes copies of the other list's entries, in order.
    void Assign(const TIconList& other);
    // Becomes a list of one copy of icon.
    void Assign(const TIcon& icon);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    std::function<void()> OnChange;

    // Whether the list goes into the stored form: when it has entries, and
    // when an ancestor's list of the same length exists, only when some entry
    // is another icon object than the ancestor's at its place.
    bool ShouldStore(const TIconList* ancestor) const;
    std::vector<uint8_t> Store() const;
    // Replaces the whole list from its stored form, inside one update.
    // Entries whose bytes are no icon become empty slots; a damaged stream
    // throws Error and leaves the list as it was.
    void Load(std::span<const uint8_t> stored);
    // Load from a resource of type RCDATA; throws Error when it is missing.
    void LoadFromResource(HMODULE module, const wchar_t* name);

private:
    std::unique_ptr<TIcon> NewIcon();
    void CheckIndex(int index, int count) const;
    void Changed();

    std::vector<std::unique_ptr<TIcon>> items_;
    int updateCount_ = 0;
};
