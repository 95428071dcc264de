#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

using FieldId = std::uint32_t;

// Every field name an outline has held, each stored once under a small id. Items keep their values
// under these ids instead of a copy of the name, so a name costs its bytes once per document however
// many items use it. Names are never dropped: an id keeps its meaning while the table lives, which
// is what brings a removed field's values back when its name is added again.
class FieldNames {
public:
    FieldNames() = default;
    FieldNames(const FieldNames& other);
    FieldNames(FieldNames&& other) noexcept = default;
    FieldNames& operator=(const FieldNames& other);
    FieldNames& operator=(FieldNames&& other) noexcept = default;

    FieldId intern(std::string_view name);
    std::optional<FieldId> find(std::string_view name) const;
    const std::string& getName(FieldId id) const;
    std::size_t getCount() const { return _names.size(); }

private:
    std::deque<std::string> _names; // a deque, so that the index's views stay valid as it grows
    std::unordered_map<std::string_view, FieldId> _ids;
};
