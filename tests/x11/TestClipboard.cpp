// Clipboard pictures between this program and others (xclip on the other side), and the
// picture a synthetic Print Screen leaves there.
#include "tests/x11/X11TestSupport.h"

#include "graphics/KXPixelFormat.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>

namespace {

KXClipPicture testPicture(int width, int height)
{
    KXClipPicture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.argb.push_back(0xFF000000u | uint32_t(x * 5 & 0xFF) << 16 | uint32_t(y * 9 & 0xFF) << 8 | uint32_t((x + y) & 0xFF));
    return p;
}

QImage toImage(const KXClipPicture& p)
{
    QImage image(p.width, p.height, QImage::Format_ARGB32);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            image.setPixel(x, y, p.argb[size_t(y) * size_t(p.width) + size_t(x)]);
    return image;
}

// What another program pastes from the clipboard in the given type.
QByteArray paste(const QString& type)
{
    QByteArray out;
    if (x11test::run("xclip", { "-selection", "clipboard", "-t", type, "-o" }, &out) != 0)
        return {};
    return out;
}

// Another program copies data of the given type; it keeps serving it in the background until
// the clipboard changes hands.
void copyFromOtherProgram(const QByteArray& data, const QString& type)
{
    ASSERT_EQ(x11test::run("xclip", { "-selection", "clipboard", "-t", type, "-i" }, nullptr, data), 0);
}

QByteArray encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

int differences(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u);
    return n;
}

class Clipboard : public testing::Test {
protected:
    void SetUp() override { REQUIRE_SERVICES(); }
};

}

TEST_F(Clipboard, APicturePutHereIsPastedByOtherProgramsAsPngAndBmp)
{
    QtDesktopServices& s = *x11test::services();
    KXClipPicture picture = testPicture(67, 41);
    ASSERT_TRUE(s.putClipboardPicture(picture));
    QByteArray targets = paste("TARGETS");
    EXPECT_TRUE(targets.contains("image/png")) << targets.constData();
    EXPECT_TRUE(targets.contains("image/bmp")) << targets.constData();
    // Nothing else a pasting program could pick instead (Qt would add every format it writes).
    EXPECT_EQ(targets.count("image/"), 2) << targets.constData();
    EXPECT_FALSE(targets.contains("x-qt")) << targets.constData();
    QImage want = toImage(picture);
    EXPECT_EQ(differences(QImage::fromData(paste("image/png"), "PNG"), want), 0);
    EXPECT_EQ(differences(QImage::fromData(paste("image/bmp"), "BMP"), want), 0);
    // Still offered for a second paste, and readable here as well.
    EXPECT_EQ(differences(QImage::fromData(paste("image/png"), "PNG"), want), 0);
    KXClipPicture back;
    ASSERT_TRUE(s.clipboardPicture(back));
    EXPECT_EQ(back.width, 67);
    EXPECT_EQ(back.argb, picture.argb);

    KXClipPicture broken = picture;
    broken.argb.pop_back();
    EXPECT_FALSE(s.putClipboardPicture(broken));
    broken.width = 0;
    EXPECT_FALSE(s.putClipboardPicture(broken));
}

TEST_F(Clipboard, APictureAnotherProgramCopiedReadsBackPixelForPixel)
{
    QtDesktopServices& s = *x11test::services();
    KXClipPicture picture = testPicture(53, 29);
    QImage image = toImage(picture);
    for (const char* format : { "PNG", "BMP" }) {
        QString type = QString("image/") + QString(format).toLower();
        // The picture of an earlier copy must not pass for this one.
        s.emptyClipboard();
        ASSERT_TRUE(x11test::waitFor([&] { return !s.hasClipboardPicture(); })) << format;
        copyFromOtherProgram(encode(image, format), type);
        ASSERT_TRUE(x11test::waitFor([&] { return s.hasClipboardPicture(); })) << format;
        KXClipPicture back;
        ASSERT_TRUE(s.clipboardPicture(back)) << format;
        EXPECT_EQ(back.width, 53);
        EXPECT_EQ(back.height, 29);
        EXPECT_EQ(back.argb, picture.argb) << format;
    }
}

TEST_F(Clipboard, TextOrNothingIsNoPictureAndLeavesTheOutputAlone)
{
    QtDesktopServices& s = *x11test::services();
    copyFromOtherProgram("just words", "UTF8_STRING");
    ASSERT_TRUE(x11test::waitFor([&] { return !s.hasClipboardPicture(); }));
    KXClipPicture out = testPicture(2, 2);
    EXPECT_FALSE(s.clipboardPicture(out));
    EXPECT_EQ(out.argb, testPicture(2, 2).argb);

    ASSERT_TRUE(s.putClipboardPicture(testPicture(4, 4)));
    EXPECT_TRUE(s.hasClipboardPicture());
    s.emptyClipboard();
    EXPECT_FALSE(s.hasClipboardPicture());
    EXPECT_FALSE(paste("TARGETS").contains("image/"));
    EXPECT_TRUE(paste("image/png").isEmpty());
}

TEST_F(Clipboard, SyntheticPrintScreenLeavesTheDesktopOnTheClipboard)
{
    QtDesktopServices& s = *x11test::services();
    x11test::ForeignWindow other("Something To See", 420, 300); // a desktop that is not all one colour
    ASSERT_NE(other.id(), 0);
    s.emptyClipboard();
    s.sendKey(0x2C, true);
    s.sendKey(0x2C, false);
    QImage pasted = QImage::fromData(paste("image/png"), "PNG");
    ASSERT_FALSE(pasted.isNull());
    EXPECT_EQ(pasted.width(), s.screenWidth());
    EXPECT_EQ(pasted.height(), s.screenHeight());
    // The picture is what the screen showed.
    std::vector<uint32_t> screen(size_t(s.screenWidth()) * size_t(s.screenHeight()));
    ASSERT_TRUE(s.readScreen({ 0, 0, s.screenWidth(), s.screenHeight() }, reinterpret_cast<uint8_t*>(screen.data()),
        s.screenWidth() * 4, kxpf::ARGB8888));
    KXClipPicture shown { s.screenWidth(), s.screenHeight(), screen };
    EXPECT_EQ(differences(pasted, toImage(shown)), 0);
    EXPECT_NE(pasted.pixel(0, 0), pasted.pixel(430, 310)) << "the window is on the picture";
    pasted.save("x11-printscreen.png");
}

TEST_F(Clipboard, AltPrintScreenTakesTheForegroundWindowsFrame)
{
    if (!x11test::hasWindowManager())
        GTEST_SKIP() << "needs a window manager";
    x11test::ForeignWindow other("Alt Print Screen", 250, 160);
    ASSERT_NE(other.id(), 0);
    ASSERT_TRUE(other.activate());
    QtDesktopServices& s = *x11test::services();
    KXDesktopWindowInfo info;
    ASSERT_TRUE(s.windowInfo(other.id(), info));
    s.sendKey(0x12, true);
    s.sendKey(0x2C, true);
    s.sendKey(0x2C, false);
    s.sendKey(0x12, false);
    KXClipPicture picture;
    ASSERT_TRUE(s.clipboardPicture(picture));
    EXPECT_EQ(picture.width, info.frame.width);
    EXPECT_EQ(picture.height, info.frame.height);
    QImage pasted = QImage::fromData(paste("image/png"), "PNG");
    EXPECT_EQ(pasted.size(), QSize(info.frame.width, info.frame.height));
    pasted.save("x11-alt-printscreen.png");
}
