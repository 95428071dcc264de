#include "outline.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/serializer.h"

#include <cassert>
#include <utility>

Outline::Outline() {
    setDefaults();
}

Outline& Outline::operator=(const Outline& other) {
    if (this == &other)
        return *this;
    std::vector<FieldId> defs;
    defs.reserve(other._defs.size());
    for (const FieldId id : other._defs)
        defs.push_back(_names.intern(other._names.getName(id)));
    _itemType = other._itemType;
    _defs = std::move(defs);
    return *this;
}

void swap(Outline& a, Outline& b) noexcept {
    a._itemType.swap(b._itemType);
    a._defs.swap(b._defs);
    std::swap(a._names, b._names);
}

bool Outline::operator==(const Outline& other) const {
    if (_itemType != other._itemType || _defs.size() != other._defs.size())
        return false;
    for (int i = 0; i < getDefCount(); ++i) {
        if (getDef(i) != other.getDef(i))
            return false;
    }
    return true;
}

const std::string& Outline::getDef(int idx) const {
    return _names.getName(getDefId(idx));
}

FieldId Outline::getDefId(int idx) const {
    assert(idx >= 0 && idx < getDefCount());
    return _defs[static_cast<std::size_t>(idx)];
}

void Outline::addDef(const std::string& name) {
    _defs.push_back(_names.intern(name));
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
    _defs.assign(1, _names.intern("Definition"));
}

void Outline::serialize(Win::IO::Serializer& out) const {
    out.writeString(_itemType);
    out.writeInt(getDefCount());
    for (const FieldId id : _defs)
        out.writeString(_names.getName(id));
}

void Outline::deserialize(Win::IO::DeSerializer& in) {
    _itemType = in.readString();
    const std::int32_t count = in.readInt();
    if (count > MaxDefCount)
        throw Win::IO::DataCorruptionException("Data corruption");
    in.checkCount(count, Win::IO::MinStringBytes);
    _defs.clear();
    _defs.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        _defs.push_back(_names.intern(in.readString()));
}
