#include "app/verbs.h"

#include <iostream>

namespace vant::app {

int RenderVerb(int&, char**, const CommandLine&) {
  std::cerr << "vant: render is not available yet\n";
  return 2;
}

}  // namespace vant::app
