// The C library's numbers stay in the "C" locale for the life of the process.
#pragma once

namespace mss::platform {

// A Qt application takes the C library's locale from the environment. Call
// this right after creating it: numbers written to files and to radios need
// the decimal point, and Hamlib's calls swap LC_NUMERIC and then restore a
// name that the swap has freed, which is harmless only while it is "C" (a
// static name nothing frees).
void KeepNumericLocaleC();

}  // namespace mss::platform
