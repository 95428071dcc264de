#pragma once

#include "fieldnames.h"

#include <string>
#include <vector>

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// The shape shared by all items of a study list: the item type name and the ordered field names.
// Fields are held as ids into the outline's own table of names, which items use as their keys.
class Outline {
public:
    static constexpr int MaxDefCount = 500;

    Outline();
    Outline(const Outline& other) = default;
    Outline(Outline&& other) noexcept = default;
    // Takes the other's item type and field names but keeps this outline's ids, so that items
    // referring to this outline keep their values.
    Outline& operator=(const Outline& other);
    // Both outlines as a whole, ids included: for a study list that replaces its items at once.
    friend void swap(Outline& a, Outline& b) noexcept;

    const std::string& getItemType() const { return _itemType; }
    void setItemType(const std::string& itemType) { _itemType = itemType; }

    int getDefCount() const { return static_cast<int>(_defs.size()); }
    const std::string& getDef(int idx) const;
    FieldId getDefId(int idx) const;
    // The id of any name, adding it to the table if new; the outline's fields stay as they are.
    // Const because the table is not part of the outline's value: items copied in from another
    // outline bring their names here.
    FieldId internName(std::string_view name) const { return _names.intern(name); }
    const std::string& getName(FieldId id) const { return _names.getName(id); }
    std::optional<FieldId> findName(std::string_view name) const { return _names.find(name); }
    void addDef(const std::string& name);
    void removeDef(int idx);
    void moveDefUp(int idx);
    void moveDefDown(int idx);
    void setDefaults();

    bool operator==(const Outline& other) const;

    void serialize(Win::IO::Serializer& out) const;
    void deserialize(Win::IO::DeSerializer& in);

private:
    std::string _itemType;
    std::vector<FieldId> _defs;
    mutable FieldNames _names;
};
