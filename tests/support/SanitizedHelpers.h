#pragma once
// A sanitized helper reserves terabytes of shadow memory before it reads a byte, far past the
// converter's address-space cap. LoadConverterLibrary lifts the cap in sanitizer builds;
// tests that load a copy of the library themselves do the same through this.
#include "tsypdf/tsypdf.h"

#include <dlfcn.h>
#include <sys/resource.h>

inline void liftAddressSpaceCapWhenSanitized([[maybe_unused]] void *library)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    reinterpret_cast<decltype(&tsypdfSetLimits)>(dlsym(library, "tsypdfSetLimits"))(0, RLIM_INFINITY);
#endif
}
