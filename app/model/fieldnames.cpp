#include "fieldnames.h"

#include <cassert>

FieldNames::FieldNames(const FieldNames& other) {
    for (const std::string& name : other._names)
        intern(name);
}

FieldNames& FieldNames::operator=(const FieldNames& other) {
    if (this != &other) {
        FieldNames copy(other);
        *this = std::move(copy);
    }
    return *this;
}

FieldId FieldNames::intern(std::string_view name) {
    const auto found = _ids.find(name);
    if (found != _ids.end())
        return found->second;
    const auto id = static_cast<FieldId>(_names.size());
    const std::string& stored = _names.emplace_back(name);
    try {
        _ids.emplace(stored, id);
    } catch (...) {
        _names.pop_back();
        throw;
    }
    return id;
}

std::optional<FieldId> FieldNames::find(std::string_view name) const {
    const auto found = _ids.find(name);
    if (found == _ids.end())
        return std::nullopt;
    return found->second;
}

const std::string& FieldNames::getName(FieldId id) const {
    assert(id < _names.size());
    return _names[id];
}
