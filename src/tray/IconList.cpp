#include "tray/IconList.h"
#include "framework/Error.h"
#include <algorithm>
#include <string>

std::unique_ptr<TIcon> TIconList::NewIcon() {
    auto icon = std::make_unique<TIcon>();
    icon->OnChange = [this] { Changed(); };
    return icon;
}

void TIconList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw Error(FormatMessageText(L"List index out of bounds (%s)", {std::to_wstring(index)}));
}

void TIconList::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange();
}

void TIconList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

TIcon* TIconList::Items(int index) const {
    CheckIndex(index, Count());
    return items_[size_t(index)].get();
}

void TIconList::SetItem(int index, const TIcon& icon) {
    CheckIndex(index, Count() + 1);
    if (index == Count()) items_.push_back(nullptr);
    auto& slot = items_[size_t(index)];
    if (!slot) slot = NewIcon();
    // The copy tells the list, which tells the owner.
    slot->Assign(icon);
}

int TIconList::Add(const TIcon& icon) {
    Insert(Count(), icon);
    return Count() - 1;
}

int TIconList::AddResource(HMODULE module, const wchar_t* name) {
    InsertResource(Count(), module, name);
    return Count() - 1;
}

void TIconList::Insert(int index, const TIcon& icon) {
    CheckIndex(index, Count() + 1);
    auto entry = NewIcon();
    BeginUpdate();
    entry->Assign(icon);
    items_.insert(items_.begin() + index, std::move(entry));
    EndUpdate();
}

void TIconList::InsertResource(int index, HMODULE module, const wchar_t* name) {
    CheckIndex(index, Count() + 1);
    auto entry = NewIcon();
    BeginUpdate();
    ScopeExit end([this] { EndUpdate(); });
    entry->LoadFromResource(module, name);
    items_.insert(items_.begin() + index, std::move(entry));
}

void TIconList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Changed();
}

void TIconList::Clear() {
    BeginUpdate();
    while (!items_.empty())
        items_.pop_back();
    EndUpdate();
}

void TIconList::Exchange(int a, int b) {
    CheckIndex(a, Count());
    CheckIndex(b, Count());
    std::swap(items_[size_t(a)], items_[size_t(b)]);
    Changed();
}

void TIconList::Move(int from, int to) {
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    auto entry = std::move(items_[size_t(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(entry));
    Changed();
}

int TIconList::IndexOf(const TIcon* icon) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == icon) return int(i);
    return -1;
}

void TIconList::Assign(const TIconList& other) {
    if (&other == this) return;
    BeginUpdate();
    ScopeExit end([this] { EndUpdate(); });
    Clear();
    for (const auto& entry : other.items_) {
        if (entry)
            Add(*entry);
        else
            items_.push_back(nullptr);
    }
}

void TIconList::Assign(const TIcon& icon) {
    BeginUpdate();
    ScopeExit end([this] { EndUpdate(); });
    Clear();
    Add(icon);
}

bool TIconList::ShouldStore(const TIconList* ancestor) const {
    if (items_.empty()) return false;
    if (!ancestor || ancestor->Count() != Count()) return true;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() != ancestor->items_[i].get()) return true;
    return false;
}

std::vector<uint8_t> TIconList::Store() const {
    std::vector<TIcoBytes> entries;
    for (const auto& entry : items_)
        entries.push_back(entry ? entry->Data() : TIcoBytes{});
    return WriteIconListStream(entries);
}

void TIconList::Load(std::span<const uint8_t> stored) {
    // Decoded in full before anything changes, so damage leaves the list intact.
    const std::vector<TIcoBytes> entries = ReadIconListStream(stored);
    BeginUpdate();
    ScopeExit end([this] { EndUpdate(); });
    Clear();
    for (const TIcoBytes& bytes : entries) {
        if (bytes.empty()) {
            items_.push_back(nullptr);
            continue;
        }
        auto icon = NewIcon();
        if (!icon->LoadFromIco(bytes)) icon.reset();
        items_.push_back(std::move(icon));
    }
}

void TIconList::LoadFromResource(HMODULE module, const wchar_t* name) {
    HRSRC found = FindResourceW(module, name, RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) throw Error(FormatMessageText(L"Icon list resource \"%s\" not found.", {name}));
    Load({static_cast<const uint8_t*>(bytes), SizeofResource(module, found)});
}
