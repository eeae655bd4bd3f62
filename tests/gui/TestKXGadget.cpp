// Gadgets: the layout rule, item lists, the group tree and the common commands.
#include "gui/KXCatchFilter.h"
#include "gui/KXGroup.h"
#include "gui/KXItemArray.h"
#include "tests/gui/GuiTestSupport.h"

namespace {
class Leaf : public KXGadget {
public:
    using KXGadget::KXGadget;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
};

class ListLeaf final : public Leaf {
public:
    using Leaf::Leaf;
    KXItemArray* itemArray() override { return m_items.get(); }

private:
    KXRef<KXItemArray> m_items { new KXItemArray };
};

struct LayoutCase {
    KXRef<KXGroup> group;
    Leaf* child;
    LayoutCase(int clientWidth, int x, int width, int left, int right)
        : group(new KXGroup(nullptr, 0))
    {
        group->setShape(0, 0, clientWidth, 100);
        child = new Leaf(group.get(), 0);
        child->completeCreation(x, 10, width, 20, nullptr);
        child->setLayout(left, right, 1, 1);
    }
    void resize(int clientWidth) { group->setShape(0, 0, clientWidth, 100); }
};
}

TEST(GadgetLayout, FreeEdgesKeepTheSizeAndScaleTheCentre)
{
    LayoutCase c(100, 20, 20, 0, 0);
    c.resize(200);
    EXPECT_EQ(c.child->x(), 50); // centre 30 -> 60
    EXPECT_EQ(c.child->width(), 20);
}

TEST(GadgetLayout, FixedEdgesStretchByTheChangeOfTheClientSize)
{
    LayoutCase c(100, 10, 30, 1, 1);
    c.resize(150);
    EXPECT_EQ(c.child->x(), 10);
    EXPECT_EQ(c.child->width(), 80);
    EXPECT_EQ(c.child->y(), 10); // vertical edges fixed and parent height unchanged
    EXPECT_EQ(c.child->height(), 20);
}

TEST(GadgetLayout, ProportionalEdgesTruncateTowardZero)
{
    LayoutCase c(100, 15, 21, 2, 2);
    c.resize(50);
    EXPECT_EQ(c.child->x(), 7);
    EXPECT_EQ(c.child->x() + c.child->width(), 18);

    LayoutCase n(100, -15, 10, 2, 2);
    n.resize(50);
    EXPECT_EQ(n.child->x(), -7);
}

TEST(GadgetLayout, AFreeLeftEdgeFollowsTheRightEdge)
{
    LayoutCase c(100, 60, 30, 0, 1);
    c.resize(200);
    EXPECT_EQ(c.child->x(), 160);
    EXPECT_EQ(c.child->width(), 30);
}

TEST(GadgetLayout, TheReferenceIsNeverALaidOutShape)
{
    LayoutCase c(100, 15, 21, 2, 2);
    c.resize(50);
    c.resize(100);
    EXPECT_EQ(c.child->x(), 15);
    EXPECT_EQ(c.child->width(), 21);
}

TEST(GadgetLayout, AZeroClientSizeCountsAsOne)
{
    LayoutCase c(0, 4, 2, 0, 0);
    c.resize(100);
    EXPECT_EQ(c.child->x(), 499); // (4 + 1) * 100 / 1 - 1
    c.resize(0);
    EXPECT_EQ(c.child->x(), 4);
}

TEST(GadgetLayout, UnknownModesKeepTheCurrentEdge)
{
    LayoutCase c(100, 10, 30, 7, 1);
    c.child->setShape(12, 10, 30, 20); // moved without recording a reference
    c.resize(150);
    EXPECT_EQ(c.child->x(), 12);
    EXPECT_EQ(c.child->x() + c.child->width(), 90);
}

TEST(GadgetItems, SelectionAndIndexChecks)
{
    KXRef<KXGroup> g(new KXGroup(nullptr, 0));
    int list = kxToHandle(new ListLeaf(g.get(), 0));
    AddGadgetItem(list, Str("a"), 0, -1);
    EXPECT_EQ(SelectedGadgetItem(list), -1);
    AddGadgetItem(list, Str("b"), 1, -1);
    EXPECT_EQ(SelectedGadgetItem(list), 1);
    InsertGadgetItem(list, 2, Str("c"), -1); // index == count appends
    InsertGadgetItem(list, 0, Str("z"), -1);
    EXPECT_EQ(CountGadgetItems(list), 4);
    EXPECT_EQ(take(GadgetItemText(list, 0)), "z");
    EXPECT_EQ(take(GadgetItemText(list, 3)), "c");
    EXPECT_RUNTIME_ERROR(InsertGadgetItem(list, 5, Str("x"), -1), "Gadget item list index out of range");
    EXPECT_RUNTIME_ERROR(GadgetItemText(list, -1), "Gadget item list index out of range");
    EXPECT_RUNTIME_ERROR(SelectGadgetItem(list, 4), "Gadget item list index out of range");
    RemoveGadgetItem(list, 0);
    EXPECT_EQ(SelectedGadgetItem(list), 1); // removal leaves the index alone
    SelectGadgetItem(list, -5);
    EXPECT_EQ(SelectedGadgetItem(list), -1);
    ClearGadgetItems(list);
    EXPECT_EQ(CountGadgetItems(list), 0);

    int plain = kxToHandle(new Leaf(g.get(), 0));
    EXPECT_RUNTIME_ERROR(AddGadgetItem(plain, Str("a"), 0, -1), "Invalid Gadget type");
    EXPECT_RUNTIME_ERROR(CountGadgetItems(plain), "Invalid Gadget type");
}

TEST(GadgetTree, DestroyingAGroupReleasesItsChildrenInOrder)
{
    auto* g = new KXGroup(nullptr, 0);
    auto* a = new Leaf(g, 0);
    auto* b = new KXGroup(g, 0);
    auto* c = new Leaf(b, 0);
    EXPECT_EQ(g->childCount(), 2);
    EXPECT_EQ(g->firstChild(), a);
    EXPECT_EQ(a->nextSibling(), b);
    EXPECT_EQ(GadgetGroup(kxToHandle(c)), kxToHandle(b));
    g->release();
    EXPECT_FALSE(KXObject::isLive(a));
    EXPECT_FALSE(KXObject::isLive(b));
    EXPECT_FALSE(KXObject::isLive(c));
}

TEST(GadgetTree, RemovalFailures)
{
    KXRef<KXGroup> g(new KXGroup(nullptr, 0));
    KXRef<KXGroup> other(new KXGroup(nullptr, 0));
    auto* a = new Leaf(g.get(), 0);
    EXPECT_RUNTIME_ERROR(other->removeChild(a), "Error removing gadget from group");

    auto* held = new KXGroup(nullptr, 0);
    auto* child = new Leaf(held, 0);
    child->retain();
    EXPECT_RUNTIME_ERROR(held->release(), "Error removing child gadget");
}

TEST_F(GuiTest, CommonCommandsCheckHandles)
{
    FreeGadget(0);
    EXPECT_RUNTIME_ERROR(GadgetX(12345), "Invalid Gadget handle");
    KXRef<KXString> notAGadget(KXString::create("x"));
    EXPECT_RUNTIME_ERROR(GadgetX(kxToHandle(notAGadget.get())), "Invalid Gadget handle");
    KXRef<KXGroup> g(new KXGroup(nullptr, 0));
    int leaf = kxToHandle(new Leaf(g.get(), 0));
    EXPECT_RUNTIME_ERROR(ClientWidth(leaf), "Invalid Group Gadget handle");
    EXPECT_RUNTIME_ERROR(CreateWindow(Str("w"), 0, 0, 10, 10, leaf, 15), "Invalid Group Gadget handle");
    EXPECT_RUNTIME_ERROR(WindowMenu(kxToHandle(g.get())), "Invalid Window Gadget handle");
}

TEST_F(GuiTest, FreeingAWindowFreesItsChildrenAndItsEvents)
{
    int win = window("Parent");
    int owned = CreateWindow(Str("Owned"), 0, 0, 50, 50, win, 15);
    EXPECT_EQ(GadgetGroup(owned), win);
    KXWindow* w = kxHandle<KXWindow>(win, "Window Gadget");
    w->emit(KXEventId::WindowClose);
    post(KXEventId::MenuAction, 3);
    ActivateWindow(win);
    EXPECT_EQ(ActiveWindow(), win);
    FreeGadget(win);
    EXPECT_FALSE(KXObject::isLive(reinterpret_cast<void*>(intptr_t(owned))));
    EXPECT_EQ(ActiveWindow(), 0);
    EXPECT_EQ(WaitEvent(0), 0x1001); // the window's own events went with it
    EXPECT_EQ(WaitEvent(0), 0);
}

TEST_F(GuiTest, TheDesktopStandsForTheScreen)
{
    int desk = Desktop();
    ASSERT_NE(desk, 0);
    EXPECT_EQ(ClientWidth(desk), sys().world().desktopWidth());
    sys().world().setDesktopSize(1280, 1024);
    EXPECT_EQ(GadgetWidth(desk), 1280);
    EXPECT_EQ(ClientHeight(desk), 1024);
    FreeGadget(desk);
    EXPECT_EQ(Desktop(), desk);
    int top = CreateWindow(Str("Top"), 0, 0, 100, 100, desk, 15);
    EXPECT_EQ(GadgetGroup(top), desk);
    sys().world().setDesktopSize(1024, 768);
}

KX_STDCALL int LoadFont(KXString* name, int height, int bold, int italic, int underline);
KX_STDCALL void FreeFont(int font);
KX_STDCALL int FontStyle(int font);
KX_STDCALL void SetGadgetFont(int gadget, int font);
KX_STDCALL int GadgetFont(int gadget);

TEST_F(GuiTest, GadgetsStartWithTheDefaultFontAndTakeLoadedOnes)
{
    int win = window("Fonts");
    int standard = GadgetFont(win);
    ASSERT_NE(standard, 0);
    EXPECT_EQ(LoadFont(Str(""), 12, 0, 0, 0), 0);
    int bold = LoadFont(Str("Serif"), 16, 1, 0, 1);
    ASSERT_NE(bold, 0);
    EXPECT_EQ(FontStyle(bold), KXFont::Bold | KXFont::Underline);
    SetGadgetFont(win, bold);
    EXPECT_EQ(GadgetFont(win), bold);
    FreeFont(bold); // the gadget keeps its own reference
    EXPECT_EQ(FontStyle(GadgetFont(win)), 5);
    EXPECT_RUNTIME_ERROR(SetGadgetFont(win, 0), "Invalid Font handle");
    FreeGadget(win);
}

TEST_F(GuiTest, EndingTheProgramShutsTheGuiDown)
{
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(
        {
            int win = CreateWindow(Str("Main"), 0, 0, 200, 100, 0, 15);
            CreateMenu(Str("File"), 1, WindowMenu(win));
            CreateTimer(50.0f);
            kxEnd();
        },
        testing::ExitedWithCode(0), "");
    kxInstallTestEndTrap();
}

TEST(GuiStartup, TheRunStartsEveryHeadlessDriver)
{
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(
        {
            KXModuleRegistry& modules = KXModuleRegistry::global();
            kxSelectPlatformConfigs(modules);
            modules.startUnaffiliatedModules();
            modules.startSubsystemModules();
            bool ok = KXGuiDriver::current() && KXEventDriver::current() && KXGuiDriver::current()->desktop()
                && KXCatchFilter::installed() && CreateTimer(10.0f) != 0;
            if (!ok)
                std::exit(3);
            kxEnd();
        },
        testing::ExitedWithCode(0), "");
    kxInstallTestEndTrap();
}
