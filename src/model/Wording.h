#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qdx {

// How a text a person reads is put into words for the run's display language: the program's
// own Japanese text goes in, the text to show comes out. Files, the project and qdx keep the
// Japanese text, so everything the core writes uses the default, which changes nothing.
using Wording = std::function<std::string(std::string_view japanese)>;

// `wording` applied to `japanese`; the text as it is when no wording is given.
std::string worded(const Wording& wording, std::string_view japanese);

// `pattern` with "%1", "%2", ... replaced by the arguments in order ("%1 は %2 と...").
std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> arguments);

} // namespace qdx
