#pragma once
// The built-in libx264 presets and the translation of their option lines
// into the names the current library understands. Pure functions; any thread.
#include <string>
#include <utility>
#include <vector>

// The text of the built-in preset of that name (compared without regard to
// case), one "key=value" per LF-separated line; empty when there is none.
std::string FindBuiltinPreset(const std::string& AName);
// The names of all built-in presets, in table order.
std::vector<std::string> BuiltinPresetNames();
// One libx264 preset line of the old naming (coder, me_method, directpred,
// partitions "+parti8x8", flags2 "+mixed_refs", wpredp, cqp) as the
// equivalent lines of generic and libx264-private options; other keys pass
// through unchanged.
std::vector<std::pair<std::string, std::string>> TranslateX264Option(const std::string& AKey, const std::string& AValue);
