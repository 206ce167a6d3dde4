#include "platform/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace orbeline {

FontWarmUp::FontWarmUp() : thread_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() { thread_.join(); }

}  // namespace orbeline
