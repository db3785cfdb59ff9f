// Opening a web page, with the messages of a failure.
#pragma once

#include <string>

#include "Services.h"

namespace vx {

// The message for a failed opening (result 32 or below), "" for success.
std::string WebOpenerErrorText(int result, const std::string& address);

// Opens address; on failure shows "Cannot launch web browser".
void OpenWebPage(const std::string& address, WebOpener& web, MessageService& messages);

}  // namespace vx
