// Runtime functions the setup programs define in place of the runtime library's own, to keep
// what a windowed installer never uses out of the program. Each one keeps the outcome the
// library's version has for this program: an out-of-memory still reaches the runs' handlers,
// a programming fault still ends the process at once.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace __gnu_cxx {

// The library's handler prints the demangled name of an escaping exception's type to stderr,
// which a windowed program does not have; with it would come the demangler (some 46 KB).
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

// The library keeps all of its throw helpers in one object, and that object brings every
// standard exception class, the strings of the old ABI they are built on and std::random_device
// (some 50 KB). The containers and strings call only these.
namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }

void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }

// A container or string asked to grow past its largest size: no allocation can hold it, so it
// is the runs' out-of-memory failure.
void __throw_length_error(const char*) { throw std::bad_alloc(); }

// A string built from a null pointer, an index past the end: faults of the program, which
// nothing catches; the library's version would end the process the same way.
void __throw_logic_error(const char*) { std::abort(); }

void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }

}  // namespace std
