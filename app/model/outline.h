#pragma once

#include <string>
#include <vector>

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// The shape shared by all items of a study list: the item type name and the ordered field names.
class Outline {
public:
    static constexpr int MaxDefCount = 500;

    Outline();

    const std::string& getItemType() const { return _itemType; }
    void setItemType(const std::string& itemType) { _itemType = itemType; }

    int getDefCount() const { return static_cast<int>(_defs.size()); }
    const std::string& getDef(int idx) const;
    void addDef(const std::string& name);
    void removeDef(int idx);
    void moveDefUp(int idx);
    void moveDefDown(int idx);
    void setDefaults();

    bool operator==(const Outline& other) const = default;

    void serialize(Win::IO::Serializer& out) const;
    void deserialize(Win::IO::DeSerializer& in);

private:
    std::string _itemType;
    std::vector<std::string> _defs;
};
