#pragma once

// The RTF codec: reading, writing, and rich text on the clipboard.
#include "platform/richtext/rtfclipboard.h"
#include "platform/richtext/rtfreader.h"
#include "platform/richtext/rtfwriter.h"
