#pragma once

// What the Qt-free platform layer hands to its drawing backend: windows,
// device contexts, bitmaps, the application, printing, the clipboard and
// what asks the user. The backend lives in a library of its own, loaded on
// first use, so that what draws nothing starts without the toolkit.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/TBitmap.h"
#include "platform/ui/TPainterDC.h"
#include "platform/ui/WindowPeer.h"

namespace platform::ui {

class TPopupMenu;
class TPrintout;

namespace qt {
class Bridge;
} // namespace qt

class Backend {
public:
    // The application object windows need; see Application.h.
    virtual void EnsureApplication() = 0;
    virtual bool IsHeadless() = 0;
    virtual void ProcessEvents(std::int32_t milliseconds) = 0;
    virtual int RunEventLoop() = 0;

    // The native side of a window, made with the window.
    virtual std::unique_ptr<WindowPeer> MakeWindow(TWindow& owner, TWindow* parent, bool dialog) = 0;
    virtual std::unique_ptr<SplitterPeer> MakeSplitter(TWindow& own) = 0;
    virtual std::unique_ptr<SizeGripPeer> MakeSizeGrip(TWindow& own) = 0;

    // Pictures and text.
    virtual std::unique_ptr<TBitmap::Impl> MakeBitmap(std::int32_t width, std::int32_t height) = 0;
    // Throws VEX::XVEX when the bytes are not a picture.
    virtual std::unique_ptr<TBitmap::Impl> BitmapFromPng(std::string_view bytes) = 0;
    virtual std::unique_ptr<TPainterDC::Engine> BitmapEngine(TBitmap& bitmap) = 0;
    virtual TSize MeasureText(const TFont& font, const VEX::String& text) = 0;
    virtual std::string RenderSvg(const TSize& size, const PaintFunction& paint, const VEX::String& title) = 0;
    virtual std::string RenderPdf(const TSize& size, const PaintFunction& paint, const VEX::String& title) = 0;

    // Printing; see Print.h.
    virtual void PrintToPdf(TPrintout& printout, const VEX::String& path) = 0;
    virtual bool PrintWithDialog(TPrintout& printout, TWindow* owner) = 0;
    virtual void PrintPreview(TPrintout& printout, TWindow* owner) = 0;

    // The clipboard; see Clipboard.h.
    virtual bool CopyToClipboard(const ClipboardContent& content) = 0;
    virtual std::optional<VEX::String> ReadClipboardText() = 0;
    virtual std::optional<std::string> ReadClipboardData(std::string_view mimeType) = 0;

    // Asking the user, once automation has no answer: the button, the
    // command (0: none) or the file chosen.
    virtual std::int32_t AskMessageBox(TWindow* owner, const VEX::String& text, const VEX::String& caption,
                                       std::uint32_t type) = 0;
    virtual std::uint32_t AskMenu(const TPopupMenu& menu, const TPoint& screenPoint, TWindow* owner) = 0;
    virtual std::optional<VEX::String> AskFileName(TWindow* owner, const FileDialogOptions& options,
                                                   bool save) = 0;

    // Input sent to windows as a user would; see Automation.h.
    virtual void SendMouse(TWindow& window, automation::MouseAction action, automation::MouseButton button,
                           const TPoint& point, std::uint32_t modKeys) = 0;
    virtual void SendMouseLeave(TWindow& window) = 0;
    virtual void SendChar(TWindow& window, char16_t character) = 0;
    virtual void SendKey(TWindow& window, std::uint32_t virtualKey, std::uint32_t modKeys) = 0;
    virtual void Click(TWindow& window, std::int32_t controlId) = 0;
    virtual void ChooseItem(TWindow& window, std::int32_t controlId, std::int32_t index) = 0;
    virtual void TypeText(TWindow& window, std::int32_t controlId, const VEX::String& text) = 0;
    virtual void ChooseColour(TWindow& window, std::int32_t controlId, std::uint32_t colour) = 0;

    // For the host's own toolkit code (qt/QtBridge.h).
    virtual qt::Bridge& Bridge() = 0;

protected:
    ~Backend() = default;
};

// The backend, loaded on the first call. Throws VEX::XVEX naming the
// library and the loader's reason when it cannot be loaded.
PLATFORM_API Backend& TheBackend();

} // namespace platform::ui

// The backend library's one entry point; never null.
extern "C" PLATFORM_API platform::ui::Backend* NerolithPlatformBackend();
