// The runtime's default terminate handler prints the demangled name of an escaping
// exception's type to stderr, which a windowed program does not have; defining it here keeps
// the demangler (some 46 KB) out of the program. An escaping exception still ends the
// process at once.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
