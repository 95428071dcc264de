#include "weakitemrulestore.h"

#include "programkey.h"

#include "WinLib/exception.h"

#include <cstdint>
#include <optional>

namespace {

const char* const SettingsKey = "Settings";
const char* const ThresholdValue = "WeakItemsThreshold";
const char* const IncludeNeverAskedValue = "WeakItemsIncludeNeverAsked";

// A value of exactly four bytes within low to high; anything else, whatever its type, is not taken.
std::optional<int> readNumber(const WinReg::Key& key, const char* name, int low, int high) {
    try {
        std::uint32_t value = 0;
        if (key.getValue(name, &value, sizeof value) != sizeof value)
            return std::nullopt;
        if (value < static_cast<std::uint32_t>(low) || value > static_cast<std::uint32_t>(high))
            return std::nullopt;
        return static_cast<int>(value);
    } catch (const Win::Exception&) {
        return std::nullopt;
    }
}

} // namespace

WeakItemRule loadWeakItemRule() {
    WeakItemRule rule;
    try {
        const WinReg::Key key = openProgramKey(SettingsKey);
        rule.threshold =
            readNumber(key, ThresholdValue, WeakItemRule::ThresholdMin, WeakItemRule::ThresholdMax)
                .value_or(rule.threshold);
        rule.includeNeverAsked =
            readNumber(key, IncludeNeverAskedValue, 0, 1).value_or(rule.includeNeverAsked);
    } catch (const Win::Exception&) {
        // Nothing remembered yet.
    }
    return rule;
}

void saveWeakItemRule(const WeakItemRule& rule) {
    try {
        WinReg::Key key = createProgramKey(SettingsKey);
        key.setIntValue(ThresholdValue, static_cast<std::uint32_t>(rule.threshold));
        key.setIntValue(IncludeNeverAskedValue, rule.includeNeverAsked ? 1 : 0);
    } catch (const Win::Exception&) {
        // The choice is only forgotten.
    }
}
