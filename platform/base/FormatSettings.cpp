#include "platform/base/FormatSettings.h"

TFormatSettings FormatSettings;
