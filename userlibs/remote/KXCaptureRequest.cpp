// Command-line capture requests: parsing, the wire form and the help text.
#include "userlibs/remote/KXCaptureRequest.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int LongestDelay = 3600;
const char* const WireMagic = "pictorra-capture 1";

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

KXCaptureRequest::Format formatOf(const std::string& path)
{
    size_t dot = path.rfind('.');
    size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return KXCaptureRequest::Format::None;
    std::string ext = lower(path.substr(dot + 1));
    if (ext == "bmp")
        return KXCaptureRequest::Format::Bmp;
    if (ext == "png")
        return KXCaptureRequest::Format::Png;
    if (ext == "jpg" || ext == "jpeg")
        return KXCaptureRequest::Format::Jpeg;
    return KXCaptureRequest::Format::None;
}

std::string absolute(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char* cwd = getcwd(nullptr, 0);
    std::string base = cwd ? cwd : ".";
    std::free(cwd);
    return base + "/" + path;
}

// Whole seconds 0..LongestDelay; -1 for anything else.
int seconds(const std::string& text)
{
    if (text.empty() || text.size() > 5)
        return -1;
    for (char c : text)
        if (c < '0' || c > '9')
            return -1;
    int n = std::atoi(text.c_str());
    return n <= LongestDelay ? n : -1;
}

}

KXCaptureRequest::Parsed KXCaptureRequest::parse(const std::vector<std::string>& args, KXCaptureRequest& out,
    std::string& error)
{
    if (args.empty())
        return Parsed::Nothing;
    KXCaptureRequest request;
    bool haveSource = false, haveDelay = false, haveOutput = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h")
            return Parsed::Help;
        std::string name = arg, value;
        bool hasValue = false;
        if (size_t eq = arg.find('='); eq != std::string::npos && arg.compare(0, 2, "--") == 0) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        auto takeValue = [&]() {
            if (!hasValue && i + 1 < args.size()) {
                value = args[++i];
                hasValue = true;
            }
            return hasValue;
        };
        if (name == "--clipboard" && !hasValue) {
            request.clipboard = true;
        } else if (name == "--capture") {
            if (!takeValue()) {
                error = "--capture needs a source: full, window or client";
                return Parsed::Bad;
            }
            if (value == "full")
                request.source = Source::Full;
            else if (value == "window")
                request.source = Source::Window;
            else if (value == "client")
                request.source = Source::Client;
            else {
                error = "unknown capture source '" + value + "' (use full, window or client)";
                return Parsed::Bad;
            }
            haveSource = true;
        } else if (name == "--delay") {
            request.delay = takeValue() ? seconds(value) : -1;
            if (request.delay < 0) {
                error = "--delay needs whole seconds from 0 to 3600";
                return Parsed::Bad;
            }
            haveDelay = true;
        } else if (name == "--output") {
            if (!takeValue() || value.empty()) {
                error = "--output needs a file name";
                return Parsed::Bad;
            }
            request.format = formatOf(value);
            if (request.format == Format::None) {
                error = "cannot tell the format of '" + value + "' (use .bmp, .png or .jpg)";
                return Parsed::Bad;
            }
            request.output = absolute(value);
            haveOutput = true;
        } else {
            error = "unknown option '" + arg + "' (see pictorra --help)";
            return Parsed::Bad;
        }
    }
    if (!haveSource) {
        error = std::string(haveDelay || haveOutput || request.clipboard ? "--capture=full|window|client is missing"
                                                                         : "nothing to do")
            + " (see pictorra --help)";
        return Parsed::Bad;
    }
    out = std::move(request);
    return Parsed::Capture;
}

std::string KXCaptureRequest::encode() const
{
    return std::string(WireMagic) + "\n" + std::to_string(int(source)) + "\n" + std::to_string(delay) + "\n"
        + (clipboard ? "1" : "0") + "\n" + std::to_string(int(format)) + "\n" + output + "\n";
}

bool KXCaptureRequest::decode(const std::string& text, KXCaptureRequest& out)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    if (lines.size() != 6 || lines[0] != WireMagic)
        return false;
    KXCaptureRequest r;
    int source = std::atoi(lines[1].c_str());
    int format = std::atoi(lines[4].c_str());
    if (source < 1 || source > 3 || format < -1 || format > 2)
        return false;
    r.source = Source(source);
    r.delay = lines[2] == "-1" ? -1 : seconds(lines[2]);
    if (r.delay < 0 && lines[2] != "-1")
        return false;
    r.clipboard = lines[3] == "1";
    r.format = Format(format);
    r.output = lines[5];
    if ((r.format == Format::None) != r.output.empty() || (!r.output.empty() && r.output[0] != '/'))
        return false;
    out = std::move(r);
    return true;
}

const char* KXCaptureRequest::helpText()
{
    return "Usage: pictorra [--capture=full|window|client [--delay=SECONDS] [--output=PATH] [--clipboard]]\n"
           "\n"
           "Without options Pictorra starts its window (a second start ends silently).\n"
           "\n"
           "  --capture=SOURCE  take one screenshot: full (the whole desktop), window (the active\n"
           "                    window with its frame) or client (the active window's content).\n"
           "                    When Pictorra runs, it captures as if Print Screen were pressed\n"
           "                    with that source; otherwise the capture is taken once with the\n"
           "                    stored settings and no window is shown.\n"
           "  --delay=SECONDS   wait this many seconds first (default: Options > Capture Delay).\n"
           "  --output=PATH     also write the capture to PATH; .bmp, .png or .jpg names the format.\n"
           "  --clipboard       also put the capture on the clipboard.\n"
           "  --help            show this text.\n"
           "\n"
           "Exit status 0 when the capture was written; otherwise 1 (2 for bad options) and one\n"
           "line on standard error.\n";
}
