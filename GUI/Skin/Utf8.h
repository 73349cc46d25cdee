// Text conversion for names and texts read from the skin's UTF-8 page files.
#pragma once

#include "CString.h"

// UTF-8 to UTF-16; invalid sequences become U+FFFD, null gives an empty text.
CString Utf8ToWide(const char* text);
