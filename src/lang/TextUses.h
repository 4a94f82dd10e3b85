#pragma once
// Which texts of the LanguageTable a window shows, and where: the translators' list.

namespace kt {

// Where the text `id` is shown ("main window: step buttons"), or nullptr for a text that no
// window of this configurator shows.
[[nodiscard]] const char* TextUse(int id);

} // namespace kt
