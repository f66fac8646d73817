// The application title: the executable's file name cut at its first full stop, its first
// character unchanged and the rest lower-cased ("Telma" for Telma, "Telma" for TELMA.exe).
#pragma once

#include <QString>

namespace app {

QString applicationTitle(const QString& executablePath);

}  // namespace app
