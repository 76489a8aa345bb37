// The play options, remembered from one run of the window to the next in
// Qt's settings file of the user ($XDG_CONFIG_HOME/quorlen/quorlen.conf,
// ~/.config when the variable is unset).
#pragma once

#include "view/view.h"

namespace quorlen {

// Every field of PlayOptions, as last saved; a field never saved keeps its
// default.
PlayOptions load_play_options();
void save_play_options(const PlayOptions& options);

}  // namespace quorlen
