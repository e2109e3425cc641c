#include "text/language.h"

namespace language {
namespace {
int g_index = kJapanese;
}

int Index() { return g_index; }

void SetIndex(int index) { g_index = index == kEnglish ? kEnglish : kJapanese; }

}  // namespace language
