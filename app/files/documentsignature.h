#pragma once

#include <cstdint>

// First integer of a document file: format signature and version. Version 1 holds its text in the
// legacy code page; version 2 holds it in UTF-8 and has sections after the items.
inline constexpr std::int32_t DocumentSignatureV1 = static_cast<std::int32_t>(0xCAFE0001u);
inline constexpr std::int32_t DocumentSignatureV2 = static_cast<std::int32_t>(0xCAFE0002u);

inline bool isDocumentSignature(std::int32_t value) {
    return value == DocumentSignatureV1 || value == DocumentSignatureV2;
}
