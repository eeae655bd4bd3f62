// KXCaptureRequest: a capture asked for on Pictorra's command line, and its form on the wire
// between a second start and the running instance.
//
// Command line: --capture=full|window|client [--delay=SECONDS] [--output=PATH] [--clipboard], or
// --help. Each option may also take its value as the next argument (--output PATH). The output
// path is made absolute against the working directory of the start that parsed it, so the
// running instance writes where the user meant.
#pragma once

#include <string>
#include <vector>

struct KXCaptureRequest {
    // Values cross to the program as ints; append-only.
    enum class Source { Full = 1,
        Window = 2,
        Client = 3 };
    enum class Format { None = -1,
        Bmp = 0,
        Jpeg = 1,
        Png = 2 };

    Source source { Source::Full };
    int delay { -1 }; // whole seconds; -1 when the command line gave none (the stored setting)
    bool clipboard { false };
    std::string output; // absolute path, empty for none
    Format format { Format::None };

    // What parse found.
    enum class Parsed { Nothing,
        Capture,
        Help,
        Bad };
    // Parses the arguments after the program name; on Bad, error holds one line for standard
    // error (without the program name).
    static Parsed parse(const std::vector<std::string>& args, KXCaptureRequest& out, std::string& error);

    // The request as one block of lines, and back; decode answers false for a block that is not
    // one this version wrote.
    std::string encode() const;
    static bool decode(const std::string& text, KXCaptureRequest& out);

    // The --help text.
    static const char* helpText();
};
