// The three number types Bitscope teaches, and the record that holds X in each of them.
#pragma once

#include <concepts>

namespace bitscope {

// IEEE 754 binary interchange formats, named by the platform types that implement them.
// Binary128 is GCC's __float128: a built-in type whose arithmetic (libgcc) and text
// conversions (libquadmath) are correctly rounded. quadmath.h is not needed to use it.
using Binary32 = float;
using Binary64 = double;
using Binary128 = __float128;

// One of the three formats (a type, for the templates of the engine).
template <class T>
concept IeeeBinary =
    std::same_as<T, Binary32> || std::same_as<T, Binary64> || std::same_as<T, Binary128>;

// X held once per format. Only the slot of the current format (4, 8 or 16 bytes) means
// anything; the others keep whatever they last held.
struct FormatValues {
    Binary32 value32 = 0.0f;
    Binary64 value64 = 0.0;
    Binary128 value128 = 0;

    // The slot of format T: values.slot<Binary64>() is value64.
    template <IeeeBinary T>
    constexpr T& slot() {
        if constexpr (std::same_as<T, Binary32>) return value32;
        else if constexpr (std::same_as<T, Binary64>) return value64;
        else return value128;
    }
    template <IeeeBinary T>
    constexpr const T& slot() const {
        if constexpr (std::same_as<T, Binary32>) return value32;
        else if constexpr (std::same_as<T, Binary64>) return value64;
        else return value128;
    }
};

} // namespace bitscope
