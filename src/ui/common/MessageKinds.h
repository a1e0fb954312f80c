#pragma once

namespace qdx {

// What a message box offers, the picture beside its text, and what the person answered.
enum class MessageButtons { Ok, OkCancel, YesNoCancel, YesNo };
enum class MessageIcon { None, Error, Question, Exclamation, Information };
// OK answers like yes; closing the box answers cancel.
enum class MessageAnswer { Yes, No, Cancel, Ok = Yes };

} // namespace qdx
