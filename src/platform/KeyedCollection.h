#pragma once
// An ordered collection whose items may carry a key. Keys compare without
// regard to ASCII letter case. Items are numbered from 1 in insertion order.

#include "platform/RuntimeError.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wexel {

// The key with ASCII letters folded to lower case; other bytes are unchanged.
inline std::string foldKey(std::string_view key) {
    std::string folded(key);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

template <class T> class KeyedCollection {
public:
    struct Entry {
        std::string key; // as given; empty for an item added without a key
        bool hasKey = false;
        T item;
    };

    // Appends an item under a key. Throws DuplicateKey when the key is taken.
    void add(T item, const std::string& key) {
        std::string folded = foldKey(key);
        if (index_.count(folded) != 0) {
            raise(ErrorNumber::DuplicateKey, "\"" + key + "\" is already in the list");
        }
        index_.emplace(std::move(folded), entries_.size());
        entries_.push_back(Entry{key, true, std::move(item)});
    }

    // Appends an item without a key.
    void add(T item) { entries_.push_back(Entry{{}, false, std::move(item)}); }

    bool contains(std::string_view key) const { return index_.count(foldKey(key)) != 0; }

    // The item under a key, or nullptr: one lookup where contains() + item() take two.
    T* find(std::string_view key) {
        auto it = index_.find(foldKey(key));
        return it == index_.end() ? nullptr : &entries_[it->second].item;
    }
    const T* find(std::string_view key) const {
        auto it = index_.find(foldKey(key));
        return it == index_.end() ? nullptr : &entries_[it->second].item;
    }

    // The item under a key. Throws KeyNotFound.
    T& item(std::string_view key) { return entries_[indexOf(key)].item; }
    const T& item(std::string_view key) const { return entries_[indexOf(key)].item; }

    // The item at a 1-based position. Throws SubscriptOutOfRange.
    T& at(std::size_t position) { return entries_[checked(position)].item; }
    const T& at(std::size_t position) const { return entries_[checked(position)].item; }

    // Removes the item under a key. Throws KeyNotFound.
    void remove(std::string_view key) {
        const std::size_t i = indexOf(key);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        rebuildIndex();
    }

    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    void clear() {
        entries_.clear();
        index_.clear();
    }

    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::size_t indexOf(std::string_view key) const {
        auto it = index_.find(foldKey(key));
        if (it == index_.end()) {
            raise(ErrorNumber::KeyNotFound, "\"" + std::string(key) + "\" is not in the list");
        }
        return it->second;
    }
    std::size_t checked(std::size_t position) const {
        if (position < 1 || position > entries_.size()) {
            raise(ErrorNumber::SubscriptOutOfRange,
                  "item " + std::to_string(position) + " of " + std::to_string(entries_.size()));
        }
        return position - 1;
    }
    void rebuildIndex() {
        index_.clear();
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].hasKey) {
                index_.emplace(foldKey(entries_[i].key), i);
            }
        }
    }

    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_;
};

} // namespace wexel
