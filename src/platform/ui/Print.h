#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

class TDC;
class TWindow;

// What is printed: a number of pages, each drawn into the printer's device
// context (its resolution in GetDeviceCaps). Printing and print preview use
// the same drawing.
class PLATFORM_API TPrintout {
public:
    explicit TPrintout(const VEX::String& title) : title_(title) {}
    virtual ~TPrintout();

    const VEX::String& Title() const { return title_; }
    virtual std::int32_t PageCount() const { return 1; }
    virtual bool Landscape() const { return false; }
    // Draws page (from 0) into the printable area of the page.
    virtual void PrintPage(TDC& dc, std::int32_t page, const TRect& pageRect) = 0;

private:
    VEX::String title_;
};

// Prints to a PDF file: A4 with 10 mm margins, 300 dots per inch.
// Throws VEX::XVEX naming the file when it cannot be written.
PLATFORM_API void PrintToPdf(TPrintout& printout, const VEX::String& path);
// Asks for a printer or a PDF file (the print dialog; headless runs ask for
// a PDF file through the file dialog) and prints there; false when
// cancelled.
PLATFORM_API bool Print(TPrintout& printout, TWindow* owner);
// Shows the pages in a preview window until it is closed. Headless runs
// render the pages without showing them and return at once.
PLATFORM_API void PrintPreview(TPrintout& printout, TWindow* owner);

} // namespace platform::ui
