#pragma once
#include <QString>

namespace meridox::os {

// The computer's network name, at most 20 characters, trimmed.
QString computerName();
// The operating-system user in upper case; "Unknown" when it cannot be read.
QString userName();

} // namespace meridox::os
