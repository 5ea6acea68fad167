// The help call. Help pages are optional local files beside the program, one per help
// context ("help/<context>.html"); without one the author is told that help is not
// installed, so F1 and the help buttons never seem dead.
#pragma once

#include <QString>

// The installed page of the context, or empty when there is none.
QString HelpPagePath(int context);
class QWidget;

// Opens the context's page, or shows the not-installed message over Owner.
void ShowHelpContext(int context, QWidget* owner = nullptr);
