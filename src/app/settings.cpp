#include "app/settings.h"

#include <QSettings>
#include <type_traits>

namespace quorlen {
namespace {

// Each option once, with its key: an option added to PlayOptions is one
// line here, and both load and save take it.
template <class Visit>
void each_option(PlayOptions& options, Visit visit) {
  visit("repeats_shown", options.repeats_shown);
  visit("highlighting", options.highlighting);
  visit("notes_mode", options.notes_mode);
  visit("protect_givens", options.protect_givens);
  visit("high_contrast", options.high_contrast);
  visit("clock_shown", options.clock_shown);
}

}  // namespace

PlayOptions load_play_options() {
  QSettings settings(QStringLiteral("quorlen"), QStringLiteral("quorlen"));
  settings.beginGroup(QStringLiteral("play"));
  PlayOptions options;
  each_option(options, [&settings](const char* key, auto& value) {
    using Value = std::remove_reference_t<decltype(value)>;
    const QVariant saved = settings.value(QLatin1String(key));
    if (saved.canConvert<Value>()) value = saved.value<Value>();
  });
  return options;
}

void save_play_options(const PlayOptions& options) {
  QSettings settings(QStringLiteral("quorlen"), QStringLiteral("quorlen"));
  settings.beginGroup(QStringLiteral("play"));
  PlayOptions copy = options;
  each_option(copy,
              [&settings](const char* key, auto& value) { settings.setValue(QLatin1String(key), value); });
}

}  // namespace quorlen
