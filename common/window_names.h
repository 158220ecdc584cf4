#pragma once
// The names of the exam program's windows in the window registry. Every use
// goes through these, so a misspelt name is a compile error, not a silent
// "Unknown window" at run time.
namespace qd {

inline constexpr const char* kStartWindow = "Welcome";
inline constexpr const char* kMainMenu = "pick_a_quiz";
inline constexpr const char* kQuizWindow = "quest";
inline constexpr const char* kExplanationWindow = "theanswer";
inline constexpr const char* kResultsWindow = "finalscore";
inline constexpr const char* kFlashCardWindow = "Security";
inline constexpr const char* kExhibitWindow = "Exhibit";
inline constexpr const char* kAboutWindow = "About1";

}  // namespace qd
