#pragma once

#include "app/model/lorvant.h"

#include <cstdint>
#include <random>
#include <string>

// Makes synthetic study lists for benchmarks and tests: words of realistic lengths, a few of them
// with accented letters of the ANSI code page, two or three of the three fields filled, some
// comments, varied scores. The same seed always gives the same list.
class StudyListGenerator {
public:
    static constexpr std::uint32_t DefaultSeed = 20240611;

    explicit StudyListGenerator(std::uint32_t seed = DefaultSeed) : _random(seed) {}

    StudyList make(int count);

private:
    int between(int low, int high);
    std::string makeText(int minLength, int maxLength);

    // The engine's sequence is fixed by the language standard; distributions are not, so the
    // numbers are drawn from it directly.
    std::mt19937 _random;
};
