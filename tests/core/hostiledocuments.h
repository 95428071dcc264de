#pragma once

#include "app/files/documentsignature.h"
#include "app/model/outline.h"
#include "app/model/setting.h"

#include "WinLib/io/memoryserializer.h"

#include <string>

// Document files shaped to cost the most memory per byte of file that a reader could spend on them.
// Shared by the memory-bound test and the benchmark.
enum class HostileShape {
    LongFieldNames,   // 500 fields of 4 KiB names, 300 items with a one-byte value in each field
    RepeatedLongName, // the same, all fields of one name
    EmptyItems,       // 999,999 items without fields, every text empty
    CutShort,         // 999,999 items with a term of 16 bytes each (too long to be kept inside a string),
                      // but no settings at the end: refused after every item has been read
};

inline constexpr HostileShape AllHostileShapes[] = {HostileShape::LongFieldNames,
                                                    HostileShape::RepeatedLongName, HostileShape::EmptyItems,
                                                    HostileShape::CutShort};

inline const char* hostileShapeName(HostileShape shape) {
    switch (shape) {
    case HostileShape::LongFieldNames:
        return "long field names";
    case HostileShape::RepeatedLongName:
        return "one long name repeated";
    case HostileShape::EmptyItems:
        return "a million empty items";
    default:
        return "items cut short";
    }
}

inline std::string makeHostileDocument(HostileShape shape) {
    const bool longNames = shape == HostileShape::LongFieldNames || shape == HostileShape::RepeatedLongName;
    const int fieldCount = longNames ? Outline::MaxDefCount : 0;
    const int itemCount = longNames ? 300 : 999999;
    Win::IO::MemorySerializer out;
    out.writeInt(DocumentSignatureV1);
    out.writeString("Term");
    out.writeInt(fieldCount);
    for (int i = 0; i < fieldCount; ++i) {
        std::string name(4096, 'n');
        if (shape == HostileShape::LongFieldNames)
            name.replace(name.size() - 3, 3, std::to_string(100 + i));
        out.writeString(name);
    }
    out.writeInt(itemCount);
    for (int number = 1; number <= itemCount; ++number) {
        out.writeInt(number);
        out.writeString(shape == HostileShape::CutShort ? "sixteen bytes..." : "");
        for (int i = 0; i < fieldCount; ++i)
            out.writeString("v");
        out.writeString("");
        out.writeInt(0);
        out.writeInt(0);
    }
    if (shape != HostileShape::CutShort)
        Setting(Outline()).serialize(out);
    return out.getBytes();
}
