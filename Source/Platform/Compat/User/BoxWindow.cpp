#include "Platform/Compat/User/BoxWindow.h"

#include "Platform/Compat/Kernel/StopSignals.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Utf8.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

namespace Compat
{
namespace
{
constexpr int kMargin = 16;
constexpr int kMaxTextWidth = 600;
constexpr int kButtonWidth = 80;
// Above and below the button's text.
constexpr int kButtonPadding = 6;
// The connection and the stop signal wake the wait sooner; this only bounds it.
constexpr int kWaitMilliseconds = 250;

std::atomic<unsigned long> gOwner{0};

// What the box writes with: a font set of the user's locale, else the server's own "fixed" font,
// which every X server has (Latin-1: other characters show as '?').
class BoxFont
{
public:
    explicit BoxFont(Display* display) : mDisplay(display)
    {
        if (XSupportsLocale())
        {
            char** missing = nullptr;
            int missingCount = 0;
            char* drawnInstead = nullptr;
            mSet = XCreateFontSet(display, "-*-*-medium-r-normal--*-120-*-*-*-*-*-*,fixed", &missing, &missingCount,
                                  &drawnInstead);
            if (missing)
                XFreeStringList(missing);
        }
        if (!mSet)
            mFont = XLoadQueryFont(display, "fixed");
    }
    ~BoxFont()
    {
        if (mSet)
            XFreeFontSet(mDisplay, mSet);
        if (mFont)
            XFreeFont(mDisplay, mFont);
    }
    BoxFont(const BoxFont&) = delete;
    BoxFont& operator=(const BoxFont&) = delete;

    bool IsUsable() const { return mSet || mFont; }
    Font Id() const { return mFont ? mFont->fid : None; }
    int Ascent() const { return mSet ? -XExtentsOfFontSet(mSet)->max_logical_extent.y : mFont->ascent; }
    int Height() const
    {
        return mSet ? XExtentsOfFontSet(mSet)->max_logical_extent.height : mFont->ascent + mFont->descent;
    }
    int Width(const std::string& text) const
    {
        if (mSet)
            return Xutf8TextEscapement(mSet, text.data(), static_cast<int>(text.size()));
        const std::string latin = Latin1(text);
        return XTextWidth(mFont, latin.data(), static_cast<int>(latin.size()));
    }
    void Draw(Window window, GC gc, int x, int y, const std::string& text) const
    {
        if (mSet)
        {
            Xutf8DrawString(mDisplay, window, mSet, gc, x, y, text.data(), static_cast<int>(text.size()));
            return;
        }
        const std::string latin = Latin1(text);
        XDrawString(mDisplay, window, gc, x, y, latin.data(), static_cast<int>(latin.size()));
    }

private:
    static std::string Latin1(const std::string& text)
    {
        std::string latin;
        for (const char* p = text.data(); p < text.data() + text.size();)
        {
            const std::uint32_t cp = Corvane::Utf8::Decode(p, text.data() + text.size());
            latin.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
        }
        return latin;
    }

    Display* mDisplay;
    XFontSet mSet = nullptr;
    XFontStruct* mFont = nullptr;
};

// The text's lines, each cut to fit the width: after its last space or slash that fits (paths
// break between folders), else after the last character that fits.
std::vector<std::string> WrapLines(const std::string& text, const BoxFont& font, int width)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string rest = text.substr(start, end - start);
        std::erase(rest, '\r');
        while (rest.size() > 1 && font.Width(rest) > width)
        {
            std::size_t cut = rest.size();
            while (cut > 1 && font.Width(rest.substr(0, cut)) > width)
            {
                --cut;
                // Not inside a character's bytes.
                while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80)
                    --cut;
            }
            if (const std::size_t gap = rest.find_last_of(" /", cut - 1); gap != std::string::npos && gap > 0)
                cut = gap + 1;
            lines.push_back(rest.substr(0, cut));
            rest.erase(0, cut);
        }
        lines.push_back(rest);
        if (end == text.size())
            return lines;
        start = end + 1;
    }
}

// One connection of the box's own, watched so that its loss is noted and not fatal.
class BoxConnection
{
public:
    BoxConnection() : mDisplay(XOpenDisplay(nullptr)) { WatchConnection(mDisplay); }
    ~BoxConnection()
    {
        if (!mDisplay)
            return;
        ForgetConnection(mDisplay);
        XCloseDisplay(mDisplay);
    }
    BoxConnection(const BoxConnection&) = delete;
    BoxConnection& operator=(const BoxConnection&) = delete;
    Display* Get() const { return mDisplay; }

private:
    Display* mDisplay;
};

class Box
{
public:
    Box(Display* display, const BoxFont& font, const std::string& caption, const std::string& text)
        : mDisplay(display), mFont(font), mLines(WrapLines(text, font, kMaxTextWidth))
    {
        int textWidth = 0;
        for (const std::string& line : mLines)
            textWidth = std::max(textWidth, font.Width(line));
        const int lineHeight = font.Height();
        const int width = std::max(textWidth, kButtonWidth) + 2 * kMargin;
        mButton = {(width - kButtonWidth) / 2, kMargin * 2 + lineHeight * static_cast<int>(mLines.size()), kButtonWidth,
                   lineHeight + 2 * kButtonPadding};
        const int height = mButton.y + mButton.height + kMargin;
        const int screen = DefaultScreen(display);
        mWindow = XCreateSimpleWindow(display, RootWindow(display, screen),
                                      std::max(0, (DisplayWidth(display, screen) - width) / 2),
                                      std::max(0, (DisplayHeight(display, screen) - height) / 2), width, height, 1,
                                      BlackPixel(display, screen), WhitePixel(display, screen));
        Describe(caption, width, height);
        if (const Window owner = gOwner.load())
            XSetTransientForHint(display, mWindow, owner);
        XSelectInput(display, mWindow,
                     ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask);
        mGc = XCreateGC(display, mWindow, 0, nullptr);
        XSetForeground(display, mGc, BlackPixel(display, screen));
        if (font.Id() != None)
            XSetFont(display, mGc, font.Id());
        XMapRaised(display, mWindow);
    }
    ~Box()
    {
        XFreeGC(mDisplay, mGc);
        XDestroyWindow(mDisplay, mWindow);
        XFlush(mDisplay);
    }
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;

    BoxEnd Run()
    {
        for (;;)
        {
            while (!IsDisplayLost() && XPending(mDisplay) > 0)
            {
                XEvent event;
                XNextEvent(mDisplay, &event);
                if (IsAnswer(event))
                    return BoxEnd::kAnswered;
            }
            if (IsDisplayLost())
                return BoxEnd::kDisplayLost;
            if (StopSignal() != 0)
                return BoxEnd::kStopped;
            pollfd waits[2] = {{ConnectionNumber(mDisplay), POLLIN, 0}, {StopSignalDescriptor(), POLLIN, 0}};
            ::poll(waits, waits[1].fd >= 0 ? 2 : 1, kWaitMilliseconds);
        }
    }

private:
    // The title, a fixed size, the close box's protocol and the dialog type, as a desktop's own
    // error box has them; the class "MessageBox" tells it from the game's window.
    void Describe(const std::string& caption, int width, int height)
    {
        XSizeHints* size = XAllocSizeHints();
        size->flags = PMinSize | PMaxSize;
        size->min_width = size->max_width = width;
        size->min_height = size->max_height = height;
        char name[] = "box";
        char className[] = "MessageBox";
        XClassHint kind{name, className};
        Xutf8SetWMProperties(mDisplay, mWindow, caption.c_str(), caption.c_str(), nullptr, 0, size, nullptr, &kind);
        XFree(size);
        mDeleteWindow = XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(mDisplay, mWindow, &mDeleteWindow, 1);
        const Atom dialog = XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(mDisplay, mWindow, XInternAtom(mDisplay, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
    }

    bool OnButton(int x, int y) const
    {
        return x >= mButton.x && x < mButton.x + mButton.width && y >= mButton.y && y < mButton.y + mButton.height;
    }

    bool IsAnswer(XEvent& event)
    {
        switch (event.type)
        {
        case Expose:
            if (event.xexpose.count == 0)
                Draw();
            return false;
        case ButtonPress:
            mPressed = event.xbutton.button == Button1 && OnButton(event.xbutton.x, event.xbutton.y);
            return false;
        case ButtonRelease: return std::exchange(mPressed, false) && OnButton(event.xbutton.x, event.xbutton.y);
        // A key answers when it goes up after going down here: the release of a key pressed in the
        // game (the Enter that asked to quit) does not dismiss the box unread.
        case KeyPress: mKeyDown = XLookupKeysym(&event.xkey, 0); return false;
        case KeyRelease:
        {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            return key == mKeyDown && (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space);
        }
        case ClientMessage: return static_cast<Atom>(event.xclient.data.l[0]) == mDeleteWindow;
        default: return false;
        }
    }

    void Draw()
    {
        XClearWindow(mDisplay, mWindow);
        const int lineHeight = mFont.Height();
        for (std::size_t i = 0; i < mLines.size(); ++i)
            mFont.Draw(mWindow, mGc, kMargin, kMargin + mFont.Ascent() + static_cast<int>(i) * lineHeight, mLines[i]);
        XDrawRectangle(mDisplay, mWindow, mGc, mButton.x, mButton.y, mButton.width - 1, mButton.height - 1);
        const std::string ok = "OK";
        mFont.Draw(mWindow, mGc, mButton.x + (mButton.width - mFont.Width(ok)) / 2,
                   mButton.y + kButtonPadding + mFont.Ascent(), ok);
    }

    Display* mDisplay;
    const BoxFont& mFont;
    std::vector<std::string> mLines;
    struct
    {
        int x, y, width, height;
    } mButton{};
    Window mWindow = None;
    GC mGc = nullptr;
    Atom mDeleteWindow = None;
    bool mPressed = false;
    KeySym mKeyDown = NoSymbol;
};
} // namespace

void SetBoxOwner(unsigned long window)
{
    gOwner.store(window);
}

BoxEnd ShowBoxWindow(const std::string& caption, const std::string& text)
{
    if (StopSignal() != 0)
        return BoxEnd::kStopped;
    BoxConnection connection;
    if (!connection.Get())
        return BoxEnd::kNotShown;
    const BoxFont font(connection.Get());
    if (!font.IsUsable())
        return BoxEnd::kNotShown;
    Box box(connection.Get(), font, caption, text);
    return box.Run();
}
} // namespace Compat
