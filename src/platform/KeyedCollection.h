#pragma once
// An ordered collection of items filed under keys. Keys compare without
// regard to letter case. Items are numbered from 1 in insertion order.

#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wexel {

template <class T> class KeyedCollection {
public:
    struct Entry {
        std::string key; // as given
        T item;
    };

    // Appends an item under a key. Throws DuplicateKey when the key is taken.
    void add(T item, const std::string& key) {
        std::string folded = foldKey(key);
        if (index_.count(folded) != 0) {
            raise(ErrorNumber::DuplicateKey, inQuotes(key) + " is already in the list");
        }
        index_.emplace(std::move(folded), entries_.size());
        entries_.push_back(Entry{key, std::move(item)});
    }

    // The item under a key, or nullptr.
    T* find(std::string_view key) {
        auto it = index_.find(foldKey(key));
        return it == index_.end() ? nullptr : &entries_[it->second].item;
    }
    const T* find(std::string_view key) const {
        auto it = index_.find(foldKey(key));
        return it == index_.end() ? nullptr : &entries_[it->second].item;
    }

    // The item at a 1-based position. Throws SubscriptOutOfRange.
    T& at(std::size_t position) {
        if (position < 1 || position > entries_.size()) {
            raise(ErrorNumber::SubscriptOutOfRange,
                  "item " + std::to_string(position) + " of " + std::to_string(entries_.size()));
        }
        return entries_[position - 1].item;
    }

    std::size_t count() const { return entries_.size(); }

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_;
};

} // namespace wexel
