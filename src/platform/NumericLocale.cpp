#include "platform/NumericLocale.h"

#include <clocale>

namespace mss::platform {

void KeepNumericLocaleC() {
    std::setlocale(LC_NUMERIC, "C");
}

}  // namespace mss::platform
