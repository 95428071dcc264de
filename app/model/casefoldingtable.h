#pragma once

#include <cstddef>

// Made by tools/make-casefolding; do not edit.
struct CaseFoldingPair {
    char32_t from;
    char32_t to;
};

// Every character that folds, ascending.
inline constexpr std::size_t CaseFoldingTableSize = 1454;
extern const CaseFoldingPair CaseFoldingTable[CaseFoldingTableSize];
