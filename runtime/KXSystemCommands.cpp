// System commands: program end, runtime errors, title, command line, console, system properties,
// environment, launching files, time and the debugger hooks.
#include "runtime/KXSystemCommands.h"

#include "base/KXCommandTable.h"
#include "base/KXDebugger.h"
#include "base/KXError.h"
#include "base/KXObject.h"
#include "base/KXOsVersion.h"
#include "core/KXCommandLine.h"
#include "core/KXSpawner.h"
#include "core/KXString.h"
#include "runtime/KXAppTitle.h"
#include "runtime/KXCommandLineModule.h"
#include "runtime/KXHostPaths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {
constexpr size_t MaxFilePart = 255;

// Strings lent by compiled code are never null, but a null one reads as empty all the same.
std::string_view text(KXString* s) { return s ? s->view() : std::string_view(); }

std::string textCopy(KXString* s) { return std::string(text(s)); }

bool isBlank(char c) { return c == ' '; }

bool isExecutableFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// The first executable called name along PATH, or empty.
std::string searchPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        size_t colon = rest.find(':');
        std::string_view dir = rest.substr(0, colon);
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += '/';
        candidate += name;
        if (isExecutableFile(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            return {};
        rest.remove_prefix(colon + 1);
    }
}

bool looksLikeUrl(const std::string& s)
{
    return s.find("://") != std::string::npos || s.compare(0, 7, "mailto:") == 0;
}

// Runs the program args[0] (a path, not looked up) with args, detached from this process in a
// session of its own, leaving no zombie.
bool spawnDetached(const std::vector<std::string>& args)
{
    KXSpawner::Options options;
    options.searchPath = false;
    options.detached = true;
    KXSpawner::Child child;
    return KXSpawner::spawn(args, options, child);
}

const char* const MonthNames[12] = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };

std::tm localNow()
{
    std::time_t now = std::time(nullptr);
    std::tm t {};
    localtime_r(&now, &t);
    return t;
}

std::string withSeparator(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}
}

bool kxParseExecFile(const char* s, KXExecRequest& out)
{
    std::optional<KXCommandLine::Head> head = KXCommandLine::head(s ? s : "");
    if (!head || head->program.empty() || head->program.size() > MaxFilePart)
        return false;
    std::string_view rest = head->rest;
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    out.file = std::string(head->program);
    out.parameters = std::string(rest);
    return true;
}

bool kxLaunch(const KXExecRequest& request)
{
    std::string file = request.file;
    std::replace(file.begin(), file.end(), '\\', '/');
    if (!looksLikeUrl(file)) {
        std::string program;
        if (file.find('/') != std::string::npos || exists(file)) {
            if (!exists(file))
                return false;
            if (isExecutableFile(file))
                program = file.find('/') == std::string::npos ? "./" + file : file;
        } else {
            program = searchPath(file);
            if (program.empty())
                return false;
        }
        if (!program.empty()) {
            std::vector<std::string> args { program };
            for (std::string& a : KXCommandLine::split(request.parameters, KXCommandLine::Backslashes::Plain))
                args.push_back(std::move(a));
            return spawnDetached(args);
        }
    }
    // Documents, folders and addresses go to the desktop's opener, as one argument that can never
    // be read as an option.
    std::string opener = searchPath("xdg-open");
    if (opener.empty())
        return false;
    if (file.front() == '-')
        file = "./" + file;
    return spawnDetached({ opener, file });
}

std::string kxFormatDate(const std::tm& t)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d %s %d", t.tm_mday, MonthNames[unsigned(t.tm_mon) % 12], t.tm_year + 1900);
    return buf;
}

std::string kxFormatTime(const std::tm& t)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::string kxOsName(unsigned major, unsigned minor)
{
    if (major == 3 && minor == 51)
        return "Windows NT 3.1";
    if (major == 4 && minor == 0)
        return "Windows 95";
    if (major == 4 && minor == 10)
        return "Windows 98";
    if (major == 4 && minor == 90)
        return "Windows ME";
    if (major == 5 && minor == 0)
        return "Windows 2000";
    if (major == 5 && minor == 1)
        return "Windows XP";
    return {};
}

std::string kxSystemProperty(const std::string& name)
{
    std::string p = name;
    for (char& c : p)
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    if (p == "cpu")
        return "Intel";
    if (p == "os") {
        KXOsVersion v = kxOsVersion();
        return kxOsName(v.major, v.minor);
    }
    if (p == "appdir")
        return withSeparator(kxExecutableDir());
    // The system-wide configuration and the shared libraries play the roles of the Windows and
    // system directories.
    if (p == "windowsdir")
        return "/etc/";
    if (p == "systemdir")
        return "/usr/lib/";
    if (p == "tempdir") {
        const char* tmp = std::getenv("TMPDIR");
        return withSeparator(tmp && *tmp ? tmp : "/tmp");
    }
    return {};
}

// ---- Commands ---------------------------------------------------------------------------------

KX_STDCALL void End() { kxEnd(); }

KX_STDCALL void RuntimeError(KXString* error)
{
    std::string_view t = text(error);
    kxRuntimeError("%.*s", int(std::min<size_t>(t.size(), 255)), t.data());
}

KX_STDCALL void AppTitle(KXString* str)
{
    if (str) {
        kxSetAppTitle(str);
        return;
    }
    KXRef<KXString> empty(KXString::create(""));
    kxSetAppTitle(empty.get());
}

KX_STDCALL KXString* CommandLine()
{
    KXString* s = KXCommandLineModule::instance().text();
    s->retain();
    return s;
}

KX_STDCALL void Write(KXString* t)
{
    std::string_view v = text(t);
    std::fwrite(v.data(), 1, v.size(), stdout);
    std::fflush(stdout);
}

KX_STDCALL void Print(KXString* t)
{
    std::string_view v = text(t);
    std::fwrite(v.data(), 1, v.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Reads at most 255 characters of one line; the rest of a longer line is left for the next read.
KX_STDCALL KXString* Input(KXString* prompt)
{
    Write(prompt);
    char buf[256];
    if (!std::fgets(buf, sizeof buf, stdin))
        return KXString::create("");
    std::string_view line(buf);
    auto control = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!line.empty() && control(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && control(line.back()))
        line.remove_suffix(1);
    return KXString::create(line);
}

KX_STDCALL KXString* SystemProperty(KXString* property)
{
    return KXString::create(kxSystemProperty(textCopy(property)));
}

KX_STDCALL KXString* GetEnv(KXString* var)
{
    std::string name = textCopy(var);
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    return KXString::create(value ? value : "");
}

// An empty value removes the variable, as the system's environment update does with "VAR=".
// Names that are empty or hold "=" cannot be set and are ignored.
KX_STDCALL void SetEnv(KXString* var, KXString* value)
{
    std::string name = textCopy(var), v = textCopy(value);
    if (name.empty() || name.find('=') != std::string::npos)
        return;
    if (v.empty())
        unsetenv(name.c_str());
    else
        setenv(name.c_str(), v.c_str(), 1);
}

KX_STDCALL int ExecFile(KXString* file)
{
    KXExecRequest request;
    std::string t = textCopy(file);
    if (!kxParseExecFile(t.c_str(), request))
        return -1;
    return kxLaunch(request) ? 1 : 0;
}

KX_STDCALL int MilliSecs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
    return int(uint32_t(ms));
}

KX_STDCALL void Delay(int millisecs)
{
    if (millisecs <= 0)
        return;
    timespec ts { millisecs / 1000, long(millisecs % 1000) * 1000000L };
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) { }
}

KX_STDCALL KXString* CurrentDate() { return KXString::create(kxFormatDate(localNow())); }

KX_STDCALL KXString* CurrentTime() { return KXString::create(kxFormatTime(localNow())); }

KX_STDCALL void Stop() { KXDebugger::current()->debugStop(); }

KX_STDCALL void DebugLog(KXString* message)
{
    std::string m = textCopy(message);
    KXDebugger::current()->debugLog(m.c_str());
}

KX_STDCALL void RuntimeStats() { }

KX_STDCALL void kxDebugStmt(void*, void*) { }

KX_STDCALL void kxDebugEnter(void*, void*, void*) { }

KX_STDCALL void kxDebugLeave() { }

KX_STDCALL void DebugObjects()
{
    std::map<std::string, int> counts;
    KXObject::forEachLive([&](KXObject* o) { ++counts[o->typeName()]; });
    kxDebugLog("Live objects: %d", int(KXObject::liveCount()));
    for (const auto& [type, n] : counts)
        kxDebugLog("%s: %d", type.c_str(), n);
}

KX_STDCALL int ActiveObjects() { return int(KXObject::liveCount()); }

static const KXCommandEntry s_commands[] = {
    { "%ExecFile$file", KX_FN(ExecFile) },
    { "$GetEnv$var", KX_FN(GetEnv) },
    { "SetEnv$var$value", KX_FN(SetEnv) },
    { "$CommandLine", KX_FN(CommandLine) },
    { "Write$text", KX_FN(Write) },
    { "Print$text", KX_FN(Print) },
    { "RuntimeError$error", KX_FN(RuntimeError) },
    { "$Input$prompt=\"\"", KX_FN(Input) },
    { "AppTitle$str", KX_FN(AppTitle) },
    { "$SystemProperty$property", KX_FN(SystemProperty) },
    { "End", KX_FN(End) },
    { "DebugObjects", KX_FN(DebugObjects) },
    { "%ActiveObjects", KX_FN(ActiveObjects) },
    { "Stop", KX_FN(Stop) },
    { "DebugLog$message", KX_FN(DebugLog) },
    { "_kxDebugStmt", KX_FN(kxDebugStmt) },
    { "_kxDebugEnter", KX_FN(kxDebugEnter) },
    { "_kxDebugLeave", KX_FN(kxDebugLeave) },
    { "%MilliSecs", KX_FN(MilliSecs) },
    { "Delay%millisecs", KX_FN(Delay) },
    { "$CurrentDate", KX_FN(CurrentDate) },
    { "$CurrentTime", KX_FN(CurrentTime) },
    { "RuntimeStats", KX_FN(RuntimeStats) },
};
static KXCommandTable s_table(s_commands);
