// The display device: the one object that owns DirectDraw and Direct3D for the process.
//
// Each renderer sets it up for its window, full screen (exclusive, a flip chain of two back
// buffers in the chosen display mode) or windowed (a clipped primary surface and an off-screen
// back buffer), with or without Direct3D; each set-up first releases what the last one made.
// Frames are drawn into the back buffer and presented by flip or by blit. For Direct3D it also
// fixes the texture formats and size rules and keeps the per-primitive filter and clip planes,
// which it gives to the device only when they change. Created once, kept as the engine-wide
// display until the singleton teardown. Main thread.
#pragma once

#include "EngineWide.h"
#include "Platform/Compat/Direct3D/Direct3D.h"

#include <array>

namespace Corvane
{
struct DisplayDeviceRecord;

// Display flags.
constexpr int kDisplayFullScreen = 1;
constexpr int kDisplayZBuffer = 4;      // make a z-buffer for the 3D device
constexpr int kDisplayKeepFpuState = 8; // leave the floating-point state to the program

// A rectangle of the clip state: x, y, width, height.
struct ClipRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ClipRect&) const = default;
};

class CDisplay
{
public:
    // Becomes the engine-wide display.
    CDisplay();
    // Releases the objects, stops being the engine-wide display, frees the device list.
    ~CDisplay();
    CDisplay(const CDisplay&) = delete;
    CDisplay& operator=(const CDisplay&) = delete;

    static CDisplay* GetInstance() { return Internal::EngineWide<CDisplay>::Get(); }
    // A new display registered for the singleton teardown (what the renderer factory makes).
    static CDisplay* CreateInstance();

    // Full screen in the smallest listed mode of at least width x height at bits per pixel.
    // Throws RuntimeError or Win32::Win32Error on any failure.
    void CreateFullScreenDisplay(HWND window, int width, int height, int bits);
    // A width x height back buffer shown in the window's client area. Throws on any failure.
    void CreateWindowedDisplay(HWND window, int width, int height);
    // Tells every display resource to drop its surfaces, gives the screen back and releases
    // device, back buffer, z-buffer, primary, Direct3D and DirectDraw. 0, or 0x8200000C when the
    // device or DirectDraw was still referenced elsewhere.
    HRESULT ReleaseObjects();

    // The texture size the device needs for an image of wanted size (powers of two, square,
    // maximum). Throws Win32::Win32Error when the device cannot say.
    void GetTextureSize(int wantedWidth, int wantedHeight, int& width, int& height);
    // The render states every frame relies on (3D only), then RestoreSurfaces on every resource.
    void ApplyDefaultStates();
    // Gives the device the requested filter and clip rectangle when they changed (3D only).
    void ApplyPrimitiveState();
    // Clears the 3D target to opaque blue (and the z-buffer); nothing without 3D.
    void Clear();
    // The device's BeginScene on a 3D display, else 0. A lost surface is restored and its code
    // returned; the frame is then to be skipped.
    HRESULT BeginScene();
    // Ends the 3D scene, then flips (full screen) or blits the back buffer into the window. A
    // lost surface is restored and its code returned; the frame is then lost.
    HRESULT Present();
    void GetClientBounds(RECT& bounds);
    // The pixel projection of the viewport.
    void SetProjection();
    // The clip rectangle of the next primitive (the screen canvas sets it before each one).
    void SetClipRect(const ClipRect& rect) { mRequestedClip = rect; }
    // 0 linear (the default), any other value nearest.
    void SetFilter(int filter) { mRequestedFilter = filter; }

    // Extra display flags (kDisplayZBuffer, kDisplayKeepFpuState) for every later set-up.
    void AddFlags(int flags) { mFlags |= flags; }
    int GetFlags() const { return mFlags; }
    bool Is3DEnabled() const { return m3DEnabled; }
    // From now on every set-up is 2D only.
    void Disable3D() { m3DEnabled = false; }

    HWND GetWindow() const { return mWindow; }
    bool IsFullScreen() const { return mFullScreen != 0; }
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    IDirectDraw7* GetDirectDraw() const { return mDirectDraw; }
    IDirect3D7* GetDirect3D() const { return mDirect3D; }
    IDirect3DDevice7* GetDevice() const { return mDevice; }
    IDirectDrawSurface7* GetPrimary() const { return mPrimary; }
    IDirectDrawSurface7* GetBackBuffer() const { return mBackBuffer; }
    IDirectDrawSurface7* GetZBuffer() const { return mZBuffer; }
    // DDSCAPS_VIDEOMEMORY on a hardware device, else DDSCAPS_SYSTEMMEMORY.
    DWORD GetTextureMemory() const { return mTextureMemory; }
    // The 32-bit texture format with or without alpha (all zero when the device has none).
    const DDPIXELFORMAT& GetTextureFormat(bool alpha) const { return alpha ? mAlphaFormat : mOpaqueFormat; }
    const DDPIXELFORMAT& GetZBufferFormat() const { return mZBufferFormat; }

private:
    void Initialize(HWND window, const DisplayDeviceRecord& device, const DDSURFACEDESC2* mode, int flags);
    void CreateEnvironment(const DisplayDeviceRecord& device, const DDSURFACEDESC2* mode, int flags);
    void CreateDirectDraw(const DisplayDeviceRecord& device, int flags);
    void CreateFullscreenBuffers(const DDSURFACEDESC2& mode);
    void CreateWindowedBuffers();
    void CreateDirect3D(const GUID& device, int flags);
    void CreateZBuffer(const GUID& device);
    // Reads the device's texture formats, printing each with its verdict.
    void FindTextureFormats();
    // The states every 3D set-up starts with.
    void ApplyInitialStates();
    // Restore on the primary, the back buffer and the z-buffer.
    void RestoreLostSurfaces();
    // Forgets what the device was last given, so that the next primitive gives it everything.
    void ForgetDeviceState();

    HWND mWindow = nullptr;
    int mFullScreen = 0;
    int mWidth = 0;
    int mHeight = 0;
    IDirectDraw7* mDirectDraw = nullptr;
    IDirect3D7* mDirect3D = nullptr;
    IDirect3DDevice7* mDevice = nullptr;
    IDirectDrawSurface7* mPrimary = nullptr;
    IDirectDrawSurface7* mBackBuffer = nullptr;
    IDirectDrawSurface7* mZBuffer = nullptr;
    DWORD mTextureMemory = DDSCAPS_SYSTEMMEMORY;
    int mCurrentFilter = -1;
    int mRequestedFilter = 0;
    ClipRect mAppliedClip;
    ClipRect mRequestedClip{-1, -1, 0x7FFFFFFF, 0x7FFFFFFF};
    // The clip-plane enable bits and each plane as the device last got them; unknown after a
    // set-up, which makes a new device.
    bool mClipKnown = false;
    DWORD mClipEnable = 0;
    std::array<std::array<D3DVALUE, 4>, 4> mPlanes{};
    std::array<bool, 4> mPlaneKnown{};
    DDPIXELFORMAT mZBufferFormat{};
    DDPIXELFORMAT mOpaqueFormat{};
    DDPIXELFORMAT mAlphaFormat{};
    bool m3DEnabled = true;
    int mFlags = 0;
};
} // namespace Corvane
