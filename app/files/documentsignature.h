#pragma once

#include <cstdint>

// First integer of a document file: format signature and version.
inline constexpr std::int32_t DocumentSignature = static_cast<std::int32_t>(0xCAFE0001u);
