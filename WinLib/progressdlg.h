#pragma once

#include "backgroundwork.h"

#include <windows.h>

#include <string>

namespace Win {

// The modal window that shows long work: a template with a progress bar, a line of text and a Cancel
// button (IDCANCEL).
struct ProgressDlgTemplate {
    int templateId;
    int progressBarId;
    int textId;
};

// Runs the work in the background while the owner takes no input but is still drawn. When the work takes
// longer than a moment, the progress window shows how far it has come, with text in its line; Cancel or
// closing the window asks the work to stop, and the window stays until it has. Returns once the work has
// ended, throwing on what it threw; the caller reads what it made only then.
void runWithProgress(HWND owner, const ProgressDlgTemplate& dialog, const std::string& text,
                     BackgroundWork::Work work);

} // namespace Win
