// The scripted user's "dump PATH": writes every program window's gadget tree and menu tree to a
// text file, one line per gadget or menu item, indented by depth, so that tests outside the
// process can check what a program built (kinds, texts, shapes, styles, states).
//
// Line forms (fields separated by blanks, texts in double quotes):
//   Window "TITLE" X Y W H style=S visible=V enabled=E status="TEXT"
//   <Kind> "TEXT" X Y W H style=S visible=V enabled=E [state=N] [range=VIS/TOTAL]
//       [items="A|B|C" selected=N] [color=RRGGBB]
//   Menu "TEXT" id=N checked=C enabled=E
#include "gui/KXButton.h"
#include "gui/KXComboBox.h"
#include "gui/KXMenu.h"
#include "gui/KXPanel.h"
#include "gui/KXSlider.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessWindow.h"

#include <cstdio>
#include <string>

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

void dumpMenu(std::FILE* out, const KXMenu* menu, int depth)
{
    for (const KXMenu* m = menu->firstChild(); m; m = m->nextSibling()) {
        std::fprintf(out, "%*sMenu %s id=%d checked=%d enabled=%d\n", depth * 2, "",
            quoted(m->text() ? m->text()->view() : std::string_view()).c_str(), m->id(), m->isChecked() ? 1 : 0,
            m->isEnabled() ? 1 : 0);
        dumpMenu(out, m, depth + 1);
    }
}

const char* kindName(KXGadget* g)
{
    if (auto* b = dynamic_cast<KXButton*>(g)) {
        switch (b->kind()) {
        case KXButton::Kind::CheckBox:
            return "CheckBox";
        case KXButton::Kind::Radio:
            return "Radio";
        default:
            return "Button";
        }
    }
    if (dynamic_cast<KXSlider*>(g))
        return "Slider";
    if (dynamic_cast<KXComboBox*>(g))
        return "ComboBox";
    if (dynamic_cast<KXPanel*>(g))
        return "Panel";
    if (dynamic_cast<KXWindow*>(g))
        return "Window";
    std::string_view name = g->typeName();
    static std::string shortName;
    shortName = std::string(name.substr(0, name.find(' ')));
    return shortName.c_str();
}

void dumpGadget(std::FILE* out, KXGadget* g, int depth)
{
    std::fprintf(out, "%*s%s %s %d %d %d %d style=%d visible=%d enabled=%d", depth * 2, "", kindName(g),
        quoted(g->textView()).c_str(), g->x(), g->y(), g->width(), g->height(), g->style(), g->isVisible() ? 1 : 0,
        g->isEnabled() ? 1 : 0);
    if (auto* b = dynamic_cast<KXButton*>(g); b && b->isCheckable())
        std::fprintf(out, " state=%d", b->state());
    if (auto* s = dynamic_cast<KXSlider*>(g))
        std::fprintf(out, " state=%d range=%d/%d", s->state(), s->visible(), s->total());
    if (KXItemArray* items = g->itemArray()) {
        std::string list;
        for (int i = 0; i < items->count(); ++i)
            list += (i ? "|" : "") + std::string(items->text(i) ? items->text(i)->view() : std::string_view());
        std::fprintf(out, " items=%s selected=%d", quoted(list).c_str(), items->selected());
    }
    if (auto* p = dynamic_cast<KXPanel*>(g); p && p->hasColor())
        std::fprintf(out, " color=%06X", unsigned(p->color() & 0xFFFFFF));
    if (auto* w = dynamic_cast<KXWindow*>(g))
        std::fprintf(out, " status=%s", quoted(w->statusText() ? w->statusText()->view() : std::string_view()).c_str());
    std::fprintf(out, "\n");
    if (auto* w = dynamic_cast<KXWindow*>(g); w && w->menuRoot())
        dumpMenu(out, w->menuRoot(), depth + 1);
    if (auto* group = dynamic_cast<KXGroup*>(g))
        for (KXGadget* c = group->firstChild(); c; c = c->nextSibling())
            dumpGadget(out, c, depth + 1);
}

// dump PATH
std::string verbDump(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: dump PATH";
    std::FILE* out = std::fopen(a[0].c_str(), "w");
    if (!out)
        return "cannot write " + a[0];
    for (HeadlessWindow* w : HeadlessSystem::world().windows())
        if (!w->group() || !dynamic_cast<KXWindow*>(w->group()))
            dumpGadget(out, w, 0);
    std::fclose(out);
    return {};
}

struct RegisterVerb {
    RegisterVerb() { HeadlessScript::addVerb("dump", verbDump); }
} s_registerVerb;

}
