#pragma once

#include "fieldnames.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An item's field values by field id, in one block: the count, the ids in ascending order, where each
// value ends, then the values' bytes back to back. An item made or changed in memory owns its block;
// the items of a document read from a file keep theirs in large chunks of a Store that their study
// list owns, which spares the allocator a million small blocks. A stored block is never changed or
// freed on its own: changing the values makes an owned block, and copies always own theirs.
class FieldValues {
public:
    class Store;
    class Builder;

    FieldValues() = default;
    FieldValues(const FieldValues& other);
    FieldValues(FieldValues&& other) noexcept = default;
    FieldValues& operator=(const FieldValues& other);
    FieldValues& operator=(FieldValues&& other) noexcept = default;

    // Same ids with equal values; an empty value differs from a missing one.
    bool operator==(const FieldValues& other) const;

    std::size_t getCount() const { return _block ? _block[0] & ~StoredFlag : 0; }
    // Inline: the list, the search and the sorts ask for millions of values.
    FieldId getId(std::size_t pos) const {
        assert(pos < getCount());
        return _block[1 + pos];
    }
    std::string_view getValue(std::size_t pos) const {
        assert(pos < getCount());
        const std::uint32_t begin = pos == 0 ? 0 : ends()[pos - 1];
        return std::string_view(text() + begin, ends()[pos] - begin);
    }
    // The value stored under the id, or none.
    std::optional<std::string_view> find(FieldId id) const {
        const std::uint32_t* ids = _block ? _block.get() + 1 : nullptr;
        const std::uint32_t* idsEnd = ids + getCount();
        const std::uint32_t* found = std::lower_bound(ids, idsEnd, id);
        if (found == idsEnd || *found != id)
            return std::nullopt;
        return getValue(static_cast<std::size_t>(found - ids));
    }
    void set(FieldId id, std::string_view value);

private:
    // Marks the count of a block that lives in a Store.
    static constexpr std::uint32_t StoredFlag = 0x80000000u;

    struct Release {
        void operator()(std::uint32_t* block) const noexcept;
    };
    using Block = std::unique_ptr<std::uint32_t[], Release>;

    // A block for count values of textSize bytes in all, from the store if one is given, with its
    // count set and its padding cleared.
    static Block allocate(std::size_t count, std::size_t textSize, Store* store = nullptr);
    const std::uint32_t* ends() const { return _block.get() + 1 + getCount(); }
    std::uint32_t* ends() { return _block.get() + 1 + getCount(); }
    const char* text() const { return reinterpret_cast<const char*>(_block.get() + 1 + 2 * getCount()); }
    char* text() { return reinterpret_cast<char*>(_block.get() + 1 + 2 * getCount()); }
    std::size_t byteSize() const;

    Block _block;
};

// Large chunks that the blocks of many items are carved from, freed all at once. The study list
// keeps its store for as long as its items refer to it.
class FieldValues::Store {
public:
    Store() = default;
    Store(Store&& other) noexcept;
    Store& operator=(Store&& other) noexcept;

    std::uint32_t* allocate(std::size_t words);

private:
    std::vector<std::unique_ptr<std::uint32_t[]>> _chunks;
    std::uint32_t* _free = nullptr;
    std::size_t _freeWords = 0;
    std::size_t _lastChunkWords = 0;
};

// Gathers the values of one item as they are read, then makes its block. Kept by the reader from item
// to item, so that its buffers are allocated once.
class FieldValues::Builder {
public:
    // The first value given for an id stays, an empty one too.
    void add(FieldId id, std::string_view value);
    // Reads one string from the source straight into the builder. As in a file an empty value means
    // none, it is not kept, and a later value for the id may take its place.
    template <class ReadInto> void addRead(FieldId id, ReadInto readInto);
    FieldValues build(Store* store = nullptr);

private:
    struct Entry {
        FieldId id;
        std::size_t begin;
        std::size_t size;
    };
    void mark(FieldId id);
    // Whether the item being built already has a value under the id: a mark per id, so that items
    // with hundreds of fields are read in linear time.
    bool has(FieldId id) const { return id < _marks.size() && _marks[id] == _generation; }

    std::vector<Entry> _entries;
    std::string _text;
    std::vector<std::uint32_t> _marks;
    std::uint32_t _generation = 1;
};

template <class ReadInto> void FieldValues::Builder::addRead(FieldId id, ReadInto readInto) {
    const std::size_t begin = _text.size();
    readInto(_text);
    const std::size_t size = _text.size() - begin;
    if (size == 0 || has(id)) {
        _text.resize(begin);
        return;
    }
    mark(id);
    _entries.push_back(Entry{id, begin, size});
}
