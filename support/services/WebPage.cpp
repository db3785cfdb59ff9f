#include "WebPage.h"

#include "TextHelpers.h"

namespace vx {

std::string WebOpenerErrorText(int result, const std::string& address) {
    if (result > 32) return {};
    // The number as the number-to-text conversion writes it: a space before
    // a non-negative number.
    std::string text = "Error launching web browser, error code =" + std::string(result >= 0 ? " " : "") +
                       std::to_string(result) + ".";
    if (result == 31)
        text += "\r\n\r\nFile extension '" + FileExtension(address, true) +
                "' is not associated with any application program.";
    else if (result == 8)
        text += "\r\n\r\nOut of memory.";
    else if (result == 2)
        text += "\r\n\r\nPlease try once more.";
    return text;
}

void OpenWebPage(const std::string& address, WebOpener& web, MessageService& messages) {
    const int result = web.Open(address);
    const std::string text = WebOpenerErrorText(result, address);
    if (!text.empty()) messages.Show("Cannot launch web browser", text, MessageIcon::Warning, MessageButtons::Ok);
}

}  // namespace vx
