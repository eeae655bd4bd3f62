// HeadlessCallLog: the log of every native call the headless backend made, one line per call, in
// the order made. Tests and the end-to-end script read it to see what the platform was asked.
//
// Invariant: main thread only.
#pragma once

#include <string>
#include <vector>

class HeadlessCallLog {
public:
    // Appends a call, printf-style (longer lines are cut at 511 characters).
    void record(const char* format, ...) __attribute__((format(printf, 2, 3)));
    const std::vector<std::string>& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    // True when some logged call begins with prefix.
    bool called(const std::string& prefix) const;

private:
    std::vector<std::string> m_calls;
};
