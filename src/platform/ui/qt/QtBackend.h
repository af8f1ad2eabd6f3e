#pragma once

// The Qt backend: everything the Qt-free platform layer forwards, on Qt 6
// Widgets, Svg and PrintSupport.

#include <QPointer>

#include "platform/ui/Backend.h"
#include "platform/ui/qt/QtBridge.h"

namespace platform::ui {

class QtBackend final : public Backend, public qt::Bridge {
public:
    void EnsureApplication() override;
    bool IsHeadless() override;
    void ProcessEvents(std::int32_t milliseconds) override;
    int RunEventLoop() override;

    std::unique_ptr<WindowPeer> MakeWindow(TWindow& owner, TWindow* parent, bool dialog) override;
    std::unique_ptr<SplitterPeer> MakeSplitter(TWindow& own) override;
    std::unique_ptr<SizeGripPeer> MakeSizeGrip(TWindow& own) override;

    std::unique_ptr<TBitmap::Impl> MakeBitmap(std::int32_t width, std::int32_t height) override;
    std::unique_ptr<TBitmap::Impl> BitmapFromPng(std::string_view bytes) override;
    std::unique_ptr<TPainterDC::Engine> BitmapEngine(TBitmap& bitmap) override;
    TSize MeasureText(const TFont& font, const VEX::String& text) override;
    std::string RenderSvg(const TSize& size, const PaintFunction& paint, const VEX::String& title) override;
    std::string RenderPdf(const TSize& size, const PaintFunction& paint, const VEX::String& title) override;

    void PrintToPdf(TPrintout& printout, const VEX::String& path) override;
    bool PrintWithDialog(TPrintout& printout, TWindow* owner) override;
    void PrintPreview(TPrintout& printout, TWindow* owner) override;

    bool CopyToClipboard(const ClipboardContent& content) override;
    std::optional<VEX::String> ReadClipboardText() override;
    std::optional<std::string> ReadClipboardData(std::string_view mimeType) override;

    std::int32_t AskMessageBox(TWindow* owner, const VEX::String& text, const VEX::String& caption,
                               std::uint32_t type) override;
    std::uint32_t AskMenu(const TPopupMenu& menu, const TPoint& screenPoint, TWindow* owner) override;
    std::optional<VEX::String> AskFileName(TWindow* owner, const FileDialogOptions& options, bool save) override;

    void SendMouse(TWindow& window, automation::MouseAction action, automation::MouseButton button,
                   const TPoint& point, std::uint32_t modKeys) override;
    void SendMouseLeave(TWindow& window) override;
    void SendChar(TWindow& window, char16_t character) override;
    void SendKey(TWindow& window, std::uint32_t virtualKey, std::uint32_t modKeys) override;
    void Click(TWindow& window, std::int32_t controlId) override;
    void ChooseItem(TWindow& window, std::int32_t controlId, std::int32_t index) override;
    void TypeText(TWindow& window, std::int32_t controlId, const VEX::String& text) override;
    void ChooseColour(TWindow& window, std::int32_t controlId, std::uint32_t colour) override;

    qt::Bridge& Bridge() override { return *this; }

    QWidget* NativeWidget(const TWindow& window) override;
    void SetTopLevelPlacer(qt::TopLevelPlacer placer) override;
    const qt::TopLevelPlacer& CurrentTopLevelPlacer() override;
    bool IsPlainTopLevel(const QWidget& widget) override;
    void SetDialogOwner(QWidget* owner) override;
    QWidget* DialogOwner() override;
    QWidget* OwnerWidget(const TWindow* owner) override;

private:
    qt::TopLevelPlacer placer_;
    QPointer<QWidget> dialogOwner_;
};

} // namespace platform::ui
