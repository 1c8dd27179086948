#pragma once
// What the engine tells the person at the desk goes through this interface:
// the warnings of the checks (an OK box in the desktop program, a line in the
// command-line tool) and the progress of long work. The engine never touches
// a window or a terminal.
#include <string_view>

namespace czx {

class Feedback {
  public:
    virtual ~Feedback() = default;
    // A warning or notice the user acknowledges (an OK box).
    virtual void message(std::string_view text) = 0;
    // Progress of long work, 0 to 100. The desktop program also keeps its
    // window painted from here.
    virtual void progress(int /*percent*/) {}
};

}  // namespace czx
