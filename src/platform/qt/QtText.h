// The user interface's side of the code-page edge: domain texts are
// Windows-1252 bytes, Qt texts are Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace mss::platform {

QString QtText(std::string_view cp1252);
std::string Cp1252Text(const QString& text);

}  // namespace mss::platform
