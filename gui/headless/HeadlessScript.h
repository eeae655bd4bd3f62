// HeadlessScript: the scripted user of the headless platform. Actions are lines of text (see
// docs/headless-script.md), carried out in order by the message loop while the program waits
// for events: one action per loop pass, never before the time a "wait" set.
//
// Further verbs register with addVerb (e.g. from the file that implements a control kind).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

class HeadlessScript {
public:
    // The words after the verb; quoted words arrive without their quotes.
    using Args = std::vector<std::string>;
    // Carries out one action; answers an error text, or empty on success.
    using Verb = std::function<std::string(const Args& args)>;

    static HeadlessScript& instance();

    // Registers (or replaces) a verb.
    static void addVerb(const std::string& name, Verb verb);

    // Appends every line of the file; answers false (reporting on standard error) when it
    // cannot be read.
    bool loadFile(const std::string& path);
    // Loads the file TROVA_HEADLESS_SCRIPT names, if it names one.
    void loadFromEnvironment();
    // Appends one action line; blank lines and lines starting with '#' are skipped.
    void addLine(const std::string& line);
    void addLines(const std::vector<std::string>& lines);
    void clear();
    bool isFinished() const { return m_lines.empty(); }

    // Carries out the next action when one is due; false when none is. An action that fails is
    // reported on standard error with its line and skipped.
    bool runDueAction();
    // When the next action may run (steady-clock ms), or -1 when there is none.
    long long nextDueMs() const;
    // The verb of the next action, due or not; empty when none is left.
    std::string nextVerb() const;

    // Splits a line into words; "..." makes one word (\" and \\ inside stand for " and \).
    static Args tokenize(const std::string& line);
    // Parses a whole integer word: decimal with an optional sign (a leading zero is still
    // decimal, never octal), or 0x hexadecimal up to 0xFFFFFFFF taken as a 32-bit pattern.
    // False when it is none or does not fit 32 bits.
    static bool parseInt(const std::string& word, int& out);

private:
    struct Line {
        int number;
        std::string text;
    };
    std::deque<Line> m_lines;
    int m_nextNumber { 1 };
    long long m_notBefore { 0 };
};
