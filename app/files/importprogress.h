#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

// Told how far an import has come, done of total, rising to total when it ends; returns whether the
// import should go on. It may be called from any thread the import runs on.
using ImportProgressHook = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The import stopped because its progress hook said so; nothing was made.
class ImportCancelled : public std::runtime_error {
public:
    ImportCancelled() : std::runtime_error("the import was cancelled") {}
};

// The passes of one import over the text, each weighed by what it costs, told to the hook as one rising
// figure. Without a hook it only keeps count.
class ImportProgress {
public:
    enum class Pass { Reading, Decoding, FindingColumns, MakingItems };

    explicit ImportProgress(ImportProgressHook hook = {}) : _hook(std::move(hook)) {}

    // The pass has done part of whole (pieces of the text, bytes); throws ImportCancelled when the hook
    // says stop. A pass that is skipped counts as done when a later one reports.
    void report(Pass pass, std::uint64_t part, std::uint64_t whole);
    // Everything is done.
    void finish();

    // The figure the hook is told reaches this.
    static constexpr std::uint64_t Total = 1'000'000;

private:
    void tell(std::uint64_t done);

    ImportProgressHook _hook;
    std::uint64_t _done = 0;
};
