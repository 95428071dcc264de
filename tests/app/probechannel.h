#pragma once
#include <windows.h>

#include <string>

// How the tests talk to the probe inside the program's process: a request text and a reply text in memory
// shared by name, a thread message that makes the program's thread answer, and an event that says it has.
// A reply is lines of fields.
namespace ProbeChannel {

constexpr DWORD RequestSize = 4096;
constexpr DWORD ReplySize = 4 << 20;

struct Buffers {
    char request[RequestSize];
    char reply[ReplySize];
    // Key releases the program has taken from its queue: keyboard input arrives after posted messages,
    // so a test waits for this to know that its keys have been handled.
    volatile LONG keyUps;
};

inline const char* const RequestMessageName = "Lorvant test probe request";
inline const char* const FieldSeparator = "\x1f"; // a menu label holds tabs

inline std::string memoryName(DWORD programProcess) {
    return "LorvantProbeMemory-" + std::to_string(programProcess);
}
inline std::string answeredName(DWORD programProcess) {
    return "LorvantProbeAnswered-" + std::to_string(programProcess);
}

} // namespace ProbeChannel
