// Shared set-up for the graphics tests: the 2D modules started on the headless platform, the
// display format chosen per test, and small helpers over the commands.
#pragma once

#include "core/KXString.h"
#include "graphics/GraphicsCommands.h"
#include "graphics/K2DGraphicsDriver.h"
#include "graphics/KXSurfaceDriver.h"
#include "base/KXModuleRegistry.h"
#include "tests/support/KXTestSupport.h"

#include <cstdint>
#include <string>
#include <vector>

inline void kxStartGraphicsForTests(int format)
{
    KXModuleRegistry& g = KXModuleRegistry::global();
    g.selectConfig("Gui", "Native");
    g.selectConfig("Audio", "Native");
    for (const char* s : { "Screen", "Canvas", "Graphics", "GrDriver2D" })
        g.selectConfig(s, "DirectDraw");
    K2DGraphicsDriver::instance();
    if (KXSurfaceDriver* d = KXSurfaceDriver::current())
        d->setDisplayFormat(format);
}

// A string argument as compiled code passes it (owned by the test).
class KXArg {
public:
    explicit KXArg(std::string_view s)
        : m_s(KXString::create(s))
    {
    }
    ~KXArg() { m_s->release(); }
    operator KXString*() const { return m_s; }

private:
    KXString* m_s;
};

// Fixture: a display format per test, the graphics buffer current with fresh drawing state,
// images made through `image` freed at the end.
class GraphicsTest : public testing::Test {
protected:
    void SetUp() override { startIn(4); }
    void startIn(int format)
    {
        kxStartGraphicsForTests(format);
        AutoMidHandle(0);
        TFormFilter(1);
    }
    void TearDown() override
    {
        for (int h : m_images)
            FreeImage(h);
        AutoMidHandle(0);
        TFormFilter(1);
        if (KXSurfaceDriver* d = KXSurfaceDriver::current())
            d->setDisplayFormat(4);
    }
    int image(int w, int h, int frames = 1)
    {
        int i = CreateImage(w, h, frames, 2);
        m_images.push_back(i);
        return i;
    }
    int adopt(int img)
    {
        m_images.push_back(img);
        return img;
    }
    void forget(int img) { std::erase(m_images, img); }
    // Makes the first frame of img current, returns its buffer.
    int use(int img)
    {
        SetBuffer(ImageBuffer(img, 0));
        return ImageBuffer(img, 0);
    }
    // Reads the whole first frame as ARGB, row by row.
    std::vector<uint32_t> pixels(int img)
    {
        int b = ImageBuffer(img, 0);
        std::vector<uint32_t> out;
        LockBuffer(b);
        for (int y = 0; y < ImageHeight(img); ++y)
            for (int x = 0; x < ImageWidth(img); ++x)
                out.push_back(uint32_t(ReadPixelFast(x, y, b)));
        UnlockBuffer(b);
        return out;
    }
    void fill(int img, const std::vector<uint32_t>& argb)
    {
        int b = ImageBuffer(img, 0);
        LockBuffer(b);
        size_t k = 0;
        for (int y = 0; y < ImageHeight(img); ++y)
            for (int x = 0; x < ImageWidth(img); ++x)
                WritePixelFast(x, y, int(argb[k++]), b);
        UnlockBuffer(b);
    }

    std::vector<int> m_images;
};

// The same fixture run once per display format 1–4.
class GraphicsFormatTest : public GraphicsTest
    , public testing::WithParamInterface<int> {
protected:
    void SetUp() override { startIn(GetParam()); }
};
