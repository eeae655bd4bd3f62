// The names modules register under and the subsystem and configuration names they belong to,
// in one place. A module's name equals its class name; starting by these constants instead of
// bare strings lets the compiler catch a misspelt dependency.
#pragma once

namespace KXModuleNames {
// Neutral modules.
inline constexpr const char* QueFilter = "KXQueFilter";

// The headless platform.
inline constexpr const char* HeadlessGuiDriver = "HeadlessGuiDriver";
inline constexpr const char* HeadlessEventDriver = "HeadlessEventDriver";
inline constexpr const char* HeadlessCatchFilter = "HeadlessCatchFilter";
inline constexpr const char* HeadlessFontDriver = "HeadlessFontDriver";
inline constexpr const char* HeadlessTimerDriver = "HeadlessTimerDriver";
inline constexpr const char* HeadlessControlDriver = "HeadlessControlDriver";
inline constexpr const char* HeadlessRequesterDriver = "HeadlessRequesterDriver";
inline constexpr const char* HeadlessCanvasDriver = "HeadlessCanvasDriver";
inline constexpr const char* HeadlessDD = "HeadlessDD";
inline constexpr const char* HeadlessScreenDriver = "HeadlessScreenDriver";
inline constexpr const char* HeadlessGrDriver2D = "HeadlessGrDriver2D";

// The Qt platform.
inline constexpr const char* QtGuiDriver = "QtGuiDriver";
inline constexpr const char* QtEventDriver = "QtEventDriver";
inline constexpr const char* QtCatchFilter = "QtCatchFilter";
inline constexpr const char* QtFontDriver = "QtFontDriver";
inline constexpr const char* QtTimerDriver = "QtTimerDriver";
inline constexpr const char* QtControlDriver = "QtControlDriver";
inline constexpr const char* QtRequesterDriver = "QtRequesterDriver";
inline constexpr const char* QtCanvasDriver = "QtCanvasDriver";
inline constexpr const char* QtDD = "QtDD";
inline constexpr const char* QtScreenDriver = "QtScreenDriver";
inline constexpr const char* QtGrDriver2D = "QtGrDriver2D";
}

namespace KXSubsystems {
inline constexpr const char* Gui = "Gui";
inline constexpr const char* Canvas = "Canvas";
inline constexpr const char* Graphics = "Graphics";
inline constexpr const char* Screen = "Screen";
inline constexpr const char* GrDriver2D = "GrDriver2D";
inline constexpr const char* Audio = "Audio";
}

namespace KXConfigs {
inline constexpr const char* Native = "Native";
inline constexpr const char* DirectDraw = "DirectDraw";
}
