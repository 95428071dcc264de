#pragma once

#include "fieldnames.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An item's field values by field id, in one heap block: the count, the ids in ascending order, where
// each value ends, then the values' bytes back to back. A million items then cost a million small
// blocks rather than a map node and strings per value.
class FieldValues {
public:
    FieldValues() = default;
    FieldValues(const FieldValues& other);
    FieldValues(FieldValues&& other) noexcept = default;
    FieldValues& operator=(const FieldValues& other);
    FieldValues& operator=(FieldValues&& other) noexcept = default;

    // Same ids with equal values; an empty value differs from a missing one.
    bool operator==(const FieldValues& other) const;

    std::size_t getCount() const { return _block ? _block[0] : 0; }
    FieldId getId(std::size_t pos) const;
    std::string_view getValue(std::size_t pos) const;
    // The value stored under the id, or none.
    std::optional<std::string_view> find(FieldId id) const;
    void set(FieldId id, std::string_view value);

    // Gathers the values of one item as they are read, then makes the block in one allocation.
    // Kept by the reader from item to item, so that its buffers are allocated once.
    class Builder {
    public:
        // The first value given for an id stays.
        void add(FieldId id, std::string_view value);
        // Reads one string from the source straight into the builder; empty values are not kept.
        template <class ReadInto> void addRead(FieldId id, ReadInto readInto);
        FieldValues build();

    private:
        struct Entry {
            FieldId id;
            std::size_t begin;
            std::size_t size;
        };
        // Whether the item being built already has a value under the id: a mark per id, so that
        // items with hundreds of fields are read in linear time.
        void mark(FieldId id);
        bool has(FieldId id) const { return id < _marks.size() && _marks[id] == _generation; }

        std::vector<Entry> _entries;
        std::string _text;
        std::vector<std::uint32_t> _marks;
        std::uint32_t _generation = 1;
    };

private:
    const std::uint32_t* ends() const { return _block.get() + 1 + getCount(); }
    const char* text() const { return reinterpret_cast<const char*>(_block.get() + 1 + 2 * getCount()); }
    std::size_t byteSize() const;
    // A block for count values of textSize bytes in all, its count set and its padding cleared.
    static std::unique_ptr<std::uint32_t[]> allocate(std::size_t count, std::size_t textSize);
    std::uint32_t* ends() { return _block.get() + 1 + getCount(); }
    char* text() { return reinterpret_cast<char*>(_block.get() + 1 + 2 * getCount()); }

    std::unique_ptr<std::uint32_t[]> _block;
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
