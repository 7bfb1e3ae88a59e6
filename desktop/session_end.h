#pragma once

namespace quor {

class MainWindow;

// When the user logs out with unsaved changes, asks "Änderungen speichern?"
// while the session still lets the program ask; Cancel, or a save that did
// not happen, asks the session to stay.
void AskBeforeSessionEnds(MainWindow& window);

}  // namespace quor
