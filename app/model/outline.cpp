#include "outline.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/serializer.h"

#include <cassert>
#include <utility>

Outline::Outline() {
    setDefaults();
}

const std::string& Outline::getDef(int idx) const {
    assert(idx >= 0 && idx < getDefCount());
    return _defs[static_cast<std::size_t>(idx)];
}

void Outline::addDef(const std::string& name) {
    _defs.push_back(name);
}

void Outline::removeDef(int idx) {
    assert(idx >= 0 && idx < getDefCount());
    _defs.erase(_defs.begin() + idx);
}

void Outline::moveDefUp(int idx) {
    assert(idx < getDefCount() && idx >= 1);
    std::swap(_defs[static_cast<std::size_t>(idx)], _defs[static_cast<std::size_t>(idx - 1)]);
}

void Outline::moveDefDown(int idx) {
    assert(idx >= 0 && idx < getDefCount() - 1);
    std::swap(_defs[static_cast<std::size_t>(idx)], _defs[static_cast<std::size_t>(idx + 1)]);
}

void Outline::setDefaults() {
    _itemType = "Term";
    _defs.assign(1, "Definition");
}

void Outline::serialize(Win::IO::Serializer& out) const {
    out.writeString(_itemType);
    out.writeInt(getDefCount());
    for (const std::string& def : _defs)
        out.writeString(def);
}

void Outline::deserialize(Win::IO::DeSerializer& in) {
    _itemType = in.readString();
    const std::int32_t count = in.readInt();
    if (count > MaxDefCount)
        throw Win::IO::DataCorruptionException("Data corruption");
    in.checkCount(count, Win::IO::MinStringBytes);
    _defs.assign(static_cast<std::size_t>(count), std::string());
    for (std::string& def : _defs)
        def = in.readString();
}
