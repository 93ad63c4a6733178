#include "samplepage.h"

#include "platform/units.h"
#include "storage/appstate.h"

SamplePage SamplePage::a4()
{
    const int width = units::mmToTwips(210);
    const int height = units::mmToTwips(297);
    return {width, height, width, height, 0, 0};
}

SamplePage SamplePage::from(const AppState &state)
{
    const PrinterFacts &p = state.printer;
    if (p.pageWidth <= 0 || p.pageHeight <= 0)
        return a4();
    SamplePage page{p.pageWidth, p.pageHeight, p.printableWidth, p.printableHeight, state.printer.offsetX(),
                    state.printer.offsetY()};
    if (page.printableWidth <= 0 || page.printableHeight <= 0) {
        page.printableWidth = page.pageWidth;
        page.printableHeight = page.pageHeight;
        page.offsetX = page.offsetY = 0;
    }
    return page;
}
